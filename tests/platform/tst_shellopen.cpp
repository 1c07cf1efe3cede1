// Shell-open on Linux: batch files and programs are started directly, never
// through a command line built from a file name.
#include "platform/realdesktopservices.h"
#include "support/testenv.h"

#include <QDir>
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

QTEST_MAIN(TestShellOpen)
#include "tst_shellopen.moc"
