// The main window: the page editor's commands, the menu tree and the files they write.
#include "app/registry.h"
#include "support/testenv.h"
#include "text/codepage.h"
#include "windows/main/mainwindow.h"
#include "windows/project/newprojectdialog.h"
#include "windows/tips/tipswindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

using namespace kv;
using kv::test::TestEnv;

namespace {

const QByteArray defaultPage = kv::test::crlfLines(
    {"<html>", "<head>", "<title>Заголовок окна</title>", "</head>", "<body>", "Здравствуйте, это моя первая страница.",
     "<br>", "Добро пожаловать!", "</body>", "</html>"});

TForm1 &main() { return *registry().Form1; }

TMenuItem *item(const char *name)
{
    auto *found = main().findChild<TMenuItem *>(QString::fromLatin1(name));
    Q_ASSERT(found);
    return found;
}

QString status() { return main().StatusBar1->simpleText(); }

const QStringList projectFiles = {QStringLiteral("SaveWeb.txt"), QStringLiteral("WebProject.html"),
                                  QStringLiteral("Project.wp"), QStringLiteral("SaveCode.txt"), QStringLiteral("Web.html")};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsWithDefaultPage();
    void menuTree();
    void compileWritesFiveFilesAndStarts();
    void compileStopsAtFileThatCannotBeCreated_data();
    void compileStopsAtFileThatCannotBeCreated();
    void startIsDisabledUntilFirstCompile();
    void saveAndLoadCommands();
    void loadFailureKeepsTextAndStatus_data();
    void loadFailureKeepsTextAndStatus();
    void closeCommands();
    void clearWholeTextEvenWithSelection_data();
    void clearWholeTextEvenWithSelection();
    void openProject_data();
    void openProject();
    void projectNameThatIsNotUtf8();
    void shellOpens_data();
    void shellOpens();
    void showsWindows_data();
    void showsWindows();
    void commandsThatDoNothing();
    void editingThroughMenu();
    void pasteCommandsWithEmptyClipboard();
    void exitBeepsAndEnds();
    void fullDiskKeepsEarlierFile();
    void keyboardAndScreenReader();
};

void TestMainWindow::startsWithDefaultPage()
{
    TestEnv env;
    QCOMPARE(main().windowTitle(), QStringLiteral("Кварнис"));
    QCOMPARE(main().Memo1->text(), defaultPage);
    QCOMPARE(status(), QString());
    QVERIFY(!main().N34->isEnabled());
    QVERIFY(main().N29->isEnabled());
    QVERIFY(main().Button1->isHidden());
    QVERIFY(main().ProgressBar1->isHidden());
    main().showForm();
    // 543 x 306 beside the side panel; the height depends a little on the desktop's menu bar.
    QCOMPARE(main().Memo1->width(), 543);
    QVERIFY2(qAbs(main().Memo1->height() - 306) <= 4, qPrintable(QString::number(main().Memo1->height())));
}

void TestMainWindow::menuTree()
{
    TestEnv env;
    QStringList menus;
    for (QAction *title : main().MainMenu1->actions()) {
        QStringList entries{title->objectName() + u' ' + title->text()};
        const std::function<void(QMenu *, const QString &)> walk = [&](QMenu *menu, const QString &indent) {
            for (QAction *a : menu->actions()) {
                entries.append(indent + a->objectName() + u' ' + (a->isSeparator() ? QStringLiteral("-") : a->text()));
                // Every command item shows a picture, except "Новый..." and "О программе...".
                const bool pictured = !a->isSeparator() && a->objectName() != QStringLiteral("N8")
                                      && a->objectName() != QStringLiteral("N50");
                QVERIFY2(a->icon().isNull() != pictured, qPrintable(a->objectName()));
                QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->objectName()));
                if (a->menu())
                    walk(a->menu(), indent + QStringLiteral("  "));
            }
        };
        walk(title->menu(), QStringLiteral("  "));
        menus.append(entries.join(u'|'));
    }
    const QStringList expected = {
        QStringLiteral("N1 Файл|  N8 Новый...|    N51 Проект|    N52 Пакет|  N9 Открыть...|  N10 Открыть проект...|  N11 -|"
                       "  N12 Сохранить|  N13 Сохранить как...|  N14 Сохранить проект как...|  N15 Закрыть|  N16 Закрыть всё|"
                       "  N17 -|  N18 Выход"),
        QStringLiteral("N2 Правка|  N19 Вернуть назад|  N20 Вернуть обратно|  N21 -|  N22 Вырезать|  N23 Копировать|"
                       "  N24 Вставить|  N25 Удалить|  N26 Выделить всё"),
        QStringLiteral("N3 Проект|  N27 Добавить в проект...|  N28 Удалить из проекта...|  N29 Просмотр кода|  N30 -|"
                       "  N31 Компилировать проект|  N32 -|  N33 Опции проекта..."),
        QStringLiteral("N4 Запуск|  N34 Старт проекта|  N35 Параметры"),
        QStringLiteral("N5 Компоненты|  N36 Новый компонент...|  N37 Установка компонента...|  N38 -|  N39 Создание компонента|"
                       "  N40 -|  N41 Установка пакета...|  N42 Конфигурация пакетов..."),
        QStringLiteral("N6 Опции|  N43 Изменение пакетной коллекции"),
        QStringLiteral("N7 Справка|  N44 Справочная информация|  N45 Справочные опции|  N46 -|  N47 Сайт программы|"
                       "  N48 Тех. поддержка|  N49 -|  N50 О программе..."),
    };
    QCOMPARE(menus, expected);
}

void TestMainWindow::compileWritesFiveFilesAndStarts()
{
    TestEnv env;
    item("N31")->trigger();
    for (const QString &file : projectFiles)
        QCOMPARE(env.read(file), defaultPage);
    QCOMPARE(env.services.calls, (QList<RecordingDesktopServices::Call>{{QStringLiteral("shell"), QStringLiteral("Web.html"), 1}}));
    QCOMPARE(status(), QStringLiteral("Веб-проект уже запущен"));
    QVERIFY(main().N34->isEnabled());

    // The toolbar's BitBtn9 alone prepares the project without starting it.
    QFile::remove(env.path(QStringLiteral("Web.html")));
    QTest::mouseClick(main().BitBtn9, Qt::LeftButton);
    QCOMPARE(status(), QStringLiteral("Нажмите \"Запуск\" вкладка \"Старт проекта\" для запуска веб-кода."));
    QVERIFY(!env.exists(QStringLiteral("Web.html")));
}

void TestMainWindow::compileStopsAtFileThatCannotBeCreated_data()
{
    // A folder in the way of the n-th file: the files before it are written, none after it.
    QTest::addColumn<int>("blocked");
    for (int i = 0; i < projectFiles.size(); ++i)
        QTest::newRow(qPrintable(projectFiles[i])) << i;
}

void TestMainWindow::compileStopsAtFileThatCannotBeCreated()
{
    QFETCH(int, blocked);
    TestEnv env;
    QDir().mkdir(projectFiles[blocked]);
    main().StatusBar1->setSimpleText(QStringLiteral("before"));
    item("N31")->trigger();

    for (int i = 0; i < projectFiles.size(); ++i) {
        if (i < blocked)
            QCOMPARE(env.read(projectFiles[i]), defaultPage);
        else if (i > blocked)
            QVERIFY2(!env.exists(projectFiles[i]), qPrintable(projectFiles[i]));
    }
    const QStringList errors = env.services.textsOf(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors[0], QStringLiteral("Cannot create file \"%1\". Is a directory.").arg(env.path(projectFiles[blocked])));
    QVERIFY(env.services.callsOf(QStringLiteral("shell")).isEmpty());
    // "Старт проекта" is enabled only once all four project files are written.
    QCOMPARE(main().N34->isEnabled(), blocked == 4);
    QCOMPARE(status(), blocked == 4 ? QStringLiteral("Нажмите \"Запуск\" вкладка \"Старт проекта\" для запуска веб-кода.")
                                    : QStringLiteral("before"));
}

void TestMainWindow::startIsDisabledUntilFirstCompile()
{
    TestEnv env;
    item("N34")->trigger();
    QVERIFY(!env.exists(QStringLiteral("Web.html")));
    QVERIFY(env.services.calls.isEmpty());
    QTest::mouseClick(main().BitBtn9, Qt::LeftButton);
    item("N34")->trigger();
    QCOMPARE(env.read(QStringLiteral("Web.html")), defaultPage);
}

void TestMainWindow::saveAndLoadCommands()
{
    TestEnv env;
    main().StatusBar1->setSimpleText(QStringLiteral("kept"));
    item("N12")->trigger();
    QCOMPARE(env.read(QStringLiteral("SaveCode.txt")), defaultPage);
    QCOMPARE(QDir(env.folder()).entryList(QDir::Files), QStringList{QStringLiteral("SaveCode.txt")});
    QCOMPARE(status(), QStringLiteral("kept"));

    QTest::mouseClick(main().BitBtn8, Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(env.read(projectFiles[i]), defaultPage);
    QCOMPARE(status(), QStringLiteral("Сохранение файлов: SaveWeb.txt, WebProject.html, Project.wp"));

    // "Загрузить код" reads the "Code.txt" other windows write, and empties the status.
    env.write(QStringLiteral("Code.txt"), "composed\n");
    QTest::mouseClick(main().BitBtn5, Qt::LeftButton);
    QCOMPARE(main().Memo1->text(), QByteArray("composed\r\n"));
    QCOMPARE(status(), QString());

    QTest::mouseClick(main().BitBtn2, Qt::LeftButton);
    QCOMPARE(main().Memo1->text(), defaultPage);
    QCOMPARE(status(), QStringLiteral("Загружен сохранённый код. Файл SaveCode.txt"));
}

void TestMainWindow::loadFailureKeepsTextAndStatus_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file");
    QTest::newRow("Загрузить код") << QStringLiteral("BitBtn5") << QStringLiteral("code.txt");
    QTest::newRow("saved code") << QStringLiteral("BitBtn2") << QStringLiteral("SaveCode.txt");
}

void TestMainWindow::loadFailureKeepsTextAndStatus()
{
    QFETCH(QString, button);
    QFETCH(QString, file);
    TestEnv env;
    main().Memo1->setText("mine");
    main().StatusBar1->setSimpleText(QStringLiteral("kept"));
    QTest::mouseClick(main().findChild<TBitBtn *>(button), Qt::LeftButton);
    QCOMPARE(env.services.textsOf(QStringLiteral("error")),
             QStringList{QStringLiteral("Cannot open file \"%1\". No such file or directory.").arg(env.path(file))});
    QCOMPARE(main().Memo1->text(), QByteArray("mine"));
    QCOMPARE(status(), QStringLiteral("kept"));
}

void TestMainWindow::closeCommands()
{
    TestEnv env;
    registry().Form14->showForm();
    item("N15")->trigger();
    QCOMPARE(main().Memo1->text(), cp("Файл закрыт."));
    QVERIFY(registry().Form14->isVisible());
    item("N12")->trigger();
    QCOMPARE(QFileInfo(env.path(QStringLiteral("SaveCode.txt"))).size(), 12);

    main().Memo1->setText("x");
    item("N16")->trigger();
    QCOMPARE(main().Memo1->text(), cp("Файл закрыт."));
    QVERIFY(!registry().Form14->isVisible());
    item("N16")->trigger(); // hidden already: nothing more happens to it
    QVERIFY(!registry().Form14->isVisible());
}

void TestMainWindow::clearWholeTextEvenWithSelection_data()
{
    QTest::addColumn<bool>("toolbar");
    QTest::newRow("Удалить") << false;
    QTest::newRow("BitBtn10") << true;
}

void TestMainWindow::clearWholeTextEvenWithSelection()
{
    QFETCH(bool, toolbar);
    TestEnv env;
    QTextCursor cursor = main().Memo1->textCursor();
    cursor.setPosition(2);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    main().Memo1->setTextCursor(cursor);
    if (toolbar)
        QTest::mouseClick(main().BitBtn10, Qt::LeftButton);
    else
        item("N25")->trigger();
    QCOMPARE(main().Memo1->text(), QByteArray());
}

void TestMainWindow::openProject_data()
{
    QTest::addColumn<QString>("answer"); // relative to the working folder; "" cancels
    QTest::addColumn<bool>("loads");
    QTest::newRow("project") << QStringLiteral("my.wp") << true;
    QTest::newRow("cancel") << QString() << false;
    QTest::newRow("missing") << QStringLiteral("nothing.wp") << false;
    QTest::newRow("folder") << QStringLiteral("folder.wp") << false;
    QTest::newRow("hostile name") << QStringLiteral("sub dir/-x \"q\"; $(rm -rf ~) `id`.wp") << true;
}

void TestMainWindow::openProject()
{
    QFETCH(QString, answer);
    QFETCH(bool, loads);
    TestEnv env;
    env.write(QStringLiteral("my.wp"), "project\n");
    env.write(QStringLiteral("sub dir/-x \"q\"; $(rm -rf ~) `id`.wp"), "project\n");
    QDir().mkdir(QStringLiteral("folder.wp"));
    main().StatusBar1->setSimpleText(QStringLiteral("kept"));
    env.services.dialogAnswers.enqueue(answer.isEmpty() ? QString() : env.path(answer));

    item("N10")->trigger();
    QCOMPARE(env.services.calls.value(0).kind, QStringLiteral("dialog"));
    QCOMPARE(env.services.calls.value(0).text, QStringLiteral("Проект|*.wp"));
    QCOMPARE(main().Memo1->text(), loads ? QByteArray("project\r\n") : defaultPage);
    QCOMPARE(env.services.calls.size(), 1); // no message, no error, nothing started
    QCOMPARE(status(), QStringLiteral("kept"));
    QCOMPARE(main().windowTitle(), QStringLiteral("Кварнис"));
}

void TestMainWindow::projectNameThatIsNotUtf8()
{
    TestEnv env;
    // Qt cannot name a file whose name is not UTF-8: the dialog can only hand
    // over a lossy spelling of it. That changes nothing and runs nothing.
    const QByteArray raw = QFile::encodeName(env.folder()) + "/\xff\xfe; -x.wp";
    FILE *file = std::fopen(raw.constData(), "w");
    QVERIFY(file);
    std::fputs("project\n", file);
    std::fclose(file);
    env.services.dialogAnswers.enqueue(QFile::decodeName(raw));
    item("N10")->trigger();
    QCOMPARE(main().Memo1->text(), defaultPage);
    QCOMPARE(env.services.calls.size(), 1);
}

void TestMainWindow::shellOpens_data()
{
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("mode");
    QTest::newRow("Удалить из проекта") << QStringLiteral("N28") << QStringLiteral("DELWEB.BAT") << 0;
    QTest::newRow("Просмотр кода") << QStringLiteral("N29") << QStringLiteral("Web.html") << 1;
    QTest::newRow("Справочная информация") << QStringLiteral("N44") << QStringLiteral("help\\help.chm") << 5;
    QTest::newRow("Справочные опции") << QStringLiteral("N45") << QStringLiteral("help\\helpOptions.chm") << 5;
    QTest::newRow("Сайт программы") << QStringLiteral("N47") << QStringLiteral("http://" KVARNIS_SITE_HOST) << 1;
    QTest::newRow("Тех. поддержка") << QStringLiteral("N48") << QStringLiteral("http://" KVARNIS_SITE_HOST "/forum/2") << 1;
}

void TestMainWindow::shellOpens()
{
    QFETCH(QString, menuItem);
    QFETCH(QString, target);
    QFETCH(int, mode);
    TestEnv env;
    item(qPrintable(menuItem))->trigger();
    QCOMPARE(env.services.calls, (QList<RecordingDesktopServices::Call>{{QStringLiteral("shell"), target, mode}}));
}

void TestMainWindow::showsWindows_data()
{
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("status"); // "-" leaves it alone
    QTest::newRow("Проект") << QStringLiteral("N51") << QStringLiteral("Form2") << QStringLiteral("Создание нового проекта...");
    QTest::newRow("Пакет") << QStringLiteral("N52") << QStringLiteral("Form3") << QStringLiteral("Создание нового пакета...");
    QTest::newRow("Открыть") << QStringLiteral("N9") << QStringLiteral("Form14") << QStringLiteral("-");
    QTest::newRow("Опции проекта") << QStringLiteral("N33") << QStringLiteral("Form15") << QStringLiteral("-");
    QTest::newRow("Параметры") << QStringLiteral("N35") << QStringLiteral("Form4") << QStringLiteral("Параметры...");
    QTest::newRow("Новый компонент") << QStringLiteral("N36") << QStringLiteral("Form7") << QStringLiteral("Новый компонент...");
    QTest::newRow("Установка компонента") << QStringLiteral("N37") << QStringLiteral("Form8") << QStringLiteral("Установка компонента");
    QTest::newRow("Создание компонента") << QStringLiteral("N39") << QStringLiteral("Form9") << QStringLiteral("Создание компонента");
    QTest::newRow("Установка пакета") << QStringLiteral("N41") << QStringLiteral("Form11") << QStringLiteral("Установка пакета...");
    QTest::newRow("Конфигурация пакетов") << QStringLiteral("N42") << QStringLiteral("Form10") << QStringLiteral("Конфигурация пакетов...");
    QTest::newRow("Изменение пакетной коллекции") << QStringLiteral("N43") << QStringLiteral("Form16") << QStringLiteral("-");
    QTest::newRow("О программе") << QStringLiteral("N50") << QStringLiteral("Form17") << QStringLiteral("-");
}

void TestMainWindow::showsWindows()
{
    QFETCH(QString, menuItem);
    QFETCH(QString, window);
    QFETCH(QString, status);
    TestEnv env;
    main().showForm();
    main().StatusBar1->setSimpleText(QStringLiteral("-"));
    item(qPrintable(menuItem))->trigger();
    for (TForm *form : registry().forms())
        QCOMPARE(form->isVisible(), form == &main() || form->objectName() == window);
    QCOMPARE(::status(), status);
}

void TestMainWindow::commandsThatDoNothing()
{
    TestEnv env;
    for (const char *name : {"N13", "N14", "N27"})
        item(name)->trigger();
    QTest::mouseClick(main().BitBtn3, Qt::LeftButton);
    QTest::mouseClick(main().BitBtn4, Qt::LeftButton);
    QVERIFY(env.services.calls.isEmpty());
    QVERIFY(QDir(env.folder()).entryList(QDir::Files).isEmpty());
    QCOMPARE(main().Memo1->text(), defaultPage);
    QCOMPARE(status(), QString());
}

void TestMainWindow::editingThroughMenu()
{
    TestEnv env;
    main().showForm();
    TMemo *memo = main().Memo1;
    memo->setText("one\r\n");
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral("two"));
    QCOMPARE(memo->text(), QByteArray("one\r\ntwo"));
    item("N19")->trigger();
    QCOMPARE(memo->text(), QByteArray("one\r\n"));
    item("N20")->trigger();
    QCOMPARE(memo->text(), QByteArray("one\r\ntwo"));

    // Cut and paste through the clipboard keep a no-break space (byte 0xA0).
    memo->setText("a\xA0" "b\r\n");
    item("N26")->trigger();
    item("N22")->trigger();
    QCOMPARE(memo->text(), QByteArray());
    item("N24")->trigger();
    QTest::mouseClick(main().BitBtn7, Qt::LeftButton);
    QCOMPARE(memo->text(), QByteArray("a\xA0" "b\r\na\xA0" "b\r\n"));
    item("N26")->trigger();
    item("N23")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a\u00A0b\na\u00A0b\n"));
}

void TestMainWindow::pasteCommandsWithEmptyClipboard()
{
    // A clipboard that offers nothing (as a desktop's does when no program
    // owns it) pastes nothing through the menu item and the button.
    TestEnv env;
    main().showForm();
    main().Memo1->setText("keep\r\n");
    QApplication::clipboard()->setMimeData(new QMimeData);
    item("N24")->trigger();
    QTest::mouseClick(main().BitBtn7, Qt::LeftButton);
    QCOMPARE(main().Memo1->text(), QByteArray("keep\r\n"));
    QCOMPARE(status(), QString());
}

void TestMainWindow::exitBeepsAndEnds()
{
    TestEnv env;
    main().showForm();
    registry().Form14->showForm();
    main().Memo1->setText("unsaved");
    item("N18")->trigger();
    QCOMPARE(env.services.calls.value(0).kind, QStringLiteral("beep"));
    QVERIFY(!main().isVisible());
    QVERIFY(QDir(env.folder()).entryList(QDir::Files).isEmpty()); // nothing saved, nothing asked
    QCOMPARE(env.services.calls.size(), 1);
}

void TestMainWindow::fullDiskKeepsEarlierFile()
{
    TestEnv env;
    env.write(QStringLiteral("SaveCode.txt"), "earlier");
    main().Memo1->setText(QByteArray(64 * 1024, 'x'));
    // A file-size limit stands in for a full disk: writes past it fail.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limit);
    item("N12")->trigger();
    setrlimit(RLIMIT_FSIZE, &previous);

    QCOMPARE(env.services.textsOf(QStringLiteral("error")), QStringList{QStringLiteral("Stream write error.")});
    QCOMPARE(env.read(QStringLiteral("SaveCode.txt")), QByteArray("earlier"));
    QCOMPARE(QDir(env.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("SaveCode.txt")});
}

void TestMainWindow::keyboardAndScreenReader()
{
    TestEnv env;
    // Every button and the page editor can take the keyboard focus and are
    // announced by a name; hidden Button1 is never offered.
    for (QAbstractButton *button : main().findChildren<QAbstractButton *>()) {
        if (button == main().Button1 || button->objectName().startsWith(QStringLiteral("qt_")))
            continue;
        QVERIFY2(button->focusPolicy() & Qt::TabFocus, qPrintable(button->objectName()));
        QVERIFY2(!button->text().isEmpty() || !button->accessibleName().isEmpty(), qPrintable(button->objectName()));
    }
    QVERIFY(main().Memo1->focusPolicy() & Qt::TabFocus);
    QVERIFY(!main().Memo1->accessibleName().isEmpty());
    for (QAction *a : main().findChildren<TMenuItem *>())
        QVERIFY2(a->isSeparator() || !a->text().isEmpty(), qPrintable(a->objectName()));

    // The keyboard reaches the menu: Alt then Enter opens "Файл".
    main().showForm();
    QVERIFY(QTest::qWaitForWindowActive(&main()));
    QTest::keyClick(&main(), Qt::Key_Alt);
    QTest::keyClick(main().MainMenu1, Qt::Key_Return);
    QTRY_VERIFY(main().N1->menu()->isVisible());
    QTest::keyClick(main().N1->menu(), Qt::Key_Escape);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
