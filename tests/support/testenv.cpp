#include "support/testenv.h"

#include "app/registry.h"
#include "app/title.h"
#include "platform/desktopsetup.h"
#include "platform/tmemo.h"
#include "text/codepage.h"
#include "text/filenames.h"
#include "windows/main/mainwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace kv::test {
namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot raise windows or grab the keyboard; its
// warnings about it say nothing about the program.
void quietOffscreen(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QStringLiteral("This plugin does not support")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

TestEnv::TestEnv(bool withWindows)
    : m_previousFolder(QDir::currentPath())
    , m_windows(withWindows)
{
    static const bool quiet = [] {
        previousHandler = qInstallMessageHandler(quietOffscreen);
        // The face the program sets up at start-up, so that the windows
        // measure as they do for a user. Qt's own texts stay untranslated:
        // the tests compare the system's reasons in file errors in English.
        substituteDesignedFace();
        return true;
    }();
    Q_UNUSED(quiet);
    QVERIFY2(m_dir.isValid(), "no temporary folder");
    QDir::setCurrent(m_dir.path());
    QDir().mkpath(QStringLiteral("drive_c"));
    fileNames::setDriveRoot(m_dir.path() + QStringLiteral("/drive_c"));
    TMemo::setCapacity(TMemo::TextCapacity);
    TMemo::setLineCapacity(TMemo::LineCapacity);
    setServices(&services);
    setBoxCaption(applicationTitle()); // as the program does at start-up
    if (m_windows)
        Registry::create();
}

TestEnv::~TestEnv()
{
    if (m_windows)
        Registry::destroy();
    setServices(nullptr);
    fileNames::setDriveRoot(QString());
    QDir::setCurrent(m_previousFolder);
}

QString TestEnv::folder() const
{
    return m_dir.path();
}

QString TestEnv::driveRoot() const
{
    return m_dir.path() + QStringLiteral("/drive_c");
}

void TestEnv::write(const QString &relative, const QByteArray &bytes) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(full));
    file.write(bytes);
}

QByteArray TestEnv::read(const QString &relative) const
{
    QFile file(path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TestEnv::exists(const QString &relative) const
{
    return QFileInfo::exists(path(relative));
}

StartedEnv::StartedEnv()
{
    registry().Form1->Timer1->stop();
}

void typeText(QWidget *box, const QString &text)
{
    for (const QChar ch : text) {
        if (ch == u'\n')
            QTest::keyClick(box, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), {});
    }
}

void clickShown(QWidget *button)
{
    QVERIFY2(button->isVisible() && button->isEnabled(), qPrintable(button->objectName()));
    QTest::mouseClick(button, Qt::LeftButton);
}

void verifyFileError(const TestEnv &env, const QString &kind, const QString &relative)
{
    const QStringList errors = env.services.textsOf(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    const QString prefix = QStringLiteral("Cannot %1 file \"%2\". ").arg(kind, env.path(relative));
    QVERIFY2(errors.first().startsWith(prefix), qPrintable(errors.first()));
    QVERIFY(errors.first().size() > prefix.size() + 1);
    QVERIFY(errors.first().endsWith(u'.') && !errors.first().endsWith(QStringLiteral("..")));
}

QByteArray cp(const char *utf8)
{
    return kv::cp(utf8);
}

QByteArray crlfLines(std::initializer_list<const char *> lines)
{
    return initialText(lines);
}

HangGuard::HangGuard(unsigned seconds, unsigned long long extraBytes)
{
    std::signal(SIGALRM, SIG_DFL);
    ::alarm(seconds);
    rlimit limit{};
    ::getrlimit(RLIMIT_AS, &limit);
    m_previousLimit[0] = limit.rlim_cur;
    m_previousLimit[1] = limit.rlim_max;
    unsigned long long pages = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%llu", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    if (pages) {
        const rlim_t bound = pages * ::sysconf(_SC_PAGESIZE) + rlim_t(extraBytes);
        if (bound < limit.rlim_cur) {
            limit.rlim_cur = bound;
            ::setrlimit(RLIMIT_AS, &limit);
        }
    }
}

HangGuard::~HangGuard()
{
    ::alarm(0);
    const rlimit previous{m_previousLimit[0], m_previousLimit[1]};
    ::setrlimit(RLIMIT_AS, &previous);
}

} // namespace kv::test
