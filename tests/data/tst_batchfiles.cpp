// The supplied batch files, run as the program runs them outside Windows:
// "/bin/sh FILE" in the working folder. Each runs twice in a row in a copy of
// the working folder, and the folders around it (the working folder, the
// drive root of "C:\temp", a folder outside both) must then hold exactly what
// the batch file's caption promises, after the first run and after the second.
#include "supplied.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <functional>
#include <vector>

using namespace kv::test::supplied;

namespace {

// The folders of one run: root/work is the working folder, root/data the
// user's data folder (so "C:\temp" is root/data/kvarnis/drive_c/temp),
// root/outside a folder nothing may touch.
struct Folders
{
    QString root;
    QString work() const { return root + QStringLiteral("/work"); }
    QString temp() const { return root + QStringLiteral("/data/kvarnis/drive_c/temp"); }
    QString outside() const { return root + QStringLiteral("/outside"); }
};

struct Case
{
    const char *name;
    const char *batch;        // as the program spells it
    bool fromOutside;         // started with another current folder
    int exitCode;
    std::function<void(const Folders &)> prepare;
    // The expected tree of root after a run, from the tree before it.
    std::function<void(Tree &)> expect;
};

void write(const QString &path, const QByteArray &bytes)
{
    QVERIFY2(writeFile(path, bytes), qPrintable(path));
}

// Paths of the tree of root.
QString W(const QString &relative) { return QStringLiteral("work/") + relative; }
QString T(const QString &relative) { return QStringLiteral("data/kvarnis/drive_c/temp/") + relative; }

QByteArray code(int n) { return "<p>code " + QByteArray::number(n) + "</p>\r\n"; }

const std::vector<Case> &cases()
{
    static const std::vector<Case> all = {
        {"DELWEB.BAT removes Web.html", "DELWEB.BAT", false, 0,
         [](const Folders &f) {
             write(f.work() + QStringLiteral("/Web.html"), "<html></html>\r\n");
             write(f.work() + QStringLiteral("/Web.html.bak"), "keep");
             write(f.work() + QStringLiteral("/Code.html"), "keep");
             write(f.work() + QStringLiteral("/help/Web.html"), "keep");
             write(f.outside() + QStringLiteral("/Web.html"), "keep");
             write(f.temp() + QStringLiteral("/Web.html"), "keep");
         },
         [](Tree &t) { t.remove(W(QStringLiteral("Web.html"))); }},
        {"DELWEB.BAT takes Web.html in any case", "DELWEB.BAT", false, 0,
         [](const Folders &f) {
             write(f.work() + QStringLiteral("/web.HTML"), "one");
             write(f.work() + QStringLiteral("/WEB.html"), "two");
         },
         [](Tree &t) {
             t.remove(W(QStringLiteral("web.HTML")));
             t.remove(W(QStringLiteral("WEB.html")));
         }},
        {"DELWEB.BAT leaves a folder named Web.html", "DELWEB.BAT", false, 0,
         [](const Folders &f) { write(f.work() + QStringLiteral("/Web.html/page.txt"), "keep"); },
         [](Tree &) {}},
        {"DELWEB.BAT without Web.html", "DELWEB.BAT", false, 0, [](const Folders &) {}, [](Tree &) {}},
        {"DELWEB.BAT started from another folder", "DELWEB.BAT", true, 0,
         [](const Folders &f) {
             write(f.work() + QStringLiteral("/Web.html"), "page");
             write(f.outside() + QStringLiteral("/Web.html"), "keep");
         },
         [](Tree &t) { t.remove(W(QStringLiteral("Web.html"))); }},

        {"delcodes.bat removes the downloads", "bin\\delcodes.bat", false, 0,
         [](const Folders &f) {
             for (const char *name : {"codes.ZIP", "RU.txt", "RUa.txt", "RUb.txt", "RUc.txt", "RUd.txt", "RU.txt.bak", "keep.txt"})
                 write(f.temp() + u'/' + QLatin1String(name), name);
             write(f.temp() + QStringLiteral("/old/RU.txt"), "keep");
             write(f.work() + QStringLiteral("/RU.txt"), "keep");
             write(f.work() + QStringLiteral("/codes.ZIP"), "keep");
             write(f.outside() + QStringLiteral("/RU.txt"), "keep");
         },
         [](Tree &t) {
             for (const char *name : {"codes.ZIP", "RU.txt", "RUa.txt", "RUb.txt", "RUc.txt"})
                 t.remove(T(QLatin1String(name)));
         }},
        {"delcodes.bat takes the names in any case", "bin\\delcodes.bat", false, 0,
         [](const Folders &f) {
             write(f.temp() + QStringLiteral("/codes.zip"), "zip");
             write(f.temp() + QStringLiteral("/ru.TXT"), "ru");
             write(f.temp() + QStringLiteral("/Rua.txt/inside.txt"), "a folder stays");
         },
         [](Tree &t) {
             t.remove(T(QStringLiteral("codes.zip")));
             t.remove(T(QStringLiteral("ru.TXT")));
         }},
        {"delcodes.bat without C:\\temp", "bin\\delcodes.bat", false, 0,
         [](const Folders &f) { QVERIFY(QDir(f.temp()).removeRecursively()); },
         [](Tree &) {}},

        {"create.bat copies the code files to the backup", "update\\create.bat", false, 0,
         [](const Folders &f) {
             for (int n = 1; n <= 10; ++n)
                 write(f.work() + QStringLiteral("/update/Code%1.txt").arg(n), code(n));
         },
         [](Tree &t) {
             t.insert(W(QStringLiteral("update/backup")), "<folder>");
             for (int n = 1; n <= 10; ++n)
                 t.insert(W(QStringLiteral("update/backup/Code%1.txt").arg(n)), code(n));
         }},
        {"create.bat replaces an older backup and keeps the rest", "update\\create.bat", false, 0,
         [](const Folders &f) {
             for (int n = 1; n <= 10; ++n)
                 write(f.work() + QStringLiteral("/update/backup/Code%1.txt").arg(n), "old");
             write(f.work() + QStringLiteral("/update/backup/notes.txt"), "keep");
         },
         [](Tree &t) {
             for (int n = 1; n <= 10; ++n)
                 t.insert(W(QStringLiteral("update/backup/Code%1.txt").arg(n)),
                          t.value(W(QStringLiteral("update/Code%1.txt").arg(n))));
         }},
        {"create.bat reads the code file the program reads", "update\\create.bat", false, 0,
         [](const Folders &f) {
             QVERIFY(QFile::rename(f.work() + QStringLiteral("/update/Code4.txt"), f.work() + QStringLiteral("/update/code4.txt")));
             write(f.work() + QStringLiteral("/update/code4.txt"), code(4));
         },
         [](Tree &t) {
             t.insert(W(QStringLiteral("update/backup")), "<folder>");
             for (int n = 1; n <= 10; ++n) {
                 const QString name = n == 4 ? QStringLiteral("update/code4.txt") : QStringLiteral("update/Code%1.txt").arg(n);
                 t.insert(W(QStringLiteral("update/backup/Code%1.txt").arg(n)), t.value(W(name)));
             }
         }},
        {"create.bat replaces a link in the backup and never writes through it", "update\\create.bat", false, 0,
         [](const Folders &f) {
             write(f.outside() + QStringLiteral("/target.txt"), "outside");
             QVERIFY(QDir().mkpath(f.work() + QStringLiteral("/update/backup")));
             QVERIFY(QFile::link(f.outside() + QStringLiteral("/target.txt"), f.work() + QStringLiteral("/update/backup/Code1.txt")));
         },
         [](Tree &t) {
             for (int n = 1; n <= 10; ++n)
                 t.insert(W(QStringLiteral("update/backup/Code%1.txt").arg(n)),
                          t.value(W(QStringLiteral("update/Code%1.txt").arg(n))));
         }},
        {"create.bat skips a missing code file", "update\\create.bat", false, 0,
         [](const Folders &f) { QVERIFY(QFile::remove(f.work() + QStringLiteral("/update/Code9.txt"))); },
         [](Tree &t) {
             t.insert(W(QStringLiteral("update/backup")), "<folder>");
             for (int n = 1; n <= 10; ++n) {
                 if (n != 9)
                     t.insert(W(QStringLiteral("update/backup/Code%1.txt").arg(n)),
                              t.value(W(QStringLiteral("update/Code%1.txt").arg(n))));
             }
         }},

        {"extract.bat restores the code files from the backup", "update\\extract.bat", false, 0,
         [](const Folders &f) {
             for (int n = 1; n <= 10; ++n)
                 write(f.work() + QStringLiteral("/update/backup/Code%1.txt").arg(n), code(n));
             write(f.work() + QStringLiteral("/update/Code3.txt"), "edited since");
             QVERIFY(QFile::remove(f.work() + QStringLiteral("/update/Code6.txt")));
         },
         [](Tree &t) {
             for (int n = 1; n <= 10; ++n)
                 t.insert(W(QStringLiteral("update/Code%1.txt").arg(n)), code(n));
         }},
        {"extract.bat writes the code file the program reads", "update\\extract.bat", false, 0,
         [](const Folders &f) {
             for (int n = 1; n <= 10; ++n)
                 write(f.work() + QStringLiteral("/update/backup/Code%1.txt").arg(n), code(n));
             QVERIFY(QFile::rename(f.work() + QStringLiteral("/update/Code5.txt"), f.work() + QStringLiteral("/update/CODE5.TXT")));
         },
         [](Tree &t) {
             for (int n = 1; n <= 10; ++n)
                 t.insert(n == 5 ? W(QStringLiteral("update/CODE5.TXT")) : W(QStringLiteral("update/Code%1.txt").arg(n)), code(n));
         }},
        {"extract.bat without a backup changes nothing", "update\\extract.bat", false, 1,
         [](const Folders &f) { write(f.work() + QStringLiteral("/update/Code3.txt"), "edited"); },
         [](Tree &) {}},

        {"recovery.bat restores the default set", "update\\recovery.bat", false, 0,
         [](const Folders &f) {
             write(f.work() + QStringLiteral("/update/Code1.txt"), "edited");
             write(f.work() + QStringLiteral("/update/Code10.txt"), "");
             QVERIFY(QFile::remove(f.work() + QStringLiteral("/update/Code2.txt")));
             for (int n = 1; n <= 10; ++n)
                 write(f.work() + QStringLiteral("/update/backup/Code%1.txt").arg(n), "backup stays");
         },
         [](Tree &t) {
             for (int n = 1; n <= 10; ++n)
                 t.insert(W(QStringLiteral("update/Code%1.txt").arg(n)),
                          t.value(W(QStringLiteral("update/default/Code%1.txt").arg(n))));
         }},
        {"recovery.bat started from another folder", "update\\recovery.bat", true, 0,
         [](const Folders &f) {
             write(f.work() + QStringLiteral("/update/Code7.txt"), "edited");
             write(f.outside() + QStringLiteral("/update/Code7.txt"), "keep");
         },
         [](Tree &t) {
             t.insert(W(QStringLiteral("update/Code7.txt")), t.value(W(QStringLiteral("update/default/Code7.txt"))));
         }},
    };
    return all;
}

} // namespace

class TestBatchFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void runsTwiceDoingOnlyItsCaption_data();
    void runsTwiceDoingOnlyItsCaption();
};

void TestBatchFiles::runsTwiceDoingOnlyItsCaption_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("shell");
    // The program starts batch files with /bin/sh; bash stands in for a
    // system whose /bin/sh is bash.
    QStringList shells = {QStringLiteral("/bin/sh")};
    const QString bash = QStandardPaths::findExecutable(QStringLiteral("bash"));
    if (!bash.isEmpty())
        shells.append(bash);
    for (const QString &shell : shells) {
        for (size_t i = 0; i < cases().size(); ++i)
            QTest::addRow("%s, %s", cases()[i].name, qPrintable(QFileInfo(shell).fileName())) << int(i) << shell;
    }
}

void TestBatchFiles::runsTwiceDoingOnlyItsCaption()
{
    QFETCH(int, index);
    QFETCH(QString, shell);
    const Case &c = cases().at(size_t(index));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const Folders f{dir.path()};
    QVERIFY(copyTree(stagedDir(), f.work()));
    QVERIFY(QDir().mkpath(f.temp()));
    QVERIFY(QDir().mkpath(f.outside()));
    QVERIFY(QDir().mkpath(f.root + QStringLiteral("/home")));
    c.prepare(f);
    if (QTest::currentTestFailed())
        return;

    Tree expected = tree(f.root);
    c.expect(expected);

    // As the program resolves the name: "\" between folders.
    const QString batch = f.work() + u'/' + QString::fromLatin1(c.batch).replace(u'\\', u'/');
    QVERIFY(QFileInfo(batch).isFile());
    for (int run = 1; run <= 2; ++run) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), f.root + QStringLiteral("/home"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), f.root + QStringLiteral("/data"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(c.fromOutside ? f.outside() : f.work());
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(shell, {batch});
        QVERIFY(process.waitForFinished(60000));
        const QString errors = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(errors.isEmpty(), qPrintable(QStringLiteral("run %1: %2").arg(run).arg(errors)));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), c.exitCode);
        const QString diff = differences(tree(f.root), expected);
        QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("after run %1:\n%2").arg(run).arg(diff)));
    }
}

QTEST_MAIN(TestBatchFiles)
#include "tst_batchfiles.moc"
