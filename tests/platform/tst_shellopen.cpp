// Shell-open on Linux: batch files and programs are started directly, never
// through a command line built from a file name.
#include "platform/realdesktopservices.h"
#include "support/testenv.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QFile>
#include <QTest>

using namespace kv;
using kv::test::TestEnv;

class TestShellOpen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void batchFileRunsInWorkingFolder_data();
    void batchFileRunsInWorkingFolder();
    void executableStartsDirectly();
    void missingTargetDoesNothing();
    void filterForTheFileDialog();
    void fileDialogTakesTypedName_data();
    void fileDialogTakesTypedName();
};

void TestShellOpen::batchFileRunsInWorkingFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << QStringLiteral("bin\\delcodes.bat");
    QTest::newRow("upper case") << QStringLiteral("DELWEB.BAT");
    QTest::newRow("hostile") << QStringLiteral("-x; touch pwned $(touch pwned2) `touch pwned3`.bat");
}

void TestShellOpen::batchFileRunsInWorkingFolder()
{
    QFETCH(QString, name);
    TestEnv env(false);
    QString onDisk = name;
    env.write(onDisk.replace(u'\\', u'/'), "pwd > ran.txt\n");
    RealDesktopServices().shellOpen(name, ShowMode::Hide);
    QTRY_VERIFY_WITH_TIMEOUT(env.read(QStringLiteral("ran.txt")).size() > 0, 10000);
    QCOMPARE(env.read(QStringLiteral("ran.txt")).trimmed(), QFile::encodeName(QDir::currentPath()));
    for (const char *injected : {"pwned", "pwned2", "pwned3"})
        QVERIFY(!env.exists(QString::fromLatin1(injected)));
}

void TestShellOpen::executableStartsDirectly()
{
    TestEnv env(false);
    env.write(QStringLiteral("Tavrel.exe"), "#!/bin/sh\necho started > started.txt\n");
    QFile::setPermissions(env.path(QStringLiteral("Tavrel.exe")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    RealDesktopServices().shellOpen(QStringLiteral("Tavrel.exe"), ShowMode::Show);
    QTRY_COMPARE_WITH_TIMEOUT(env.read(QStringLiteral("started.txt")), QByteArray("started\n"), 10000);
}

void TestShellOpen::missingTargetDoesNothing()
{
    TestEnv env(false);
    RealDesktopServices real;
    real.shellOpen(QStringLiteral("update\\create.bat"), ShowMode::Show);
    real.shellOpen(QStringLiteral("Tavrel.exe"), ShowMode::Show);
    QTest::qWait(200);
    QVERIFY(QDir(env.folder()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

void TestShellOpen::filterForTheFileDialog()
{
    QCOMPARE(qtFileFilter(QStringLiteral("Проект|*.wp")), QStringLiteral("Проект (*.wp)"));
    QCOMPARE(qtFileFilter(QStringLiteral("A|*.a;*.b|B|*.*")), QStringLiteral("A (*.a *.b);;B (*.*)"));
}

void TestShellOpen::fileDialogTakesTypedName_data()
{
    QTest::addColumn<QString>("typed"); // "" cancels with Esc
    QTest::addColumn<bool>("chosen");
    QTest::newRow("existing project") << QStringLiteral("my.wp") << true;
    QTest::newRow("name of no file") << QStringLiteral("nothing.wp") << true;
    QTest::newRow("cancel") << QString() << false;
}

void TestShellOpen::fileDialogTakesTypedName()
{
    QFETCH(QString, typed);
    QFETCH(bool, chosen);
    TestEnv env(false);
    env.write(QStringLiteral("my.wp"), "project\n");
    bool refused = false;
    QTimer::singleShot(100, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (typed.isEmpty()) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        // The dialog starts in the folder it last showed, which an earlier row removed.
        dialog->setDirectory(env.folder());
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        QTest::keyClicks(edit, typed);
        // A warning of the dialog's own would open on Return and wait for an answer.
        QTimer::singleShot(200, dialog, [&refused] {
            if (QWidget *warning = QApplication::activeModalWidget(); qobject_cast<QMessageBox *>(warning)) {
                refused = true;
                warning->close();
            }
        });
        QTest::keyClick(edit, Qt::Key_Return);
        if (dialog->isVisible()) {
            refused = true;
            dialog->reject();
        }
    });
    const std::optional<QString> answer = RealDesktopServices().openFileDialog(nullptr, QStringLiteral("Проект|*.wp"));
    QVERIFY(!refused);
    QCOMPARE(answer.has_value(), chosen);
    if (chosen)
        QCOMPARE(QFileInfo(*answer).absoluteFilePath(), QFileInfo(env.path(typed)).absoluteFilePath());
}

QTEST_MAIN(TestShellOpen)
#include "tst_shellopen.moc"
