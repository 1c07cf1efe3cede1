// The download routine against a real HTTP server on 127.0.0.1: the whole
// resource or nothing, and never a damaged or half-written target.
#include "platform/download.h"
#include "support/httpserver.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <memory>

using namespace kv;
using kv::test::HttpServer;
using kv::test::TestEnv;

namespace {

const QString host = QStringLiteral(KVARNIS_UPDATE_HOST);
const QString url = QStringLiteral("http://" KVARNIS_UPDATE_HOST "/hdd/text/RU.txt");
const QString target = QStringLiteral("C:\\temp\\RU.txt");

// The server's files: "hdd/text/RU.txt" below the returned folder.
QString serverRoot(const TestEnv &env, const QByteArray &body)
{
    env.write(QStringLiteral("server/hdd/text/RU.txt"), body);
    return env.path(QStringLiteral("server"));
}

QString tempFolder(const TestEnv &env)
{
    return env.driveRoot() + QStringLiteral("/temp");
}

// Everything in C:\temp, hidden files included.
QStringList tempEntries(const TestEnv &env)
{
    return QDir(tempFolder(env)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray binaryBody(int size)
{
    QByteArray body(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        body[i] = char((i * 7 + i / 251) & 0xFF);
    return body;
}


} // namespace

class TestDownload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storesWholeResource_data();
    void storesWholeResource();
    void failureKeepsEarlierFile_data();
    void failureKeepsEarlierFile();
    void onlyHttpAndHttps_data();
    void onlyHttpAndHttps();
    void linkAtTargetIsReplacedNotFollowed();
    void missingFolderIsNotCreated();
};

void TestDownload::storesWholeResource_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("earlierFile");
    QTest::newRow("text") << QStringLiteral("serve") << QByteArray("line 1\r\nline 2\n") << false;
    QTest::newRow("replaces earlier file") << QStringLiteral("serve") << QByteArray("new") << true;
    QTest::newRow("empty resource") << QStringLiteral("serve") << QByteArray() << true;
    QTest::newRow("large binary") << QStringLiteral("serve") << binaryBody(3 << 20) << false;
    QTest::newRow("redirect") << QStringLiteral("redirect") << QByteArray("moved body") << false;
    // Bytes that keep coming, however slowly, are no stalled transfer.
    QTest::newRow("slow but steady") << QStringLiteral("drip") << QByteArray("012345") << false;
}

void TestDownload::storesWholeResource()
{
    QFETCH(QString, mode);
    QFETCH(QByteArray, body);
    QFETCH(bool, earlierFile);
    TestEnv env(false);
    kv::test::ShortStall stall;
    QDir().mkpath(tempFolder(env));
    if (earlierFile)
        env.write(QStringLiteral("drive_c/temp/RU.txt"), "old content");
    HttpServer server(serverRoot(env, body), mode);
    QVERIFY(server.isRunning());
    server.routeHost(host);

    QVERIFY(downloadToFile(url, target));
    QCOMPARE(readFile(tempFolder(env) + QStringLiteral("/RU.txt")), body);
    QCOMPARE(tempEntries(env), QStringList{QStringLiteral("RU.txt")});
}

void TestDownload::failureKeepsEarlierFile_data()
{
    QTest::addColumn<QString>("mode"); // empty: nothing listens on the port
    QTest::newRow("404") << QStringLiteral("404");
    QTest::newRow("500") << QStringLiteral("500");
    QTest::newRow("redirect without a target") << QStringLiteral("302");
    QTest::newRow("missing resource") << QStringLiteral("serve-missing");
    QTest::newRow("truncated body") << QStringLiteral("truncate");
    QTest::newRow("truncated chunked body") << QStringLiteral("truncate-chunked");
    QTest::newRow("stalled body") << QStringLiteral("stall");
    QTest::newRow("no answer at all") << QStringLiteral("silent");
    QTest::newRow("redirect to a local file") << QStringLiteral("redirect-file");
    QTest::newRow("dead port") << QString();
}

void TestDownload::failureKeepsEarlierFile()
{
    QFETCH(QString, mode);
    TestEnv env(false);
    kv::test::ShortStall stall;
    env.write(QStringLiteral("drive_c/temp/RU.txt"), "earlier");
    const QByteArray body = binaryBody(64 << 10);
    const QString root = serverRoot(env, body);
    if (mode == QStringLiteral("serve-missing"))
        QFile::remove(root + QStringLiteral("/hdd/text/RU.txt"));
    std::unique_ptr<HttpServer> server;
    if (mode.isEmpty()) {
        kv::test::routeHost(host, kv::test::deadPort());
    } else {
        server = std::make_unique<HttpServer>(root, mode == QStringLiteral("serve-missing") ? QStringLiteral("serve") : mode);
        QVERIFY(server->isRunning());
        server->routeHost(host);
    }

    QVERIFY(!downloadToFile(url, target));
    QCOMPARE(readFile(tempFolder(env) + QStringLiteral("/RU.txt")), QByteArray("earlier"));
    QCOMPARE(tempEntries(env), QStringList{QStringLiteral("RU.txt")});
    downloadSettings().connectTo.clear();
}

void TestDownload::onlyHttpAndHttps_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("file") << QStringLiteral("file://FOLDER/server/hdd/text/RU.txt");
    QTest::newRow("ftp") << QStringLiteral("ftp://127.0.0.1:PORT/hdd/text/RU.txt");
    QTest::newRow("no scheme") << QStringLiteral("127.0.0.1:PORT/hdd/text/RU.txt");
}

void TestDownload::onlyHttpAndHttps()
{
    QFETCH(QString, address);
    TestEnv env(false);
    QDir().mkpath(tempFolder(env));
    HttpServer server(serverRoot(env, "secret"), QStringLiteral("serve"));
    QVERIFY(server.isRunning());
    // Without a scheme libcurl would guess http; the routine refuses to guess.
    address.replace(QStringLiteral("FOLDER"), env.folder()).replace(QStringLiteral("PORT"), QString::number(server.port()));
    QVERIFY(!downloadToFile(address, target));
    QVERIFY(tempEntries(env).isEmpty());
}

void TestDownload::linkAtTargetIsReplacedNotFollowed()
{
    TestEnv env(false);
    QDir().mkpath(tempFolder(env));
    env.write(QStringLiteral("outside.txt"), "keep me");
    const QString link = tempFolder(env) + QStringLiteral("/RU.txt");
    QVERIFY(QFile::link(env.path(QStringLiteral("outside.txt")), link));

    {
        HttpServer failing(env.folder(), QStringLiteral("404"));
        QVERIFY(failing.isRunning());
        failing.routeHost(host);
        QVERIFY(!downloadToFile(url, target));
        QVERIFY(QFileInfo(link).isSymLink());
    }
    HttpServer server(serverRoot(env, "downloaded"), QStringLiteral("serve"));
    QVERIFY(server.isRunning());
    server.routeHost(host);
    QVERIFY(downloadToFile(url, target));
    QVERIFY(!QFileInfo(link).isSymLink());
    QCOMPARE(readFile(link), QByteArray("downloaded"));
    QCOMPARE(env.read(QStringLiteral("outside.txt")), QByteArray("keep me"));
}

void TestDownload::missingFolderIsNotCreated()
{
    TestEnv env(false);
    HttpServer server(serverRoot(env, "body"), QStringLiteral("serve"));
    QVERIFY(server.isRunning());
    server.routeHost(host);
    QVERIFY(!downloadToFile(url, target));
    QVERIFY(!QFileInfo::exists(tempFolder(env)));

    // A folder where the file should be stays a folder.
    QDir().mkpath(tempFolder(env) + QStringLiteral("/RU.txt"));
    QVERIFY(!downloadToFile(url, target));
    QVERIFY(QFileInfo(tempFolder(env) + QStringLiteral("/RU.txt")).isDir());
}

QTEST_MAIN(TestDownload)
#include "tst_download.moc"
