// The files supplied beside the program, as the build lays them out for a
// working folder: texts in the program's code page, every fixed file the
// program opens, help files that are real compiled help and explain the whole
// program, code files that make one page, and the system-information tool.
#include "app/registry.h"
#include "platform/tform.h"
#include "platform/tmemo.h"
#include "support/testenv.h"
#include "text/filenames.h"
#include "windows/main/mainwindow.h"
#include "windows/tips/tipswindow.h"

#include "supplied.h"

#include <QAbstractButton>
#include <QAction>
#include <QScrollBar>
#include <QSet>
#include <QStringDecoder>
#include <QTextDocument>

using namespace kv;
using namespace kv::test::supplied;
using kv::test::TestEnv;

namespace {

// Why the checks of the compiled help skip in a build without it.
constexpr const char *helpNotBuilt = "the help files are not built (configured with KVARNIS_BUILD_HELP=OFF)";

// The pages of a help project: the names of its [FILES] section.
QStringList helpPages(const QString &project)
{
    QStringList pages;
    bool inFiles = false;
    for (const QString &line : QString::fromUtf8(readFile(project)).split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'['))
            inFiles = trimmed == QStringLiteral("[FILES]");
        else if (inFiles && !trimmed.isEmpty())
            pages.append(trimmed);
    }
    return pages;
}

QString helpSources(const QString &name)
{
    return sourceDir() + QStringLiteral("/data/help/") + name;
}

// What a reader sees of the help's pages: their text with the tags gone and
// the entities read.
QString helpText(const QString &name)
{
    QString text;
    for (const QString &page : helpPages(helpSources(name) + u'/' + name + QStringLiteral(".hhp"))) {
        QTextDocument document;
        document.setHtml(QString::fromUtf8(readFile(helpSources(name) + u'/' + page)));
        text += document.toPlainText() + u'\n';
    }
    return text.simplified();
}

} // namespace

class TestSuppliedFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textsAreWindows1251WithCrLf_data();
    void textsAreWindows1251WithCrLf();
    void everyFixedFileTheProgramOpensIsThere_data();
    void everyFixedFileTheProgramOpensIsThere();
    void helpFilesAreCompiledFromTheirPages_data();
    void helpFilesAreCompiledFromTheirPages();
    void helpExplainsEveryWindowAndCommand();
    void helpOptionsExplainsTheTagsOfThePage_data();
    void helpOptionsExplainsTheTagsOfThePage();
    void codeFilesMakeOnePage();
    void tipsFitTheTipsBox_data();
    void tipsFitTheTipsBox();
    void tavrelReportsTheSystem();
};

void TestSuppliedFiles::initTestCase()
{
    QVERIFY2(QFileInfo(stagedDir()).isDir(), qPrintable(stagedDir()));
    QVERIFY2(QFileInfo(sourceDir() + QStringLiteral("/data/CMakeLists.txt")).isFile(), qPrintable(sourceDir()));
}

void TestSuppliedFiles::textsAreWindows1251WithCrLf_data()
{
    QTest::addColumn<QString>("file");
    int texts = 0;
    for (const QString &file : filesBelow(stagedDir())) {
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix == QStringLiteral("txt") || suffix == QStringLiteral("bat")) {
            QTest::newRow(qPrintable(file)) << file;
            ++texts;
        }
    }
    // Eleven tips, ten code files and their default copies, five batch files.
    QCOMPARE(texts, 36);
}

void TestSuppliedFiles::textsAreWindows1251WithCrLf()
{
    QFETCH(QString, file);
    const QByteArray bytes = readFile(stagedDir() + u'/' + file);
    QVERIFY(!bytes.isEmpty());

    QStringDecoder decoder("windows-1251");
    QVERIFY(decoder.isValid());
    const QString text = decoder.decode(bytes);
    QVERIFY(!decoder.hasError());
    QVERIFY(!text.contains(QChar::ReplacementCharacter));

    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const uchar b = uchar(bytes.at(i));
        // 0x98 is the one byte the code page leaves without a character.
        QVERIFY2(b >= 0x20 || b == '\r' || b == '\n' || b == '\t', qPrintable(QStringLiteral("control byte at %1").arg(i)));
        QVERIFY2(b != 0x98, qPrintable(QStringLiteral("byte 0x98 at %1").arg(i)));
        if (b == '\r')
            QVERIFY2(i + 1 < bytes.size() && bytes.at(i + 1) == '\n', qPrintable(QStringLiteral("lone CR at %1").arg(i)));
        if (b == '\n')
            QVERIFY2(i > 0 && bytes.at(i - 1) == '\r', qPrintable(QStringLiteral("lone LF at %1").arg(i)));
    }
    QVERIFY(bytes.endsWith("\r\n"));
}

void TestSuppliedFiles::everyFixedFileTheProgramOpensIsThere_data()
{
    // Names as the program spells them. Left out are the files the program
    // writes itself ("Web.html", "Code.html") or downloads ("C:\temp\...").
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("program");
    for (const char *target : {"DELWEB.BAT", "help\\help.chm", "help\\helpOptions.chm", "bin\\delcodes.bat",
                               "update\\create.bat", "update\\extract.bat", "update\\recovery.bat"})
        QTest::newRow(target) << QString::fromLatin1(target) << false;
    QTest::newRow("Tavrel.exe") << QStringLiteral("Tavrel.exe") << true;
    for (const char *tip : {"help001", "help002", "help003", "help004", "help005", "help006", "help007", "help008",
                            "help009", "help010", "help01"}) {
        const QString name = QStringLiteral("help\\info\\%1.txt").arg(QLatin1String(tip));
        QTest::newRow(qPrintable(name)) << name << false;
    }
    for (int n = 1; n <= 10; ++n) {
        // The package configuration window spells them "Code", the component
        // installation window "code".
        for (const char *spelling : {"update\\Code%1.txt", "update\\code%1.txt"}) {
            const QString name = QString::fromLatin1(spelling).arg(n);
            QTest::newRow(qPrintable(name)) << name << false;
        }
    }
}

void TestSuppliedFiles::everyFixedFileTheProgramOpensIsThere()
{
    QFETCH(QString, name);
    QFETCH(bool, program);
    if (!KVARNIS_BUILD_HELP && name.endsWith(QStringLiteral(".chm")))
        QSKIP(helpNotBuilt);
    TestEnv env(false);
    QVERIFY(copyTree(stagedDir(), env.folder())); // what scripts/run does for build/work

    const QFileInfo file(fileNames::resolve(name));
    QVERIFY2(file.isFile(), qPrintable(file.filePath()));
    QVERIFY(file.size() > 0);
    if (program)
        QVERIFY(file.isExecutable());
}

void TestSuppliedFiles::helpFilesAreCompiledFromTheirPages_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("help") << QStringLiteral("help");
    QTest::newRow("helpOptions") << QStringLiteral("helpOptions");
}

void TestSuppliedFiles::helpFilesAreCompiledFromTheirPages()
{
    QFETCH(QString, name);
    if (!KVARNIS_BUILD_HELP)
        QSKIP(helpNotBuilt);
    const QByteArray chm = readFile(stagedDir() + QStringLiteral("/help/") + name + QStringLiteral(".chm"));
    QVERIFY(chm.startsWith("ITSF"));

    const QString sources = helpSources(name);
    const QStringList pages = helpPages(sources + u'/' + name + QStringLiteral(".hhp"));
    QVERIFY(pages.contains(QStringLiteral("index.html")));
    // The compiled file's directory names every page, the contents and the index.
    for (const QString &page : pages + QStringList{QStringLiteral("toc.hhc"), QStringLiteral("index.hhk")})
        QVERIFY2(chm.contains('/' + page.toLatin1()), qPrintable(page));

    // Every link leads to a page of the file and to an anchor that page has.
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]*)(?:#([^\"]*))?\""));
    const QRegularExpression local(QStringLiteral("<param name=\"Local\" value=\"([^\"#]*)(?:#([^\"]*))?\">"));
    QSet<QString> contents;
    const auto check = [&](const QString &from, const QRegularExpressionMatch &m) {
        const QString target = m.captured(1).isEmpty() ? from : m.captured(1);
        QVERIFY2(pages.contains(target), qPrintable(from + QStringLiteral(" -> ") + target));
        if (!m.captured(2).isEmpty()) {
            const QString anchor = QStringLiteral("name=\"%1\"").arg(m.captured(2));
            QVERIFY2(QString::fromUtf8(readFile(sources + u'/' + target)).contains(anchor),
                     qPrintable(from + QStringLiteral(" -> ") + target + u'#' + m.captured(2)));
        }
    };
    for (const QString &page : pages) {
        const QString html = QString::fromUtf8(readFile(sources + u'/' + page));
        QVERIFY2(html.contains(QStringLiteral("charset=windows-1251")), qPrintable(page));
        for (const QRegularExpressionMatch &m : link.globalMatch(html))
            check(page, m);
    }
    for (const QString &file : {QStringLiteral("toc.hhc"), QStringLiteral("index.hhk")}) {
        for (const QRegularExpressionMatch &m : local.globalMatch(QString::fromUtf8(readFile(sources + u'/' + file)))) {
            check(file, m);
            if (file == QStringLiteral("toc.hhc"))
                contents.insert(m.captured(1));
        }
    }
    // And the contents reach every page.
    for (const QString &page : pages)
        QVERIFY2(contents.contains(page), qPrintable(page));
}

void TestSuppliedFiles::helpExplainsEveryWindowAndCommand()
{
    TestEnv env;
    const QString help = helpText(QStringLiteral("help"));
    QStringList captions;
    for (TForm *form : registry().forms()) {
        captions.append(form->windowTitle());
        form->showForm();
        for (const QAbstractButton *button : form->findChildren<QAbstractButton *>()) {
            if (button->isVisibleTo(form) && !button->text().trimmed().isEmpty())
                captions.append(button->text());
        }
    }
    for (const QAction *item : registry().Form1->findChildren<QAction *>()) {
        if (!item->isSeparator() && !item->text().isEmpty())
            captions.append(item->text());
    }
    QVERIFY(captions.size() > 60);

    QStringList missing;
    for (const QString &caption : captions) {
        if (!help.contains(caption.simplified()))
            missing.append(caption);
    }
    missing.removeDuplicates();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(" | "))));
}

void TestSuppliedFiles::helpOptionsExplainsTheTagsOfThePage_data()
{
    // The tags and attributes of the program's default pages, fragments and colour tags.
    QTest::addColumn<QString>("term");
    for (const char *term : {"<html>", "</html>", "<head>", "</head>", "<title>", "</title>", "<body>", "</body>",
                             "text=", "bgcolor=", "<font>", "</font>", "color=", "<p>", "</p>", "align=", "justify", "<br>",
                             "<font color=\"#00F000\"></font>", "<font color=\"#C0C0C0\"></font>"})
        QTest::newRow(term) << QString::fromLatin1(term);
}

void TestSuppliedFiles::helpOptionsExplainsTheTagsOfThePage()
{
    QFETCH(QString, term);
    QVERIFY(helpText(QStringLiteral("helpOptions")).contains(term));
}

void TestSuppliedFiles::codeFilesMakeOnePage()
{
    TestEnv env(false);
    QVERIFY(copyTree(stagedDir(), env.folder()));

    // File N holds the N-th fragment of a page in document order.
    const QStringList opening = {QStringLiteral("html"), QStringLiteral("head"), QStringLiteral("title"),
                                 QStringLiteral("/head"), QStringLiteral("body"), QStringLiteral("font"), {}, {},
                                 QStringLiteral("/body"), QStringLiteral("/html")};
    const QRegularExpression tag(QStringLiteral("<(/?)([a-zA-Z][a-zA-Z0-9]*)[^>]*>"));
    QByteArray page;
    for (int n = 1; n <= 10; ++n) {
        const QByteArray fragment = readFile(fileNames::resolve(QStringLiteral("update\\Code%1.txt").arg(n)));
        QVERIFY2(fragment.endsWith("\r\n"), qPrintable(QString::number(n)));
        QCOMPARE(readFile(fileNames::resolve(QStringLiteral("update\\default\\Code%1.txt").arg(n))), fragment);
        if (!opening.at(n - 1).isEmpty()) {
            const QRegularExpressionMatch first = tag.match(QString::fromLatin1(fragment));
            QVERIFY(first.hasMatch());
            QCOMPARE(first.captured(1) + first.captured(2).toLower(), opening.at(n - 1));
            QCOMPARE(first.capturedStart(), 0);
        }
        page += fragment;
    }

    // Joined they are one well-nested page: html holding head (with its
    // title) and then body, every element closed, only br left open.
    QStringList open;
    QStringList seenInHtml;
    for (const QRegularExpressionMatch &m : tag.globalMatch(QString::fromLatin1(page))) {
        const QString name = m.captured(2).toLower();
        if (name == QStringLiteral("br")) {
            QVERIFY(open.contains(QStringLiteral("body")));
            continue;
        }
        if (m.captured(1).isEmpty()) {
            if (open.size() == 1)
                seenInHtml.append(name);
            if (name == QStringLiteral("title"))
                QCOMPARE(open.value(open.size() - 1), QStringLiteral("head"));
            if (name == QStringLiteral("font") || name == QStringLiteral("p"))
                QVERIFY(open.contains(QStringLiteral("body")));
            open.append(name);
        } else {
            QVERIFY2(!open.isEmpty() && open.last() == name, qPrintable(m.captured(0)));
            open.removeLast();
        }
    }
    QVERIFY(open.isEmpty());
    QCOMPARE(seenInHtml, (QStringList{QStringLiteral("head"), QStringLiteral("body")}));
    QVERIFY(page.startsWith("<html>\r\n"));
    QVERIFY(page.endsWith("</html>\r\n"));
}

void TestSuppliedFiles::tipsFitTheTipsBox_data()
{
    QTest::addColumn<QString>("tip");
    for (const QString &file : filesBelow(stagedDir() + QStringLiteral("/help/info")))
        QTest::newRow(qPrintable(file)) << file;
}

void TestSuppliedFiles::tipsFitTheTipsBox()
{
    // The tips window shows a tip in a box of 329 x 169 without scroll bars:
    // a tip must be readable whole there.
    QFETCH(QString, tip);
    TestEnv env;
    QVERIFY(copyTree(stagedDir(), env.folder()));
    TForm *window = registry().Form14;
    auto *box = new TMemo(window->client(), "TipProbe", QRect(0, 0, 329, 169));
    box->setScrollBars(true);
    box->loadLines(QStringLiteral("help\\info\\") + tip);
    window->showForm();
    QCoreApplication::processEvents();
    QVERIFY(box->toPlainText().size() > 40);
    QCOMPARE(box->verticalScrollBar()->maximum(), 0);
    delete box;
}

void TestSuppliedFiles::tavrelReportsTheSystem()
{
    QProcess tavrel;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    tavrel.setProcessEnvironment(environment);
    tavrel.start(stagedDir() + QStringLiteral("/Tavrel.exe"), {QStringLiteral("--print")});
    QVERIFY(tavrel.waitForFinished(60000));
    QCOMPARE(tavrel.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tavrel.exitCode(), 0);

    const QStringList lines = QString::fromUtf8(tavrel.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QStringList titles;
    for (const QString &line : lines) {
        if (!line.startsWith(u' ')) {
            titles.append(line);
            continue;
        }
        const qsizetype colon = line.indexOf(QStringLiteral(": "));
        QVERIFY2(colon > 2 && !line.mid(colon + 2).trimmed().isEmpty(), qPrintable(line));
    }
    QCOMPARE(titles, (QStringList{QStringLiteral("Операционная система"), QStringLiteral("Процессор"),
                                  QStringLiteral("Память"), QStringLiteral("Экран")}));
    QVERIFY(lines.filter(QRegularExpression(QStringLiteral("^  Всего: [0-9][0-9,]* [КМГ]Б$"))).size() == 1);
    QVERIFY(lines.filter(QRegularExpression(QStringLiteral("^  Экран 1.*: [0-9]+ × [0-9]+ точек"))).size() == 1);
}

QTEST_MAIN(TestSuppliedFiles)
#include "tst_suppliedfiles.moc"
