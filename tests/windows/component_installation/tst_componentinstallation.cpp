// The component installation window: loading the numbered code files one
// by one or all at once, and the two-step installation into "Code.txt".
#include "app/registry.h"
#include "platform/tmemo.h"
#include "support/testenv.h"
#include "windows/component_installation/componentinstallationwindow.h"

#include <QDir>
#include <QTest>

using namespace kv;
using kv::test::cp;
using kv::test::TestEnv;

namespace {

const QString warning = QStringLiteral("Чтобы начать установку нажмите установить ещё раз. "
                                       "Файл Code.txt будет автоматически изменен!");

QByteArray contentOf(int n)
{
    return QByteArray("<fragment ") + QByteArray::number(n) + ">\r\n";
}

// The files as the package configuration window writes them: "Code<n>.txt".
void writeCodeFiles(const TestEnv &env)
{
    for (int n = 1; n <= 10; ++n)
        env.write(QStringLiteral("update/Code%1.txt").arg(n), contentOf(n));
}

TForm8 *shownWindow()
{
    TForm8 *form = registry().Form8;
    form->showForm();
    return form;
}

std::array<TButton *, 10> loadButtonsOf(TForm8 *form)
{
    return {form->Button1, form->Button2, form->Button3, form->Button4, form->Button5,
            form->Button6, form->Button7, form->Button8, form->Button9, form->Button10};
}

void install(TForm8 *form)
{
    QTest::mouseClick(form->Button12, Qt::LeftButton);
    QTest::mouseClick(form->Button13, Qt::LeftButton);
}

} // namespace

class TestComponentInstallation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void installRightAfterStart();
    void loadButtons_data();
    void loadButtons();
    void loadAllStopsAtFailingFile_data();
    void loadAllStopsAtFailingFile();
    void installedText_data();
    void installedText();
    void armedStateSurvivesClosing();
    void failedSaveLeavesWindowReady();
};

void TestComponentInstallation::installRightAfterStart()
{
    TestEnv env;
    TForm8 *form = shownWindow();
    QVERIFY(form->Button12->isVisible());
    QVERIFY(!form->Button13->isVisible());
    QVERIFY(!form->Memo11->isVisible());

    // While the warning is open, the button has not changed yet.
    bool lookedWhileOpen = false;
    env.services.whileModal = [&](const RecordingDesktopServices::Call &call) {
        QCOMPARE(call.kind, QStringLiteral("message"));
        QVERIFY(form->Button12->isVisible());
        QVERIFY(!form->Button13->isVisible());
        lookedWhileOpen = true;
    };
    QTest::mouseClick(form->Button12, Qt::LeftButton);
    env.services.whileModal = nullptr;
    QVERIFY(lookedWhileOpen);
    QCOMPARE(env.services.textsOf(QStringLiteral("message")), QStringList{warning});
    QVERIFY(!form->Button12->isVisible());
    QVERIFY(form->Button13->isVisible());
    QCOMPARE(form->Button13->geometry(), form->Button12->geometry());
    QVERIFY(!env.exists(QStringLiteral("Code.txt")));

    QTest::mouseClick(form->Button13, Qt::LeftButton);
    QByteArray expected;
    for (int n = 0; n < 10; ++n)
        expected += cp("Файл не загружен!\r\n");
    QCOMPARE(env.read(QStringLiteral("Code.txt")), expected);
    QCOMPARE(form->Memo11->text(), expected);
    QVERIFY(form->Button12->isVisible());
    QVERIFY(!form->Button13->isVisible());
    QCOMPARE(env.services.calls.size(), 1);

    // Again without changes: the same file, after one more warning.
    install(form);
    QCOMPARE(env.read(QStringLiteral("Code.txt")), expected);
    QCOMPARE(env.services.textsOf(QStringLiteral("message")).size(), 2);
}

void TestComponentInstallation::loadButtons_data()
{
    QTest::addColumn<int>("n");
    for (int n = 1; n <= 10; ++n)
        QTest::addRow("Button%d", n) << n;
}

void TestComponentInstallation::loadButtons()
{
    QFETCH(int, n);
    TestEnv env;
    writeCodeFiles(env);
    env.write(QStringLiteral("update/Code%1.txt").arg(n), "line\nlast");
    TForm8 *form = shownWindow();
    QCOMPARE(loadButtonsOf(form)[n - 1]->accessibleName().left(10), QStringLiteral("Загрузить "));
    QTest::mouseClick(loadButtonsOf(form)[n - 1], Qt::LeftButton);

    const auto boxes = form->fragments();
    for (int i = 1; i <= 10; ++i)
        QCOMPARE(boxes[i - 1]->text(), i == n ? QByteArray("line\r\nlast") : cp("Файл не загружен!\r\n"));
    QVERIFY(env.services.calls.isEmpty());
    QVERIFY(form->Button12->isVisible());
}

void TestComponentInstallation::loadAllStopsAtFailingFile_data()
{
    QTest::addColumn<int>("failing");
    QTest::addColumn<bool>("tooLarge");
    QTest::newRow("none") << 0 << false;
    QTest::newRow("code1 missing") << 1 << false;
    QTest::newRow("code4 missing") << 4 << false;
    QTest::newRow("code10 missing") << 10 << false;
    QTest::newRow("code7 too large") << 7 << true;
}

void TestComponentInstallation::loadAllStopsAtFailingFile()
{
    QFETCH(int, failing);
    QFETCH(bool, tooLarge);
    TestEnv env;
    writeCodeFiles(env);
    if (tooLarge) {
        env.write(QStringLiteral("update/Code%1.txt").arg(failing), QByteArray(64, 'x'));
        TMemo::setCapacity(63);
    } else if (failing) {
        QVERIFY(QFile::remove(env.path(QStringLiteral("update/Code%1.txt").arg(failing))));
    }
    TForm8 *form = shownWindow();
    form->Memo10->setText("kept");
    QTest::mouseClick(form->Button11, Qt::LeftButton);

    const auto boxes = form->fragments();
    for (int i = 1; i <= 10; ++i) {
        QByteArray before = i == 10 ? QByteArray("kept") : cp("Файл не загружен!\r\n");
        QCOMPARE(boxes[i - 1]->text(), !failing || i < failing ? contentOf(i) : before);
    }
    if (!failing)
        QVERIFY(env.services.calls.isEmpty());
    else if (tooLarge)
        QCOMPARE(env.services.textsOf(QStringLiteral("error")), QStringList{QStringLiteral("Text exceeds memo capacity.")});
    else
        kv::test::verifyFileError(env, QStringLiteral("open"), QStringLiteral("update/code%1.txt").arg(failing));
}

void TestComponentInstallation::installedText_data()
{
    QTest::addColumn<QByteArray>("fragment3"); // file 3, the title
    QTest::addColumn<QByteArray>("fragment7"); // file 7, the main code
    QTest::addColumn<QByteArray>("middle");    // what the installed text holds from 3 to 8
    QTest::newRow("each with a final break")
        << QByteArray("<title>T</title>\r\n") << QByteArray("<p>\r\n")
        << QByteArray("<title>T</title>\r\n<fragment 4>\r\n<fragment 5>\r\n<fragment 6>\r\n<p>\r\n<fragment 8>\r\n");
    QTest::newRow("without final breaks")
        << QByteArray("<title>T</title>") << QByteArray("<p>\n</p>")
        << QByteArray("<title>T</title><fragment 4>\r\n<fragment 5>\r\n<fragment 6>\r\n<p>\r\n</p><fragment 8>\r\n");
    QTest::newRow("empty files")
        << QByteArray() << QByteArray()
        << QByteArray("<fragment 2>\r\n<fragment 4>\r\n<fragment 5>\r\n<fragment 6>\r\n<fragment 8>\r\n");
}

void TestComponentInstallation::installedText()
{
    QFETCH(QByteArray, fragment3);
    QFETCH(QByteArray, fragment7);
    QFETCH(QByteArray, middle);
    TestEnv env;
    writeCodeFiles(env);
    env.write(QStringLiteral("update/Code3.txt"), fragment3);
    env.write(QStringLiteral("update/Code7.txt"), fragment7);
    TForm8 *form = shownWindow();
    QTest::mouseClick(form->Button11, Qt::LeftButton);
    // What the user types after loading is what gets installed.
    form->Memo10->setFocus();
    form->Memo10->moveCursor(QTextCursor::End);
    QTest::keyClicks(form->Memo10, QStringLiteral("<!-- end -->"));
    install(form);

    const QByteArray installed = env.read(QStringLiteral("Code.txt"));
    QCOMPARE(form->Memo11->text(), installed);
    QVERIFY2(installed.startsWith("<fragment 1>\r\n"), installed.constData());
    QVERIFY2(installed.contains(middle), installed.constData());
    QVERIFY(installed.endsWith("<fragment 9>\r\n<fragment 10>\r\n<!-- end -->"));
    // Nothing under "update" is written.
    QCOMPARE(env.read(QStringLiteral("update/Code3.txt")), fragment3);
}

void TestComponentInstallation::armedStateSurvivesClosing()
{
    TestEnv env;
    TForm8 *form = shownWindow();
    QTest::mouseClick(form->Button12, Qt::LeftButton);
    form->closeForm();
    form->showForm();
    QVERIFY(form->Button13->isVisible());
    QVERIFY(!form->Button12->isVisible());

    // Loading in between keeps the step.
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    env.services.calls.clear();
    QVERIFY(form->Button13->isVisible());

    QTest::mouseClick(form->Button13, Qt::LeftButton);
    QVERIFY(env.services.textsOf(QStringLiteral("message")).isEmpty());
    QCOMPARE(env.read(QStringLiteral("Code.txt")).count(cp("Файл не загружен!\r\n")), 10);
}

void TestComponentInstallation::failedSaveLeavesWindowReady()
{
    TestEnv env;
    QVERIFY(QDir(env.folder()).mkdir(QStringLiteral("Code.txt")));
    TForm8 *form = shownWindow();
    form->Memo1->setText("<html>\r\n");
    install(form);

    kv::test::verifyFileError(env, QStringLiteral("create"), QStringLiteral("Code.txt"));
    QVERIFY(form->Button12->isVisible());
    QVERIFY(!form->Button13->isVisible());
    QVERIFY(form->Memo11->text().startsWith("<html>\r\n"));
    QCOMPARE(form->Memo11->text().count(cp("Файл не загружен!\r\n")), 9);
}

QTEST_MAIN(TestComponentInstallation)
#include "tst_componentinstallation.moc"
