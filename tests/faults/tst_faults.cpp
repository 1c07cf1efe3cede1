// Faults from outside: a full disk, a program killed while it saves, a
// folder that cannot be read, a file another program holds open.
#include "platform/download.h"
#include "platform/tmemo.h"
#include "support/httpserver.h"
#include "support/testenv.h"
#include "text/errors.h"
#include "text/textfile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace kv;
using kv::test::TestEnv;

namespace {

// Files of `folder` that a failed or killed write left behind.
QStringList temporaries(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden);
}

// A file-size limit stands in for a full disk while `work` runs.
template<class Work> void withFullDisk(rlim_t bytes, Work work)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
    work();
    setrlimit(RLIMIT_FSIZE, &previous);
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fullDiskDuringDownload();
    void killedWhileSavingLeavesOldOrNew();
    void unreadableFolder();
    void fileHeldOpenByAnotherProgram();
};

void TestFaults::fullDiskDuringDownload()
{
    TestEnv env(false);
    env.write(QStringLiteral("server/hdd/DB/codes.zip"), QByteArray(1 << 20, 'z'));
    kv::test::HttpServer server(env.path(QStringLiteral("server")), QStringLiteral("serve"));
    QVERIFY(server.isRunning());
    server.routeHost(QStringLiteral(KVARNIS_UPDATE_HOST));
    QDir().mkpath(env.driveRoot() + QStringLiteral("/temp"));
    env.write(QStringLiteral("drive_c/temp/codes.ZIP"), "earlier");

    bool stored = true;
    withFullDisk(64 * 1024, [&] {
        stored = downloadToFile(QStringLiteral("http://" KVARNIS_UPDATE_HOST "/hdd/DB/codes.zip"), QStringLiteral("C:\\temp\\codes.ZIP"));
    });
    QVERIFY(!stored);
    QCOMPARE(env.read(QStringLiteral("drive_c/temp/codes.ZIP")), QByteArray("earlier"));
    QVERIFY(temporaries(env.driveRoot() + QStringLiteral("/temp")).isEmpty());
}

void TestFaults::killedWhileSavingLeavesOldOrNew()
{
    TestEnv env(false);
    const qsizetype bytes = 8 * 1024 * 1024;
    QRandomGenerator random(7);
    for (int round = 0; round < 8; ++round) {
        QProcess saver;
        saver.start(QStringLiteral(KVARNIS_TEST_SAVER), {env.folder(), QString::number(bytes)});
        QVERIFY(saver.waitForStarted());
        QTest::qWait(30 + random.bounded(120));
        ::kill(pid_t(saver.processId()), SIGKILL);
        QVERIFY(saver.waitForFinished());
        const QByteArray page = env.read(QStringLiteral("page.txt"));
        if (page.isEmpty() && !env.exists(QStringLiteral("page.txt")))
            continue; // killed before its first save ended: nothing was there to damage
        QCOMPARE(page.size(), bytes);
        QVERIFY2(page == QByteArray(bytes, 'a') || page == QByteArray(bytes, 'b'), "a mix of two versions");
        // A killed program cannot tidy up: what it leaves is its temporary
        // file, never a damaged page.
        for (const QString &left : temporaries(env.folder()))
            QFile::remove(env.path(left));
    }
}

void TestFaults::unreadableFolder()
{
    if (::geteuid() == 0)
        QSKIP("permissions do not bind the superuser");
    TestEnv env(false);
    env.write(QStringLiteral("locked/Code1.txt"), "x");
    QFile::setPermissions(env.path(QStringLiteral("locked")), QFileDevice::Permissions());
    TMemo memo(nullptr, "Memo1", {}, {"kept"});
    QVERIFY_THROWS_EXCEPTION(Error, memo.loadLines(QStringLiteral("locked\\Code1.txt")));
    QVERIFY_THROWS_EXCEPTION(Error, memo.saveLines(QStringLiteral("locked\\Code1.txt")));
    QCOMPARE(memo.text(), QByteArray("kept\r\n"));
    QFile::setPermissions(env.path(QStringLiteral("locked")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestFaults::fileHeldOpenByAnotherProgram()
{
    TestEnv env(false);
    env.write(QStringLiteral("Web.html"), "old page");
    // Another program holds the file open for reading while we save it.
    QProcess holder;
    holder.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exec 3<Web.html; echo open; read line; cat <&3")});
    QVERIFY(holder.waitForStarted());
    QVERIFY(holder.waitForReadyRead());
    QCOMPARE(holder.readLine(), QByteArray("open\n"));
    saveBytes("new page", QStringLiteral("Web.html"));
    QCOMPARE(env.read(QStringLiteral("Web.html")), QByteArray("new page"));
    // The reader goes on seeing the version it opened, whole.
    holder.write("go\n");
    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished());
    QCOMPARE(holder.readAllStandardOutput(), QByteArray("old page"));
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
