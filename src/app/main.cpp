#include "app/registry.h"
#include "app/title.h"
#include "platform/desktopservices.h"
#include "platform/desktopsetup.h"
#include "platform/memory.h"
#include "windows/main/mainwindow.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    kv::keepLargeBlocksForReuse();
    QApplication app(argc, argv);
    kv::setUpDesktop();
    QApplication::setApplicationName(QStringLiteral("kvarnis"));
    QApplication::setApplicationVersion(QStringLiteral(KVARNIS_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/kvarnis.png")));
    QApplication::setDesktopFileName(QStringLiteral("kvarnis"));
    // The program ends when, and only when, its main window closes (TForm):
    // closing any other window, box or dialog, in any order, never ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    kv::setBoxCaption(kv::applicationTitle());

    kv::Registry::create();
    kv::registry().Form1->showForm();
    const int code = QApplication::exec();
    kv::Registry::destroy();
    return code;
}
