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
#include <sys/stat.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace kv;
using kv::test::TestEnv;

namespace {

// Files of `folder` that a failed or killed write left behind: every file
// but `kept`.
QStringList temporaries(const QString &folder, const QStringList &kept)
{
    QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : kept)
        left.removeAll(name);
    return left;
}

// While it lives, `folder` takes no new file, for want of permission: an
// immutable folder for the superuser (whom modes do not bind), a folder
// without write permission for anyone else.
class FolderTakingNoNewFile
{
public:
    explicit FolderTakingNoNewFile(const QString &folder)
        : m_folder(QFile::encodeName(folder))
    {
        if (::geteuid() == 0)
            m_ready = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) == 0;
        else
            m_ready = ::chmod(m_folder.constData(), 0555) == 0;
    }
    ~FolderTakingNoNewFile()
    {
        if (::geteuid() == 0)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), QString::fromLocal8Bit(m_folder)});
        else
            ::chmod(m_folder.constData(), 0755);
    }
    bool ready() const { return m_ready; }

private:
    QByteArray m_folder;
    bool m_ready = false;
};

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
    void folderTakingNoNewFile_data();
    void folderTakingNoNewFile();
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
    QCOMPARE(temporaries(env.driveRoot() + QStringLiteral("/temp"), {QStringLiteral("codes.ZIP")}), QStringList());
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
        for (const QString &left : temporaries(env.folder(), {QStringLiteral("page.txt")}))
            QFile::remove(env.path(left));
    }
}

void TestFaults::folderTakingNoNewFile_data()
{
    QTest::addColumn<bool>("earlierFile");
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("room on the disk") << true << false;
    QTest::newRow("disk full") << true << true;
    QTest::newRow("no earlier file") << false << false;
}

void TestFaults::folderTakingNoNewFile()
{
    // Where the folder refuses new files, an existing file is rewritten in
    // place; a disk too full for the new page leaves the earlier one whole.
    QFETCH(bool, earlierFile);
    QFETCH(bool, diskFull);
    TestEnv env(false);
    const QByteArray earlier(40 * 1024, 'o');
    const QByteArray page(200 * 1024, 'n');
    env.write(QStringLiteral("locked/Code1.txt"), earlier);
    if (!earlierFile)
        QVERIFY(QFile::remove(env.path(QStringLiteral("locked/Code1.txt"))));
    TMemo memo(nullptr, "Memo1", {});
    memo.setText(page);
    QString failure;
    {
        FolderTakingNoNewFile locked(env.path(QStringLiteral("locked")));
        if (!locked.ready())
            QSKIP("this file system cannot make a folder refuse new files");
        const auto save = [&] {
            try {
                memo.saveLines(QStringLiteral("locked\\code1.txt"));
            } catch (const Error &error) {
                failure = error.message();
            }
        };
        if (diskFull)
            withFullDisk(100 * 1024, save);
        else
            save();
    }
    if (!earlierFile) {
        // Nothing to rewrite: the new file cannot be made.
        const QString reason = systemReason(::geteuid() == 0 ? EPERM : EACCES);
        QCOMPARE(failure, QStringLiteral("Cannot create file \"%1\". %2").arg(env.path(QStringLiteral("locked/code1.txt")), reason));
        QVERIFY(QDir(env.path(QStringLiteral("locked"))).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
        return;
    }
    QCOMPARE(failure, diskFull ? QStringLiteral("Stream write error") : QString());
    QCOMPARE(env.read(QStringLiteral("locked/Code1.txt")), diskFull ? earlier : page);
    QCOMPARE(temporaries(env.path(QStringLiteral("locked")), {QStringLiteral("Code1.txt")}), QStringList());
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
