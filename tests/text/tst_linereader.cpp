// The line-by-line reader of downloaded text files: its line rules and its
// numbered errors.
#include "support/testenv.h"
#include "text/textfilereader.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTest>

#include <csignal>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kv;
using kv::test::TestEnv;

namespace {

QList<QByteArray> lines(std::initializer_list<QByteArray> items)
{
    return QList<QByteArray>(items);
}

// Reads "C:\temp\RU.txt" in a child process that may neither wait nor
// grow for long, so a reader that blocks or reads without end fails the test
// instead of hanging it or filling the memory. The child's exit code is the
// reader's error when no line was read, 200 when lines were.
int guardedReadError(QString *failure)
{
    const pid_t child = fork();
    if (child == 0) {
        const kv::test::HangGuard guard(5, 512ULL << 20);
        const TextFileLines read = readTextFileLines(QStringLiteral("C:\\temp\\RU.txt"));
        _exit(read.lines.isEmpty() ? read.error : 200);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        *failure = QStringLiteral("no child process");
        return -1;
    }
    if (WIFSIGNALED(status)) {
        *failure = WTERMSIG(status) == SIGALRM ? QStringLiteral("the reader did not return within 5 s")
                                               : QStringLiteral("the reader died of signal %1").arg(WTERMSIG(status));
        return -1;
    }
    return WEXITSTATUS(status);
}

} // namespace

class TestLineReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineRules_data();
    void lineRules();
    void linesOfAnyLength();
    void errors_data();
    void errors();
    void unreadableFile();
    void onlyRegularFiles_data();
    void onlyRegularFiles();
    void messages_data();
    void messages();
};

void TestLineReader::lineRules_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<QByteArray>>("lines");
    const QByteArray eof(1, char(26));
    QTest::newRow("empty file") << QByteArray() << lines({});
    QTest::newRow("lf ends") << QByteArray("a\nb\n") << lines({"a", "b"});
    QTest::newRow("crlf ends") << QByteArray("a\r\nb\r\n") << lines({"a", "b"});
    QTest::newRow("last line without an end") << QByteArray("a\r\nb") << lines({"a", "b"});
    QTest::newRow("only a line end") << QByteArray("\r\n") << lines({""});
    QTest::newRow("empty lines stay") << QByteArray("a\n\n\r\nb\n") << lines({"a", "", "", "b"});
    QTest::newRow("lone cr dropped") << QByteArray("a\rb\r\n\rc\r") << lines({"ab", "c"});
    QTest::newRow("cr cr lf") << QByteArray("a\r\r\nb") << lines({"a", "b"});
    QTest::newRow("lf cr") << QByteArray("a\n\rb") << lines({"a", "b"});
    QTest::newRow("eof mark at a line start") << QByteArray("a\n" + eof + "b\nc\n") << lines({"a"});
    QTest::newRow("eof mark first") << QByteArray(eof + "a\n") << lines({});
    QTest::newRow("eof mark inside a line") << QByteArray("ab" + eof + "cd\r\nef\n") << lines({"ab", "ef"});
    QTest::newRow("eof mark ends the last line") << QByteArray("ab" + eof + "cd") << lines({"ab"});
    QTest::newRow("second eof mark ends reading") << QByteArray("ab" + eof + "c" + eof + "d\nef\n") << lines({"ab"});
    QTest::newRow("eof mark right after the line end") << QByteArray("ab\r\n" + eof) << lines({"ab"});
    QTest::newRow("code page bytes as they stand")
        << QByteArray("\xCA\xE2\xE0\xF0\xED\xE8\xF1\t\xA0\xFF\n") << lines({"\xCA\xE2\xE0\xF0\xED\xE8\xF1\t\xA0\xFF"});
    QTest::newRow("zero byte inside a line") << QByteArray("a\0b\nc", 5) << lines({QByteArray("a\0b", 3), "c"});
}

void TestLineReader::lineRules()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<QByteArray>, lines);
    TestEnv env(false);
    QDir().mkpath(env.driveRoot() + QStringLiteral("/temp"));
    env.write(QStringLiteral("drive_c/temp/RU.txt"), file);
    const TextFileLines read = readTextFileLines(QStringLiteral("C:\\temp\\RU.txt"));
    QCOMPARE(read.error, 0);
    QCOMPARE(read.lines, lines);
}

void TestLineReader::linesOfAnyLength()
{
    // Longer than any buffer the reader might use.
    const QByteArray longLine(300000, 'x');
    QCOMPARE(splitTextFileLines(longLine + "\r\n" + longLine), lines({longLine, longLine}));
}

void TestLineReader::errors_data()
{
    QTest::addColumn<QString>("make"); // what stands in the drive before reading "C:\temp\RU.txt"
    QTest::addColumn<int>("error");
    QTest::newRow("folder exists, file missing") << QStringLiteral("temp/") << 2;
    QTest::newRow("folder missing") << QString() << 3;
    QTest::newRow("folder is a file") << QStringLiteral("temp") << 3;
    QTest::newRow("file is a folder") << QStringLiteral("temp/RU.txt/") << 5;
}

void TestLineReader::errors()
{
    QFETCH(QString, make);
    QFETCH(int, error);
    TestEnv env(false);
    if (make.endsWith(u'/'))
        QDir().mkpath(env.driveRoot() + u'/' + make);
    else if (!make.isEmpty())
        env.write(QStringLiteral("drive_c/") + make, "x");
    const TextFileLines read = readTextFileLines(QStringLiteral("C:\\temp\\RU.txt"));
    QCOMPARE(read.error, error);
    QVERIFY(read.lines.isEmpty());
    // The reader never creates the folder.
    if (make.isEmpty())
        QVERIFY(!QFileInfo::exists(env.driveRoot() + QStringLiteral("/temp")));
}

void TestLineReader::unreadableFile()
{
    if (geteuid() == 0)
        QSKIP("root reads any file");
    TestEnv env(false);
    env.write(QStringLiteral("drive_c/temp/RU.txt"), "a\n");
    QFile::setPermissions(env.driveRoot() + QStringLiteral("/temp/RU.txt"), QFileDevice::WriteOwner);
    QCOMPARE(readTextFileLines(QStringLiteral("C:\\temp\\RU.txt")).error, 5);
}

void TestLineReader::onlyRegularFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << QStringLiteral("fifo");
    QTest::newRow("link to a device") << QStringLiteral("device");
    QTest::newRow("socket") << QStringLiteral("socket");
}

void TestLineReader::onlyRegularFiles()
{
    QFETCH(QString, kind);
    TestEnv env(false);
    const QString temp = env.driveRoot() + QStringLiteral("/temp");
    QDir().mkpath(temp);
    const QString file = temp + QStringLiteral("/RU.txt");
    QLocalServer socket;
    if (kind == QStringLiteral("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    else if (kind == QStringLiteral("device"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), file));
    else
        QVERIFY(socket.listen(file));
    // Refused at once as a folder is: "File access denied".
    QString failure;
    const int error = guardedReadError(&failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(error, 5);
}

void TestLineReader::messages_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("2") << 2 << QStringLiteral("File not found");
    QTest::newRow("3") << 3 << QStringLiteral("Invalid filename");
    QTest::newRow("4") << 4 << QStringLiteral("Too many open files");
    QTest::newRow("5") << 5 << QStringLiteral("File access denied");
    QTest::newRow("100") << 100 << QStringLiteral("Read beyond end of file");
    QTest::newRow("101") << 101 << QStringLiteral("Disk full");
    QTest::newRow("106") << 106 << QStringLiteral("Invalid numeric input");
    QTest::newRow("other") << 30 << QStringLiteral("I/O error 30");
    QTest::newRow("between named codes") << 102 << QStringLiteral("I/O error 102");
}

void TestLineReader::messages()
{
    QFETCH(int, code);
    QFETCH(QString, message);
    QCOMPARE(textFileErrorMessage(code), message);
}

QTEST_MAIN(TestLineReader)
#include "tst_linereader.moc"
