// HTML in colour: which pieces of a page get which colour, and that the
// colours change nothing else: the bytes, the undo history, the selection,
// the clipboard, and what a long page costs to edit.
#include "app/registry.h"
#include "platform/controls.h"
#include "platform/htmlhighlighter.h"
#include "platform/tform.h"
#include "platform/tmemo.h"
#include "support/testenv.h"
#include "text/codepage.h"
#include "windows/main/mainwindow.h"
#include "windows/new_component/newcomponentwindow.h"
#include "windows/page_composer/pagecomposer.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

using namespace kv;
using Kind = HtmlHighlighter::Kind;

namespace {

// A page editor of the main window's size, shown.
struct ShownMemo
{
    TMemo memo{nullptr, "Memo1", {0, 0, 543, 306}};

    explicit ShownMemo(const QByteArray &bytes = {})
    {
        memo.setScrollBars(true);
        memo.setHtmlHighlighting(true);
        memo.setText(bytes);
        memo.show();
        if (!QTest::qWaitForWindowExposed(&memo))
            qFatal("the text box was not shown");
        paint();
    }
    void paint() { paint(memo); }
    static void paint(TMemo &box)
    {
        QCoreApplication::processEvents();
        box.viewport()->repaint();
        QCoreApplication::processEvents();
    }
};

HtmlHighlighter &highlighterOf(TMemo &memo)
{
    auto *found = memo.findChild<HtmlHighlighter *>();
    Q_ASSERT(found);
    return *found;
}

// The colour shown for the character at `position` of the view, or an
// invalid colour where the text has no colour of its own.
QColor colourAt(TMemo &memo, int position)
{
    const QTextBlock block = memo.document()->findBlock(position);
    const int offset = position - block.position();
    for (const QTextLayout::FormatRange &range : block.layout()->formats())
        if (offset >= range.start && offset < range.start + range.length)
            return range.format.foreground().color();
    return {};
}

// A page of `lines` lines of about 50 bytes each, CR LF, after `head`.
QByteArray longPage(const char *head, int lines)
{
    const QByteArray line = kv::cp("<p class=\"x\">Здравствуйте &amp; добро пожаловать!</p>\r\n");
    QByteArray page = kv::cp(head);
    page.reserve(page.size() + line.size() * lines);
    for (int i = 0; i < lines; ++i)
        page.append(line);
    return page;
}

// WCAG contrast ratio of two colours.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class TestHtmlHighlighter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colourOfEachKindOfToken_data();
    void colourOfEachKindOfToken();
    void readableOnLightAndDarkPalettes_data();
    void readableOnLightAndDarkPalettes();
    void bytesSavedAsLoaded_data();
    void bytesSavedAsLoaded();
    void commandsSaveTheLoadedBytes();
    void undoSelectionAndClipboardUntouched();
    void switchingOffTakesTheColoursAway();
    void editingALongBrokenPageReadsOnlyWhatIsShown_data();
    void editingALongBrokenPageReadsOnlyWhatIsShown();
    void windowsShowHtmlInColour_data();
    void windowsShowHtmlInColour();
};

void TestHtmlHighlighter::colourOfEachKindOfToken_data()
{
    // `kind` -1: the token is shown in the text colour.
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("kind");
    const auto row = [](const char *name, const char *page, const char *token, int kind) {
        QTest::newRow(name) << kv::cp(page) << QString::fromUtf8(token) << kind;
    };
    const int tag = int(Kind::Tag), attribute = int(Kind::Attribute), value = int(Kind::Value),
              comment = int(Kind::Comment), entity = int(Kind::Entity), doctype = int(Kind::Doctype), plain = -1;
    row("opening tag", "<html>\r\n", "<html>", tag);
    row("closing tag", "<title>Окно</title>", "</title>", tag);
    row("text between tags", "<title>Заголовок окна</title>", "Заголовок окна", plain);
    row("empty element", "<br/>", "/>", tag);
    row("attribute name", "<a href=\"x.html\">ссылка</a>", "href", attribute);
    row("double-quoted value", "<a href=\"x.html\">ссылка</a>", "\"x.html\"", value);
    row("single-quoted value", "<p class='note'>", "'note'", value);
    row("value without quotes", "<font color=red>", "red", value);
    row("end of a tag with attributes", "<a href=\"x\" target=_blank>", ">", tag);
    row("comment", "a <!-- примечание --> b", "<!-- примечание -->", comment);
    row("text after a comment", "<!-- a --> после", " после", plain);
    row("named entity", "Том &amp; Джерри", "&amp;", entity);
    row("decimal entity", "1&#160;000", "&#160;", entity);
    row("hexadecimal entity", "&#x41;", "&#x41;", entity);
    row("ampersand alone", "Том & Джерри", "& Джерри", plain);
    row("entity without semicolon", "&amp and", "&amp and", plain);
    row("document type", "<!DOCTYPE html>\r\n<html>", "<!DOCTYPE html>", doctype);
    row("less-than sign in text", "если a < b, то", "< b", plain);
    row("comment over lines", "<!--\r\nещё примечание\r\n-->\r\n<p>", "ещё примечание", comment);
    row("line after a comment over lines", "<!--\r\nx\r\n-->\r\n<p>", "<p>", tag);
    row("attribute on the next line", "<img\r\n src=\"a.png\">", "src", attribute);
    row("value over lines", "<a title=\"раз\r\nдва\">", "два\"", value);
    row("no-break space in text", "a\xC2\xA0" "b", "a\xC2\xA0" "b", plain);
}

void TestHtmlHighlighter::colourOfEachKindOfToken()
{
    QFETCH(QByteArray, page);
    QFETCH(QString, token);
    QFETCH(int, kind);
    ShownMemo shown(page);
    const QString view = shown.memo.document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
    const qsizetype at = view.indexOf(token);
    QVERIFY2(at >= 0, qPrintable(token));
    const QColor expected = kind < 0 ? QColor() : highlighterOf(shown.memo).colour(Kind(kind));
    for (qsizetype i = at; i < at + token.size(); ++i) {
        if (view[i] == u'\n')
            continue;
        QCOMPARE(colourAt(shown.memo, int(i)), expected);
    }
}

void TestHtmlHighlighter::readableOnLightAndDarkPalettes_data()
{
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QColor>("text");
    QTest::newRow("light") << QColor(Qt::white) << QColor(Qt::black);
    QTest::newRow("dark") << QColor(0x1e, 0x1e, 0x1e) << QColor(0xe0, 0xe0, 0xe0);
}

void TestHtmlHighlighter::readableOnLightAndDarkPalettes()
{
    QFETCH(QColor, base);
    QFETCH(QColor, text);
    ShownMemo shown(kv::cp("<!DOCTYPE html>\r\n<a href=\"x\">&amp;</a><!-- c -->"));
    QPalette palette = shown.memo.palette();
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, text);
    shown.memo.setPalette(palette);
    shown.paint();
    const HtmlHighlighter &highlighter = highlighterOf(shown.memo);
    QSet<QRgb> distinct;
    for (int k = 0; k < HtmlHighlighter::KindCount; ++k) {
        const QColor colour = highlighter.colour(Kind(k));
        QVERIFY2(contrast(colour, base) >= 4.5, qPrintable(colour.name()));
        distinct.insert(colour.rgb());
    }
    QCOMPARE(distinct.size(), HtmlHighlighter::KindCount);
    // What is shown takes the new colours.
    QCOMPARE(colourAt(shown.memo, 0), highlighter.colour(Kind::Doctype));
    QCOMPARE(colourAt(shown.memo, 19), highlighter.colour(Kind::Attribute));
}

void TestHtmlHighlighter::bytesSavedAsLoaded_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("loaded");
    const QByteArray page = kv::cp("<!DOCTYPE html>\r\n<p title=\"a\xC2\xA0" "b\">1&#160;000 и\xC2\xA0" "я</p>\r\n"
                                   "<!-- не закрыт");
    QTest::newRow("loaded, no final line break") << page << true;
    QTest::newRow("loaded, final line break") << page + "\r\n" << true;
    // Set texts with line breaks the view would give back as CR LF, had the
    // colours made the box read its text again from the view.
    QTest::newRow("set, lone CR and LF") << kv::cp("<p class=\"a\">\rраз</p>\nдва\r\n<b>") << false;
    QTest::newRow("set, unclosed quote") << kv::cp("<a href=\"x\n\r\n\r>") << false;
}

void TestHtmlHighlighter::bytesSavedAsLoaded()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loaded);
    kv::test::TestEnv env(false);
    ShownMemo shown;
    if (loaded) {
        env.write(QStringLiteral("page.txt"), bytes);
        shown.memo.loadLines(QStringLiteral("page.txt"));
    } else {
        shown.memo.setText(bytes);
    }
    // Colour it, scroll, colour it again in other colours.
    shown.paint();
    QVERIFY(!shown.memo.document()->firstBlock().layout()->formats().isEmpty());
    shown.memo.verticalScrollBar()->setValue(shown.memo.verticalScrollBar()->maximum());
    shown.paint();
    QPalette dark = shown.memo.palette();
    dark.setColor(QPalette::Base, Qt::black);
    shown.memo.setPalette(dark);
    shown.paint();
    QCOMPARE(shown.memo.text(), bytes);
    shown.memo.saveLines(QStringLiteral("saved.txt"));
    QCOMPARE(env.read(QStringLiteral("saved.txt")), bytes);
}

void TestHtmlHighlighter::commandsSaveTheLoadedBytes()
{
    // "Загрузить код" then "Сохранить код" in the main window, shown and coloured.
    kv::test::StartedEnv env;
    const QByteArray page = kv::cp("<html>\r\n<body bgcolor=\"#FFFFFF\">\r\nцена:\xC2\xA0" "100&nbsp;руб.\r\n"
                                   "<!-- конец\r\n</body>");
    env.write(QStringLiteral("Code.txt"), page);
    TForm1 &main = *registry().Form1;
    main.showForm();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.BitBtn5->click();
    ShownMemo::paint(*main.Memo1);
    QVERIFY(!main.Memo1->document()->firstBlock().next().layout()->formats().isEmpty());
    main.BitBtn6->click();
    QCOMPARE(env.read(QStringLiteral("SaveCode.txt")), page);
}

void TestHtmlHighlighter::undoSelectionAndClipboardUntouched()
{
    const QByteArray page = kv::cp("<p class=\"a\">Здравствуйте&nbsp;мир\xC2\xA0!</p>\r\n<br>\r\n");
    ShownMemo shown(page);
    TMemo &memo = shown.memo;
    QTextDocument *document = memo.document();
    memo.moveCursor(QTextCursor::End);
    kv::test::typeText(&memo, QStringLiteral("<i x=\"1\">ой</i>"));
    const QByteArray typed = memo.text();
    const int undoSteps = document->availableUndoSteps();
    const bool modified = document->isModified();
    QVERIFY(undoSteps > 0);
    // Select from inside the value to the end of the paragraph's text.
    QTextCursor selection(document);
    selection.setPosition(10);
    selection.setPosition(36, QTextCursor::KeepAnchor);
    memo.setTextCursor(selection);
    // Colour it again and again: paints, a new palette, a scroll.
    for (int i = 0; i < 3; ++i)
        shown.paint();
    QPalette dark = memo.palette();
    dark.setColor(QPalette::Base, Qt::black);
    memo.setPalette(dark);
    shown.paint();
    QCOMPARE(document->availableUndoSteps(), undoSteps);
    QCOMPARE(document->isUndoAvailable(), true);
    QCOMPARE(document->isRedoAvailable(), false);
    QCOMPARE(document->isModified(), modified);
    QCOMPARE(memo.textCursor().anchor(), 10);
    QCOMPARE(memo.textCursor().position(), 36);
    QCOMPARE(memo.text(), typed);
    // Copy gives plain text, the no-break space kept.
    memo.copy();
    const QMimeData *copied = QApplication::clipboard()->mimeData();
    QVERIFY(copied);
    QVERIFY(!copied->hasHtml());
    QCOMPARE(copied->text(), QStringLiteral("a\">Здравствуйте&nbsp;мир\u00A0!"));
    // Undo takes back exactly the typing.
    while (document->isUndoAvailable())
        memo.undo();
    QCOMPARE(memo.text(), page);
}

void TestHtmlHighlighter::switchingOffTakesTheColoursAway()
{
    ShownMemo shown(kv::cp("<html>\r\n<body>\r\n"));
    QVERIFY(!shown.memo.document()->firstBlock().layout()->formats().isEmpty());
    shown.memo.setHtmlHighlighting(false);
    shown.paint();
    QVERIFY(shown.memo.findChild<HtmlHighlighter *>() == nullptr);
    for (QTextBlock block = shown.memo.document()->begin(); block.isValid(); block = block.next())
        QVERIFY(block.layout()->formats().isEmpty());
    QCOMPARE(shown.memo.text(), kv::cp("<html>\r\n<body>\r\n"));
}

void TestHtmlHighlighter::editingALongBrokenPageReadsOnlyWhatIsShown_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<int>("typeAt");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("kindBelow");
    QTest::newRow("typing inside an unclosed comment") << QByteArray("<!-- not closed\r\n") << 4
                                                       << QStringLiteral("0123456789") << int(Kind::Comment);
    QTest::newRow("opening a comment at the top") << QByteArray() << 0 << QStringLiteral("<!--  x") << int(Kind::Comment);
    QTest::newRow("opening a quote at the top") << QByteArray() << 0 << QStringLiteral("<a title=\"") << int(Kind::Value);
}

void TestHtmlHighlighter::editingALongBrokenPageReadsOnlyWhatIsShown()
{
    QFETCH(QByteArray, head);
    QFETCH(int, typeAt);
    QFETCH(QString, typed);
    QFETCH(int, kindBelow);
    constexpr int Lines = 400000; // about 20 MB
    ShownMemo shown(longPage(head.constData(), Lines));
    TMemo &memo = shown.memo;
    QTextCursor cursor(memo.document());
    cursor.setPosition(typeAt);
    memo.setTextCursor(cursor);
    shown.paint();

    const qint64 before = HtmlHighlighter::scannedBlocks();
    for (const QChar c : typed) {
        kv::test::typeText(&memo, QString(c));
        shown.paint();
    }
    const qint64 read = HtmlHighlighter::scannedBlocks() - before;
    // A few screens' worth, however long the page.
    QVERIFY2(read < 2000, qPrintable(QString::number(read)));
    // What is shown below the typing is coloured as what was opened.
    const QTextBlock second = memo.document()->findBlockByNumber(3);
    QCOMPARE(colourAt(memo, second.position() + 3), highlighterOf(memo).colour(Kind(kindBelow)));

    // The end of the page, shown, is coloured too, as seen from the lines above it.
    const qint64 beforeEnd = HtmlHighlighter::scannedBlocks();
    memo.moveCursor(QTextCursor::End);
    memo.ensureCursorVisible();
    shown.paint();
    QVERIFY(HtmlHighlighter::scannedBlocks() - beforeEnd < 2000);
    const QTextBlock last = memo.document()->lastBlock().previous();
    QCOMPARE(colourAt(memo, last.position()), highlighterOf(memo).colour(Kind::Tag));
}

void TestHtmlHighlighter::windowsShowHtmlInColour_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("page editor") << QStringLiteral("main");
    QTest::newRow("page composer's result") << QStringLiteral("composer");
    QTest::newRow("new component's listing") << QStringLiteral("component");
}

void TestHtmlHighlighter::windowsShowHtmlInColour()
{
    QFETCH(QString, window);
    kv::test::StartedEnv env;
    TForm *form = nullptr;
    TMemo *box = nullptr;
    if (window == u"main") {
        form = registry().Form1;
        box = registry().Form1->Memo1;
    } else if (window == u"composer") {
        form = registry().Form9;
        box = registry().Form9->Memo11;
        form->showForm();
        registry().Form9->Button17->click();
    } else {
        form = registry().Form7;
        box = registry().Form7->Memo9;
        form->showForm();
        registry().Form7->BitBtn1->click();
    }
    form->showForm();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    ShownMemo::paint(*box);
    const QByteArray before = box->text();
    QCOMPARE(colourAt(*box, 0), highlighterOf(*box).colour(Kind::Tag));
    QCOMPARE(box->text(), before);
}

QTEST_MAIN(TestHtmlHighlighter)
#include "tst_htmlhighlighter.moc"
