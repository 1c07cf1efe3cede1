// The download routine against a real HTTP server on 127.0.0.1: the whole
// resource or nothing, and never a damaged or half-written target.
#include "app/title.h"
#include "platform/controls.h"
#include "platform/download.h"
#include "platform/realdesktopservices.h"
#include "support/downloads.h"
#include "support/httpserver.h"
#include "support/testenv.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace kv;
using kv::test::HttpServer;
using kv::test::TestEnv;
using kv::test::readFile;
using kv::test::tempEntries;
using kv::test::tempFolder;

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
    void tricklingServerIsGivenUp_data();
    void tricklingServerIsGivenUp();
    void progressBoxCancels_data();
    void progressBoxCancels();
    void progressBoxFollowsTheTransfer();
    void commandsWaitForTheDownload_data();
    void commandsWaitForTheDownload();
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
    // Bytes that keep coming above the floor, however slowly, are no stalled transfer.
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

void TestDownload::tricklingServerIsGivenUp_data()
{
    QTest::addColumn<long>("floor"); // bytes a second; 0: the routine's own
    QTest::addColumn<QString>("pause"); // between two bytes, in seconds
    QTest::addColumn<int>("size");
    // Each server would deliver the whole resource (in 4 s and 18 s) if
    // left alone; the gaps are shorter than the 2 s the transfer may stay
    // below the floor, so only the rate gives them away.
    QTest::newRow("five bytes a second, the routine's floor") << 0L << QStringLiteral("0.2") << 20;
    QTest::newRow("a byte every 1.5 s, a floor of one") << 1L << QStringLiteral("1.5") << 12;
}

void TestDownload::tricklingServerIsGivenUp()
{
    QFETCH(long, floor);
    QFETCH(QString, pause);
    QFETCH(int, size);
    TestEnv env(false);
    kv::test::ShortStall limits;
    if (floor == 0)
        downloadSettings().lowSpeedBytesPerSecond = LowSpeedBytesPerSecond;
    else
        downloadSettings().lowSpeedBytesPerSecond = floor;
    env.write(QStringLiteral("drive_c/temp/RU.txt"), "earlier");
    HttpServer server(serverRoot(env, QByteArray(size, 't')), QStringLiteral("trickle:") + pause);
    QVERIFY(server.isRunning());
    server.routeHost(host);

    QVERIFY(!downloadToFile(url, target));
    QCOMPARE(readFile(tempFolder(env) + QStringLiteral("/RU.txt")), QByteArray("earlier"));
    QCOMPARE(tempEntries(env), QStringList{QStringLiteral("RU.txt")});
}

void TestDownload::progressBoxCancels_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Отмена") << QStringLiteral("button");
    QTest::newRow("Esc") << QStringLiteral("escape");
    QTest::newRow("close box") << QStringLiteral("close");
}

void TestDownload::progressBoxCancels()
{
    QFETCH(QString, how);
    TestEnv env(false);
    kv::test::ShortStall limits;
    env.write(QStringLiteral("drive_c/temp/RU.txt"), "earlier");
    // Left alone, the whole resource arrives after 10 s.
    HttpServer server(serverRoot(env, QByteArray(20, 'c')), QStringLiteral("trickle:0.5"));
    QVERIFY(server.isRunning());
    server.routeHost(host);
    QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);

    bool seen = false;
    QTimer::singleShot(300, [&] {
        QDialog *box = kv::test::shownProgressBox();
        QVERIFY(box);
        seen = true;
        QCOMPARE(box->windowTitle(), applicationTitle());
        QCOMPARE(box->windowModality(), Qt::ApplicationModal);
        QVERIFY(!box->parentWidget());
        QVERIFY(!box->testAttribute(Qt::WA_QuitOnClose));
        const QList<QPushButton *> buttons = box->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons.first()->text(), QString::fromUtf8("Отмена"));
        if (how == QStringLiteral("button"))
            QTest::mouseClick(buttons.first(), Qt::LeftButton);
        else if (how == QStringLiteral("escape"))
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->close();
    });
    RealDesktopServices real;
    QVERIFY(!real.download(url, target));
    QVERIFY(seen);
    QVERIFY(!kv::test::shownProgressBox());
    QCOMPARE(readFile(tempFolder(env) + QStringLiteral("/RU.txt")), QByteArray("earlier"));
    QCOMPARE(tempEntries(env), QStringList{QStringLiteral("RU.txt")});
    QCOMPARE(lastWindowClosed.count(), 0);
}

void TestDownload::progressBoxFollowsTheTransfer()
{
    TestEnv env(false);
    kv::test::ShortStall limits;
    QDir().mkpath(tempFolder(env));
    const QByteArray body(8, 'p');
    HttpServer server(serverRoot(env, body), QStringLiteral("trickle:0.25"));
    QVERIFY(server.isRunning());
    server.routeHost(host);

    // Halfway, the bar shows part of the announced size, and the UI thread
    // is free: this timer fires at all.
    int shownPart = -1;
    QTimer::singleShot(1200, [&] {
        if (QDialog *box = kv::test::shownProgressBox()) {
            const QProgressBar *bar = box->findChild<QProgressBar *>();
            shownPart = bar->maximum() > 0 ? bar->value() * 1000 / bar->maximum() : -1;
        }
    });
    RealDesktopServices real;
    QVERIFY(real.download(url, target));
    QVERIFY2(shownPart > 0 && shownPart < 1000, qPrintable(QString::number(shownPart)));
    QCOMPARE(readFile(tempFolder(env) + QStringLiteral("/RU.txt")), body);
    QVERIFY(!kv::test::shownProgressBox());
}

void TestDownload::commandsWaitForTheDownload_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("timer") << QStringLiteral("timer");
    QTest::newRow("menu item") << QStringLiteral("menu");
}

void TestDownload::commandsWaitForTheDownload()
{
    QFETCH(QString, source);
    TestEnv env(false);
    kv::test::ShortStall limits;
    QDir().mkpath(tempFolder(env));
    HttpServer server(serverRoot(env, QByteArray(6, 'w')), QStringLiteral("trickle:0.2"));
    QVERIFY(server.isRunning());
    server.routeHost(host);

    int runs = 0;
    bool ranDuringDownload = false;
    const auto command = [&] {
        ++runs;
        ranDuringDownload = ranDuringDownload || kv::test::shownProgressBox();
    };
    TTimer timer(nullptr, "Timer1", 300, command);
    timer.setSingleShot(true);
    TMenuItem item(nullptr, "N1", QStringLiteral("Item"));
    item.setOnClick(command);
    if (source == QStringLiteral("timer"))
        timer.start();
    else
        QTimer::singleShot(300, &item, &QAction::trigger);

    RealDesktopServices real;
    QVERIFY(real.download(url, target));
    QCOMPARE(runs, 0);
    QTRY_COMPARE(runs, 1);
    QVERIFY(!ranDuringDownload);
}

QTEST_MAIN(TestDownload)
#include "tst_download.moc"
