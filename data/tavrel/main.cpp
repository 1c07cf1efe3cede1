// Tavrel, the system-information tool that Кварнис starts from its About
// window: a small window listing the operating system, the processor, the
// memory and the screens. "Tavrel.exe --print" writes the same report to the
// standard output and ends.
#include "systeminfo.h"

#include <QApplication>
#include <QClipboard>
#include <QCommandLineParser>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

class InformationWindow : public QDialog
{
public:
    InformationWindow()
    {
        setWindowTitle(QStringLiteral("Информация о системе"));
        resize(560, 380);

        auto *tree = new QTreeWidget(this);
        tree->setColumnCount(2);
        tree->setHeaderLabels({QStringLiteral("Параметр"), QStringLiteral("Значение")});
        tree->setRootIsDecorated(false);
        tree->setAccessibleName(QStringLiteral("Сведения о системе"));
        for (const tavrel::Group &group : tavrel::systemInformation()) {
            auto *title = new QTreeWidgetItem(tree, {group.title});
            QFont bold = title->font(0);
            bold.setBold(true);
            title->setFont(0, bold);
            title->setFirstColumnSpanned(true);
            for (const tavrel::Entry &entry : group.entries)
                new QTreeWidgetItem(title, {entry.name, entry.value});
        }
        tree->expandAll();
        tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

        auto *buttons = new QDialogButtonBox(this);
        QPushButton *copy = buttons->addButton(QStringLiteral("Копировать"), QDialogButtonBox::ActionRole);
        QPushButton *close = buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
        close->setDefault(true);
        connect(copy, &QPushButton::clicked, this, [] {
            QGuiApplication::clipboard()->setText(tavrel::reportText(tavrel::systemInformation()));
        });
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

        auto *layout = new QVBoxLayout(this);
        layout->addWidget(tree);
        layout->addWidget(buttons);
    }
};

// Whether only a report is asked for (--print, --help, --version) where no
// display can be reached, as in a terminal over ssh: then no window system
// is needed, and the screens are reported as unknown.
bool reportWithoutDisplay(int argc, char *argv[])
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return false;
#else
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(variable))
            return false;
    }
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"--print", "--help", "-h", "--version", "-v"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app(reportWithoutDisplay(argc, argv) ? new QCoreApplication(argc, argv)
                                                                                  : new QApplication(argc, argv));
    QApplication::setApplicationName(QStringLiteral("Tavrel"));
    QApplication::setApplicationVersion(QStringLiteral(KVARNIS_VERSION));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Информация о системе для Кварниса"));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption print(QStringLiteral("print"), QStringLiteral("Вывести сведения в стандартный вывод и завершить работу."));
    options.addOption(print);
    options.process(*app);

    if (options.isSet(print)) {
        const QByteArray report = tavrel::reportText(tavrel::systemInformation()).toUtf8();
        std::fwrite(report.constData(), 1, size_t(report.size()), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/kvarnis.png")));
    InformationWindow window;
    window.show();
    return QApplication::exec();
}
