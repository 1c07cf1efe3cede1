#include "platform/realdesktopservices.h"

#include "platform/downloadprogress.h"
#include "text/filenames.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

namespace kv {
namespace {

// A box of the program's own: modal over all its windows, centred on the
// screen, and owned by none of them, so that it does not depend on which
// window (if any) happens to be active when it opens.
class CentredBox : public QMessageBox
{
public:
    CentredBox(Icon icon, const QString &text)
        : QMessageBox(icon, boxCaption(), text, QMessageBox::Ok)
    {
        setWindowModality(Qt::ApplicationModal);
        setEscapeButton(QMessageBox::Ok);
        setDefaultButton(QMessageBox::Ok);
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event); // lays the box out at its final size
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect placed = frameGeometry();
            placed.moveCenter(screen->geometry().center());
            move(placed.topLeft());
        }
    }
};

void showBox(QMessageBox::Icon icon, const QString &text)
{
    CentredBox box(icon, text);
    box.exec();
}

#ifndef Q_OS_WIN
// Runs `program` with `arguments` in the current folder, detached; never
// through a shell command line, so no file name is ever taken as a command.
void startDetached(const QString &program, const QStringList &arguments, bool quiet)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(QDir::currentPath());
    if (quiet) {
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
    }
    process.startDetached();
}

// A terminal emulator to show a console in, or empty when none is installed.
QString terminalEmulator()
{
    for (const char *name : {"x-terminal-emulator", "xterm", "konsole", "gnome-terminal", "xfce4-terminal"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}
#endif

} // namespace

QString qtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries.append(QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(u';', u' ')));
    return entries.join(QStringLiteral(";;"));
}

void RealDesktopServices::messageBox(const QString &text)
{
    showBox(QMessageBox::NoIcon, text);
}

void RealDesktopServices::errorBox(const QString &text)
{
    showBox(QMessageBox::Critical, text);
}

std::optional<QString> RealDesktopServices::openFileDialog(QWidget *owner, const QString &filter)
{
    // The default options: no title, no initial folder, and a typed name is
    // taken as it is, whether such a file exists or not.
    QFileDialog dialog(owner, QString(), QString(), qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.constFirst().isEmpty())
        return std::nullopt;
    return chosen.constFirst();
}

void RealDesktopServices::beep()
{
    QApplication::beep();
}

void RealDesktopServices::sleep(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void RealDesktopServices::shellOpen(const QString &target, ShowMode mode)
{
#ifdef Q_OS_WIN
    const QString file = target.contains(QStringLiteral("://")) ? target : QDir::toNativeSeparators(target);
    ShellExecuteW(nullptr, L"OPEN", reinterpret_cast<const wchar_t *>(file.utf16()), L"", nullptr, int(mode));
#else
    if (target.contains(QStringLiteral("://"))) {
        QDesktopServices::openUrl(QUrl(target));
        return;
    }
    const QString path = fileNames::resolve(target);
    const QFileInfo info(path);
    if (!info.isFile())
        return; // nothing to open; the program says nothing of its own
    const QString suffix = info.suffix().toLower();
    if (suffix == QStringLiteral("bat")) {
        const QString terminal = mode == ShowMode::Hide ? QString() : terminalEmulator();
        if (terminal.isEmpty())
            startDetached(QStringLiteral("/bin/sh"), {path}, true);
        else
            startDetached(terminal, {QStringLiteral("-e"), QStringLiteral("/bin/sh"), path}, false);
    } else if (suffix == QStringLiteral("exe") && info.isExecutable()) {
        startDetached(path, {}, mode == ShowMode::Hide);
    } else {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
#endif
}

bool RealDesktopServices::download(const QString &url, const QString &path)
{
    return downloadWithProgressBox(url, path, boxCaption());
}

} // namespace kv
