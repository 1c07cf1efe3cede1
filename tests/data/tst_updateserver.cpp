// The update server's files, as the build lays them out in build/server, and
// scripts/update-server, which serves them on 127.0.0.1 both to plain
// requests and as an HTTP proxy, and nothing outside its folder. The package
// installation window reaches it, unchanged, through http_proxy.
#include "supplied.h"

#include "app/registry.h"
#include "platform/download.h"
#include "support/httpserver.h"
#include "support/testenv.h"
#include "windows/package_installation/packageinstallationwindow.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <algorithm>

using namespace kv::test::supplied;
using kv::test::TestEnv;

namespace {

const QString host = QStringLiteral(KVARNIS_UPDATE_HOST);
const char *const textFiles[] = {"RU", "RUa", "RUb", "RUc"};

QString serverDir()
{
    return buildDir() + QStringLiteral("/server");
}

// scripts/update-server on a free port, ended with the object.
struct UpdateServer : kv::test::ServerProcess
{
    explicit UpdateServer(const QString &root)
        : ServerProcess({sourceDir() + QStringLiteral("/scripts/update-server"), QStringLiteral("--port"),
                         QStringLiteral("0"), QStringLiteral("--root"), root})
    {
    }
};

struct Reply
{
    int status = 0;
    QByteArray body;
};

// One request with `target` exactly as given, as a client or a proxy client sends it.
Reply request(int port, const QByteArray &target)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    if (!socket.waitForConnected(5000))
        return {};
    socket.write("GET " + target + " HTTP/1.1\r\nHost: " + host.toLatin1() + "\r\nConnection: close\r\n\r\n");
    QByteArray bytes;
    while (socket.waitForReadyRead(5000) || socket.bytesAvailable())
        bytes += socket.readAll();
    bytes += socket.readAll();
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (!bytes.startsWith("HTTP/1.") || end < 0)
        return {};
    return {bytes.mid(9, 3).toInt(), bytes.mid(end + 4)};
}

// Windows-1251 text with CR LF line breaks, the last line ended too.
void verifyProgramText(const QString &name, const QByteArray &bytes)
{
    QVERIFY2(!bytes.isEmpty(), qPrintable(name));
    QVERIFY2(bytes.endsWith("\r\n"), qPrintable(name));
    QVERIFY2(!QByteArray(bytes).replace("\r\n", "").contains('\n'), qPrintable(name + QStringLiteral(": a lone LF")));
    QVERIFY2(!QByteArray(bytes).replace("\r\n", "").contains('\r'), qPrintable(name + QStringLiteral(": a lone CR")));
    // 0x98 is the one byte Windows-1251 leaves unassigned; Russian text kept
    // as UTF-8 would read as valid UTF-8.
    QVERIFY2(!bytes.contains('\x98'), qPrintable(name));
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    QVERIFY2(ascii || QString::fromUtf8(bytes).contains(QChar::ReplacementCharacter),
             qPrintable(name + QStringLiteral(" is UTF-8")));
}

// Every line with text, wrapped as on screen, lies inside the box's view:
// the end of each such line is placed above the view's bottom edge.
bool showsWhole(kv::TMemo *memo)
{
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text().isEmpty())
            continue;
        QTextCursor end(block);
        end.movePosition(QTextCursor::EndOfBlock);
        if (memo->cursorRect(end).bottom() >= memo->viewport()->height())
            return false;
    }
    return true;
}

} // namespace

class TestUpdateServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void textsAreTheProgramsText_data();
    void textsAreTheProgramsText();
    void archiveUnpacksIntoUpdate();
    void servesTheBuiltFiles_data();
    void servesTheBuiltFiles();
    void refusesWhatIsNotBelowItsRoot_data();
    void refusesWhatIsNotBelowItsRoot();
    void refusesALinkOutOfItsRoot();
    void packageInstallationThroughTheProxy();
};

void TestUpdateServer::initTestCase()
{
    QVERIFY2(QFileInfo(serverDir() + QStringLiteral("/hdd/DB/codes.zip")).isFile(), "the build lays out build/server");
}

void TestUpdateServer::cleanup()
{
    qunsetenv("http_proxy");
}

void TestUpdateServer::textsAreTheProgramsText_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("oneLine");
    // The first two fill text boxes one line high.
    QTest::newRow("RU") << QStringLiteral("RU.txt") << true;
    QTest::newRow("RUa") << QStringLiteral("RUa.txt") << true;
    QTest::newRow("RUb") << QStringLiteral("RUb.txt") << false;
    QTest::newRow("RUc") << QStringLiteral("RUc.txt") << false;
}

void TestUpdateServer::textsAreTheProgramsText()
{
    QFETCH(QString, file);
    QFETCH(bool, oneLine);
    const QByteArray bytes = readFile(serverDir() + QStringLiteral("/hdd/text/") + file);
    verifyProgramText(file, bytes);
    if (oneLine)
        QCOMPARE(bytes.count("\r\n"), 1);
}

void TestUpdateServer::archiveUnpacksIntoUpdate()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString update = dir.path() + QStringLiteral("/update");
    QProcess unzip;
    unzip.setProcessChannelMode(QProcess::MergedChannels);
    unzip.start(QStringLiteral("python3"), {QStringLiteral("-m"), QStringLiteral("zipfile"), QStringLiteral("-e"),
                                            serverDir() + QStringLiteral("/hdd/DB/codes.zip"), update});
    QVERIFY(unzip.waitForFinished(30000));
    QVERIFY2(unzip.exitCode() == 0, unzip.readAll().constData());

    // The numbered code files and nothing else, straight in the folder.
    QStringList expected;
    for (int n = 1; n <= 10; ++n)
        expected.append(QStringLiteral("Code%1.txt").arg(n));
    expected.sort();
    QCOMPARE(filesBelow(update), expected);
    QByteArray page;
    for (int n = 1; n <= 10; ++n) {
        const QByteArray bytes = readFile(update + QStringLiteral("/Code%1.txt").arg(n));
        verifyProgramText(QStringLiteral("Code%1.txt").arg(n), bytes);
        page += bytes;
    }
    // Joined in order they make a whole page.
    QVERIFY2(page.startsWith("<html>\r\n") && page.endsWith("</html>\r\n"), page.constData());
    QVERIFY(page.contains("<body") && page.contains("</body>"));
}

void TestUpdateServer::servesTheBuiltFiles_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QString>("file");
    for (const char *text : textFiles) {
        const QByteArray path = QByteArray("/hdd/text/") + text + ".txt";
        QTest::addRow("%s", path.constData()) << path << serverDir() + QString::fromLatin1(path);
        QTest::addRow("proxy %s", path.constData())
            << QByteArray("http://" + host.toLatin1() + path) << serverDir() + QString::fromLatin1(path);
    }
    const QByteArray archive = "/hdd/DB/codes.zip";
    QTest::addRow("%s", archive.constData()) << archive << serverDir() + QString::fromLatin1(archive);
    QTest::addRow("proxy %s", archive.constData())
        << QByteArray("http://" + host.toLatin1() + archive) << serverDir() + QString::fromLatin1(archive);
    // A proxy client may spell the host in capitals; a query is not part of the file name.
    QTest::addRow("proxy, host in capitals")
        << QByteArray("http://" + host.toUpper().toLatin1() + "/hdd/text/RU.txt") << serverDir() + QStringLiteral("/hdd/text/RU.txt");
    QTest::addRow("with a query") << QByteArray("/hdd/text/RUa.txt?x=1") << serverDir() + QStringLiteral("/hdd/text/RUa.txt");
}

void TestUpdateServer::servesTheBuiltFiles()
{
    QFETCH(QByteArray, target);
    QFETCH(QString, file);
    UpdateServer server(serverDir());
    QVERIFY(server.port() > 0);
    const Reply reply = request(server.port(), target);
    QCOMPARE(reply.status, 200);
    const QByteArray expected = readFile(file);
    QVERIFY(!expected.isEmpty());
    QVERIFY(reply.body == expected);
}

void TestUpdateServer::refusesWhatIsNotBelowItsRoot_data()
{
    // build/CMakeCache.txt lies one folder above build/server.
    QTest::addColumn<QByteArray>("target");
    QTest::newRow("dot-dot") << QByteArray("/../CMakeCache.txt");
    QTest::newRow("dot-dot inside") << QByteArray("/hdd/../../CMakeCache.txt");
    QTest::newRow("encoded dot-dot") << QByteArray("/hdd/%2e%2e/%2E%2E/CMakeCache.txt");
    QTest::newRow("encoded slash") << QByteArray("/..%2fCMakeCache.txt");
    QTest::newRow("backslash") << QByteArray("/hdd/..%5c..%5cCMakeCache.txt");
    QTest::newRow("proxy dot-dot") << QByteArray("http://" + host.toLatin1() + "/../CMakeCache.txt");
    QTest::newRow("absolute path") << QByteArray("//" + QDir(buildDir()).absolutePath().toLatin1() + "/CMakeCache.txt");
    QTest::newRow("not a path") << QByteArray("CMakeCache.txt");
    QTest::newRow("zero byte") << QByteArray("/hdd/text/RU.txt%00");
    QTest::newRow("another scheme") << QByteArray("file:///etc/passwd");
    QTest::newRow("a folder") << QByteArray("/hdd/text/");
    QTest::newRow("the root") << QByteArray("/");
}

void TestUpdateServer::refusesWhatIsNotBelowItsRoot()
{
    QFETCH(QByteArray, target);
    UpdateServer server(serverDir());
    QVERIFY(server.port() > 0);
    const Reply reply = request(server.port(), target);
    QVERIFY2(reply.status >= 400 && reply.status < 500, qPrintable(QString::number(reply.status)));
    QVERIFY(!reply.body.contains("CMAKE_COMMAND") && !reply.body.contains("root:") && !reply.body.contains("RU.txt"));
}

void TestUpdateServer::refusesALinkOutOfItsRoot()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path() + QStringLiteral("/root");
    QVERIFY(writeFile(dir.path() + QStringLiteral("/secret.txt"), "secret"));
    QVERIFY(writeFile(root + QStringLiteral("/hdd/text/RU.txt"), "RU\r\n"));
    QVERIFY(QFile::link(dir.path() + QStringLiteral("/secret.txt"), root + QStringLiteral("/hdd/text/RUa.txt")));
    QVERIFY(QFile::link(dir.path(), root + QStringLiteral("/hdd/up")));
    UpdateServer server(root);
    QVERIFY(server.port() > 0);
    QCOMPARE(request(server.port(), "/hdd/text/RU.txt").body, QByteArray("RU\r\n"));
    for (const QByteArray target : {QByteArray("/hdd/text/RUa.txt"), QByteArray("/hdd/up/secret.txt")}) {
        const Reply reply = request(server.port(), target);
        QVERIFY2(reply.status >= 400 && reply.status < 500, target.constData());
        QVERIFY(!reply.body.contains("secret"));
    }
}

void TestUpdateServer::packageInstallationThroughTheProxy()
{
    // The program as it is built, pointed at the server only through the
    // environment variable libcurl honours.
    UpdateServer server(serverDir());
    QVERIFY(server.port() > 0);
    TestEnv env;
    kv::downloadSettings().connectTo.clear();
    qunsetenv("no_proxy");
    qunsetenv("NO_PROXY");
    qputenv("http_proxy", QByteArray("http://127.0.0.1:") + QByteArray::number(server.port()));
    QDir().mkpath(env.driveRoot() + QStringLiteral("/temp"));
    kv::TForm11 *form = kv::registry().Form11;
    form->showForm();

    QTest::mouseClick(form->BitBtn4, Qt::LeftButton); // "Обновить"
    QTest::mouseClick(form->BitBtn8, Qt::LeftButton); // "Показать"
    QCOMPARE(env.services.textsOf(QStringLiteral("error")), QStringList());
    const QString success = QString::fromUtf8("Информация успешно загружена с сервера <") + host + u'>';
    QCOMPARE(env.services.textsOf(QStringLiteral("message")), QStringList(4, success));
    const QList<kv::TMemo *> memos{form->Memo1, form->Memo2, form->Memo3, form->Memo4};
    for (int i = 0; i < 4; ++i) {
        const QString file = QStringLiteral("/hdd/text/%1.txt").arg(QLatin1String(textFiles[i]));
        QCOMPARE(memos.at(i)->text(), readFile(serverDir() + file));
        // The boxes have no scroll bars: the texts are written to be read whole.
        QVERIFY2(showsWhole(memos.at(i)), textFiles[i]);
    }

    QTest::mouseClick(form->BitBtn1, Qt::LeftButton); // "Загрузить"
    QCOMPARE(env.services.textsOf(QStringLiteral("message")).last(),
             QString::fromUtf8("Соединение с сервером <") + host + QStringLiteral("> = SUCCESFUL!"));
    QVERIFY(readFile(env.driveRoot() + QStringLiteral("/temp/codes.ZIP")) == readFile(serverDir() + QStringLiteral("/hdd/DB/codes.zip")));
}

QTEST_MAIN(TestUpdateServer)
#include "tst_updateserver.moc"
