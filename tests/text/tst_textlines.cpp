// Text lines: the byte rules of text boxes and of the files they are saved
// to and loaded from.
#include "platform/tmemo.h"
#include "support/testenv.h"
#include "text/codepage.h"
#include "text/errors.h"
#include "text/filenames.h"
#include "text/textfile.h"

#include <QFile>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace kv;
using kv::test::TestEnv;

class TestTextLines : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyByteSurvivesLoadAndSave();
    void normalisation_data();
    void normalisation();
    void appendLine_data();
    void appendLine();
    void appendLines_data();
    void appendLines();
    void setTextKeepsBytesExactly();
    void zeroByteEndsText();
    void capacityKeepsPreviousText();
    void periodRule_data();
    void periodRule();
    void missingFileReportsFullPathAndReason();
    void saveIntoMissingFolderCreatesNothing();
    void saveRefusesReadOnlyFileAndFolder();
    void saveKeepsPermissionsAndFollowsLinks();
    void caseInsensitiveNames();
    void driveRoot();
    void typedTextBecomesBytes();
    void copyKeepsNoBreakSpace();
};

void TestTextLines::everyByteSurvivesLoadAndSave()
{
    TestEnv env(false);
    QByteArray bytes;
    for (int b = 1; b < 256; ++b)
        bytes.append(char(b));
    // Mixed breaks: CR, LF, CR LF and LF CR.
    bytes += "a\rb\nc\r\nd\n\re";
    env.write(QStringLiteral("in.txt"), bytes);

    TMemo memo(nullptr, "Memo1", {});
    memo.loadLines(QStringLiteral("in.txt"));
    memo.saveLines(QStringLiteral("out.txt"));
    QCOMPARE(env.read(QStringLiteral("out.txt")), normaliseLineBreaks(bytes));
    QVERIFY(env.read(QStringLiteral("out.txt")).endsWith("a\r\nb\r\nc\r\nd\r\n\r\ne"));
}

void TestTextLines::normalisation_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("lf only") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("crlf without final break") << QByteArray("a\r\nb") << QByteArray("a\r\nb");
    QTest::newRow("lone cr") << QByteArray("a\rb") << QByteArray("a\r\nb");
    QTest::newRow("lf cr is two breaks") << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb");
    QTest::newRow("cr cr lf") << QByteArray("\r\r\n") << QByteArray("\r\n\r\n");
    QTest::newRow("final cr") << QByteArray("x\r") << QByteArray("x\r\n");
}

void TestTextLines::normalisation()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, text);
    TestEnv env(false);
    env.write(QStringLiteral("f.txt"), file);
    TMemo memo(nullptr, "Memo1", {}, {"old"});
    memo.loadLines(QStringLiteral("f.txt"));
    QCOMPARE(memo.text(), text);
}

void TestTextLines::appendLine_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("empty") << QByteArray() << QByteArray("B\r\n");
    QTest::newRow("ends with break") << QByteArray("A\r\n") << QByteArray("A\r\nB\r\n");
    QTest::newRow("no final break") << QByteArray("A") << QByteArray("A\r\nB");
}

void TestTextLines::appendLine()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    TMemo memo(nullptr, "Memo1", {});
    memo.setText(before);
    memo.appendLine("B");
    QCOMPARE(memo.text(), after);
}

void TestTextLines::appendLines_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("empty") << QByteArray() << QList<QByteArray>{"a", "b"} << QByteArray("a\r\nb\r\n");
    QTest::newRow("ends with break") << QByteArray("A\r\n") << QList<QByteArray>{"a", ""} << QByteArray("A\r\na\r\n\r\n");
    QTest::newRow("no final break") << QByteArray("A") << QList<QByteArray>{"a", "b"} << QByteArray("A\r\na\r\nb");
    QTest::newRow("no lines") << QByteArray("A") << QList<QByteArray>() << QByteArray("A");
    // A zero byte ends the text: the next line follows on a line of its own.
    QTest::newRow("zero byte in a line") << QByteArray() << QList<QByteArray>{QByteArray("a\0b", 3), "c", "d"}
                                         << QByteArray("a\r\nc\r\nd");
    QTest::newRow("zero byte first") << QByteArray("A\r\n") << QList<QByteArray>{QByteArray(1, '\0'), "c"}
                                     << QByteArray("A\r\nc\r\n");
}

void TestTextLines::appendLines()
{
    QFETCH(QByteArray, before);
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QByteArray, after);
    TMemo memo(nullptr, "Memo1", {});
    memo.setText(before);
    memo.appendLines(lines);
    QCOMPARE(memo.text(), after);
    // The same as one line at a time.
    TMemo single(nullptr, "Memo2", {});
    single.setText(before);
    for (const QByteArray &line : lines)
        single.appendLine(line);
    QCOMPARE(single.text(), after);
}

void TestTextLines::setTextKeepsBytesExactly()
{
    TestEnv env(false);
    TMemo memo(nullptr, "Memo1", {});
    QCOMPARE(memo.text(), QByteArray());
    memo.saveLines(QStringLiteral("empty.txt"));
    QCOMPARE(QFileInfo(env.path(QStringLiteral("empty.txt"))).size(), 0);

    // A lone CR and a missing final break stay as they were set.
    const QByteArray odd = "x\ry\r\n\xA0z";
    memo.setText(odd);
    QCOMPARE(memo.text(), odd);
    memo.saveLines(QStringLiteral("odd.txt"));
    QCOMPARE(env.read(QStringLiteral("odd.txt")), odd);
}

void TestTextLines::zeroByteEndsText()
{
    TestEnv env(false);
    env.write(QStringLiteral("z.txt"), QByteArray("ab\ncd\0ef\n", 9));
    TMemo memo(nullptr, "Memo1", {});
    memo.loadLines(QStringLiteral("z.txt"));
    QCOMPARE(memo.text(), QByteArray("ab\r\ncd"));
    memo.setText(QByteArray("12\0" "34", 5));
    QCOMPARE(memo.text(), QByteArray("12"));
}

void TestTextLines::capacityKeepsPreviousText()
{
    TestEnv env(false);
    env.write(QStringLiteral("big.txt"), QByteArray(100, 'x'));
    TMemo memo(nullptr, "Memo1", {}, {"keep"});
    TMemo::setCapacity(50);
    try {
        memo.loadLines(QStringLiteral("big.txt"));
        QFAIL("no error");
    } catch (const Error &error) {
        QCOMPARE(error.message(), QStringLiteral("Text exceeds memo capacity"));
    }
    QCOMPARE(memo.text(), QByteArray("keep\r\n"));
}

void TestTextLines::periodRule_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << QStringLiteral("Disk full") << QStringLiteral("Disk full.");
    QTest::newRow("cyrillic") << QStringLiteral("Ошибка") << QStringLiteral("Ошибка.");
    QTest::newRow("digit") << QStringLiteral("I/O error 32") << QStringLiteral("I/O error 32.");
    QTest::newRow("slash") << QStringLiteral("a/") << QStringLiteral("a/.");
    QTest::newRow("period") << QStringLiteral("Done.") << QStringLiteral("Done.");
    QTest::newRow("blank") << QStringLiteral("x ") << QStringLiteral("x ");
    QTest::newRow("bang") << QStringLiteral("x!") << QStringLiteral("x!");
    QTest::newRow("paren") << QStringLiteral("(x)") << QStringLiteral("(x)");
    QTest::newRow("comma") << QStringLiteral("x,") << QStringLiteral("x,");
    QTest::newRow("dash") << QStringLiteral("x-") << QStringLiteral("x-");
    QTest::newRow("empty") << QString() << QString();
}

void TestTextLines::periodRule()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(withFinalPeriod(message), shown);
}

void TestTextLines::missingFileReportsFullPathAndReason()
{
    TestEnv env(false);
    TMemo memo(nullptr, "Memo1", {}, {"keep"});
    try {
        memo.loadLines(QStringLiteral("SaveCode.txt"));
        QFAIL("no error");
    } catch (const Error &error) {
        QCOMPARE(error.message(),
                 QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(env.path(QStringLiteral("SaveCode.txt"))));
    }
    QCOMPARE(memo.text(), QByteArray("keep\r\n"));

    // A folder is no file to load.
    QDir().mkdir(QStringLiteral("folder.txt"));
    QVERIFY_THROWS_EXCEPTION(Error, memo.loadLines(QStringLiteral("folder.txt")));
}

void TestTextLines::saveIntoMissingFolderCreatesNothing()
{
    TestEnv env(false);
    TMemo memo(nullptr, "Memo1", {}, {"x"});
    try {
        memo.saveLines(QStringLiteral("update\\Code1.txt"));
        QFAIL("no error");
    } catch (const Error &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot create file \"%1\". No such file or directory")
                                      .arg(env.path(QStringLiteral("update/Code1.txt"))));
    }
    QVERIFY(!env.exists(QStringLiteral("update")));
}

void TestTextLines::saveRefusesReadOnlyFileAndFolder()
{
    if (geteuid() == 0)
        QSKIP("root writes read-only files; the folder case still runs below");
    TestEnv env(false);
    env.write(QStringLiteral("ro.txt"), "old");
    QFile::setPermissions(env.path(QStringLiteral("ro.txt")), QFileDevice::ReadOwner);
    TMemo memo(nullptr, "Memo1", {}, {"new"});
    QVERIFY_THROWS_EXCEPTION(Error, memo.saveLines(QStringLiteral("ro.txt")));
    QCOMPARE(env.read(QStringLiteral("ro.txt")), QByteArray("old"));
}

void TestTextLines::saveKeepsPermissionsAndFollowsLinks()
{
    TestEnv env(false);
    TMemo memo(nullptr, "Memo1", {}, {"new"});

    QDir().mkdir(QStringLiteral("dir.txt"));
    try {
        memo.saveLines(QStringLiteral("dir.txt"));
        QFAIL("no error");
    } catch (const Error &error) {
        QVERIFY(error.message().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(env.path(QStringLiteral("dir.txt")))));
    }

    env.write(QStringLiteral("mode.txt"), "old");
    ::chmod(QFile::encodeName(env.path(QStringLiteral("mode.txt"))).constData(), 0640);
    memo.saveLines(QStringLiteral("mode.txt"));
    struct stat info{};
    ::stat(QFile::encodeName(env.path(QStringLiteral("mode.txt"))).constData(), &info);
    QCOMPARE(int(info.st_mode & 0777), 0640);

    env.write(QStringLiteral("real.txt"), "old");
    QFile::link(QStringLiteral("real.txt"), env.path(QStringLiteral("link.txt")));
    memo.saveLines(QStringLiteral("link.txt"));
    QVERIFY(QFileInfo(env.path(QStringLiteral("link.txt"))).isSymLink());
    QCOMPARE(env.read(QStringLiteral("real.txt")), QByteArray("new\r\n"));
    // No temporary file stays behind.
    QCOMPARE(QDir(env.folder()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

void TestTextLines::caseInsensitiveNames()
{
    TestEnv env(false);
    env.write(QStringLiteral("Code.txt"), "page");
    TMemo memo(nullptr, "Memo1", {});
    memo.loadLines(QStringLiteral("code.txt"));
    QCOMPARE(memo.text(), QByteArray("page"));

    // Saving under another case replaces the file that is there.
    memo.setText("new");
    memo.saveLines(QStringLiteral("CODE.TXT"));
    QCOMPARE(env.read(QStringLiteral("Code.txt")), QByteArray("new"));
    QVERIFY(!env.exists(QStringLiteral("CODE.TXT")));

    // An exact match wins; otherwise the first variant in byte order.
    env.write(QStringLiteral("update/code1.txt"), "lower");
    env.write(QStringLiteral("update/Code1.txt"), "upper");
    QCOMPARE(fileNames::resolve(QStringLiteral("update\\code1.txt")), env.path(QStringLiteral("update/code1.txt")));
    QCOMPARE(fileNames::resolve(QStringLiteral("UPDATE\\CODE1.TXT")), env.path(QStringLiteral("update/Code1.txt")));
    // A new file takes the spelling the program gives.
    QCOMPARE(fileNames::resolve(QStringLiteral("Update\\New.txt")), env.path(QStringLiteral("update/New.txt")));
}

void TestTextLines::driveRoot()
{
    TestEnv env(false);
    QCOMPARE(fileNames::resolve(QStringLiteral("C:\\temp\\RU.txt")), env.driveRoot() + QStringLiteral("/temp/RU.txt"));
    QDir().mkpath(env.driveRoot() + QStringLiteral("/Temp"));
    QCOMPARE(fileNames::resolve(QStringLiteral("c:\\TEMP\\RU.txt")), env.driveRoot() + QStringLiteral("/Temp/RU.txt"));
}

void TestTextLines::typedTextBecomesBytes()
{
    TMemo memo(nullptr, "Memo1", {}, {"ab"});
    memo.show();
    memo.moveCursor(QTextCursor::End);
    // Cyrillic, a no-break space and a character the code page lacks.
    for (const QChar ch : QStringLiteral("Я\u00A0\u4E00"))
        QTest::sendKeyEvent(QTest::Click, &memo, Qt::Key_unknown, QString(ch), {});
    QTest::keyClick(&memo, Qt::Key_Return);
    QCOMPARE(memo.text(), QByteArray("ab\r\n\xDF\xA0?\r\n"));
}

void TestTextLines::copyKeepsNoBreakSpace()
{
    TMemo memo(nullptr, "Memo1", {});
    memo.setText("a\xA0" "b\r\nc");
    memo.selectAll();
    memo.copy();
    TMemo other(nullptr, "Memo2", {});
    other.paste();
    QCOMPARE(other.text(), QByteArray("a\xA0" "b\r\nc"));
}

QTEST_MAIN(TestTextLines)
#include "tst_textlines.moc"
