// A text box as the user edits it: pasting, dropping and typing into it.
#include "platform/tmemo.h"
#include "support/testenv.h"
#include "text/errors.h"

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QGuiApplication>
#include <QMimeData>

#include <tuple>
#include <QTest>

using namespace kv;

namespace {

// What a clipboard may hold that is no text: nothing at all, an empty
// offer (what a desktop's clipboard gives when no program owns it), data of
// another kind, or a text that is empty.
enum class Clipboard { Cleared, EmptyOffer, OtherData, EmptyText };

void fillClipboard(Clipboard content, QClipboard::Mode mode)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear(mode);
    if (content == Clipboard::EmptyOffer) {
        clipboard->setMimeData(new QMimeData, mode);
    } else if (content == Clipboard::OtherData) {
        auto *data = new QMimeData;
        data->setData(QStringLiteral("application/octet-stream"), "\x01\x02");
        clipboard->setMimeData(data, mode);
    } else if (content == Clipboard::EmptyText) {
        clipboard->setText(QString(), mode);
    }
}

enum class PastePath { PasteCommand, CtrlV, ShiftInsert, MiddleClick, Drop };

void pasteThrough(TMemo &memo, PastePath path)
{
    switch (path) {
    case PastePath::PasteCommand:
        memo.paste();
        break;
    case PastePath::CtrlV:
        QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
        break;
    case PastePath::ShiftInsert:
        QTest::keyClick(&memo, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case PastePath::MiddleClick:
        QTest::mouseClick(memo.viewport(), Qt::MiddleButton, {}, QPoint(20, 10));
        break;
    case PastePath::Drop: {
        // A drag that carries no data at all.
        QMimeData empty;
        const QMimeData *data = &empty;
        const QPoint at(20, 10);
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(memo.viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(memo.viewport(), &move);
        QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(memo.viewport(), &drop);
        break;
    }
    }
}

} // namespace

class TestTMemo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pasteWithoutTextPastesNothing_data();
    void pasteWithoutTextPastesNothing();
    void pasteTakesText_data();
    void pasteTakesText();
    void zeroByteEndsText_data();
    void zeroByteEndsText();
    void beyondCapacityKeepsText_data();
    void beyondCapacityKeepsText();
    void capacityHoldsTheBenchmarkPage();
};

void TestTMemo::pasteWithoutTextPastesNothing_data()
{
    QTest::addColumn<Clipboard>("content");
    QTest::addColumn<PastePath>("path");
    const std::pair<const char *, Clipboard> contents[] = {
        {"cleared", Clipboard::Cleared}, {"empty offer", Clipboard::EmptyOffer}, {"other data", Clipboard::OtherData}, {"empty text", Clipboard::EmptyText}};
    const std::pair<const char *, PastePath> paths[] = {{"paste", PastePath::PasteCommand},
                                                        {"Ctrl+V", PastePath::CtrlV},
                                                        {"Shift+Insert", PastePath::ShiftInsert},
                                                        {"middle click", PastePath::MiddleClick},
                                                        {"drop", PastePath::Drop}};
    for (const auto &[contentName, content] : contents)
        for (const auto &[pathName, path] : paths)
            QTest::addRow("%s, %s", contentName, pathName) << content << path;
}

void TestTMemo::pasteWithoutTextPastesNothing()
{
    QFETCH(Clipboard, content);
    QFETCH(PastePath, path);
    kv::test::TestEnv env(false);
    TMemo memo(nullptr, "Memo1", {0, 0, 300, 200}, {"keep"});
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    fillClipboard(content, QClipboard::Clipboard);
    if (QGuiApplication::clipboard()->supportsSelection())
        fillClipboard(content, QClipboard::Selection);
    pasteThrough(memo, path);
    QCOMPARE(memo.text(), QByteArray("keep\r\n"));
}

void TestTMemo::pasteTakesText_data()
{
    QTest::addColumn<PastePath>("path");
    QTest::newRow("paste") << PastePath::PasteCommand;
    QTest::newRow("Ctrl+V") << PastePath::CtrlV;
}

void TestTMemo::pasteTakesText()
{
    // Text beside other kinds of data is pasted as text.
    QFETCH(PastePath, path);
    kv::test::TestEnv env(false);
    TMemo memo(nullptr, "Memo1", {0, 0, 300, 200});
    memo.show();
    auto *data = new QMimeData;
    data->setHtml(QStringLiteral("<b>bold</b>"));
    data->setText(QStringLiteral("Я\u00A0b\nc"));
    QGuiApplication::clipboard()->setMimeData(data);
    pasteThrough(memo, path);
    QCOMPARE(memo.text(), QByteArray("\xDF\xA0" "b\r\nc"));
}

enum class Arrival { Paste, Drop, InputMethod, AccessibleInsert, AccessibleValue };

void TestTMemo::zeroByteEndsText_data()
{
    QTest::addColumn<Arrival>("arrival");
    QTest::addColumn<QByteArray>("expected");
    // "ab", a zero, "cd" arrive after "one" of "one\r\ntwo\r\n".
    QTest::newRow("paste") << Arrival::Paste << QByteArray("oneab");
    QTest::newRow("drop") << Arrival::Drop << QByteArray("oneab");
    QTest::newRow("input method") << Arrival::InputMethod << QByteArray("oneab");
    QTest::newRow("accessibility insert") << Arrival::AccessibleInsert << QByteArray("oneab");
    // An accessibility client setting the value replaces the whole text.
    QTest::newRow("accessibility value") << Arrival::AccessibleValue << QByteArray("ab");
}

void TestTMemo::zeroByteEndsText()
{
    QFETCH(Arrival, arrival);
    QFETCH(QByteArray, expected);
    kv::test::TestEnv env(false);
    TMemo memo(nullptr, "Memo1", {0, 0, 300, 200}, {"one", "two"});
    memo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&memo));
    memo.setFocus();
    QTextCursor at = memo.textCursor();
    at.setPosition(3);
    memo.setTextCursor(at);
    const QString arriving = QStringLiteral("ab") + QChar(0) + QStringLiteral("cd");
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&memo);
    switch (arrival) {
    case Arrival::Paste:
        QGuiApplication::clipboard()->setText(arriving);
        memo.paste();
        break;
    case Arrival::Drop: {
        QMimeData data;
        data.setText(arriving);
        const QPoint end = memo.cursorRect(at).center();
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(memo.viewport(), &enter);
        QDragMoveEvent move(end, Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(memo.viewport(), &move);
        QDropEvent drop(QPointF(end), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(memo.viewport(), &drop);
        break;
    }
    case Arrival::InputMethod: {
        QInputMethodEvent event;
        event.setCommitString(arriving);
        QCoreApplication::sendEvent(&memo, &event);
        break;
    }
    case Arrival::AccessibleInsert:
        QVERIFY(accessible && accessible->editableTextInterface());
        accessible->editableTextInterface()->insertText(3, arriving);
        break;
    case Arrival::AccessibleValue:
        QVERIFY(accessible);
        accessible->setText(QAccessible::Value, arriving);
        break;
    }
    QCOMPARE(memo.text(), expected);
    // The view ends there too, once the edit is over.
    QTRY_COMPARE(memo.toPlainText(), QString::fromLatin1(expected));

    memo.saveLines(QStringLiteral("SaveCode.txt"));
    QCOMPARE(env.read(QStringLiteral("SaveCode.txt")), expected);
    TMemo loaded(nullptr, "Memo2", {});
    loaded.loadLines(QStringLiteral("SaveCode.txt"));
    QCOMPARE(loaded.text(), expected);
}

enum class Growth { SetText, LoadLines, AppendLine, Paste, Typing };

void TestTMemo::beyondCapacityKeepsText_data()
{
    // The box holds "1234567890" CR LF "abc" (15 bytes); the capacity is
    // lowered to 40 bytes and lines of 12. Each way of adding text goes one
    // byte beyond one of the limits, or takes the largest text within both
    // ("\n" in what is pasted or typed is a line break, CR LF in the text).
    QTest::addColumn<Growth>("growth");
    QTest::addColumn<QByteArray>("added");
    QTest::addColumn<bool>("fits");
    const QByteArray lines = "1234567890\r\n1234567890\r\n1234567890\r\n1234";
    const std::tuple<const char *, Growth, QByteArray, QByteArray, QByteArray> growths[] = {
        // name, how, a line too long, a text too large, the most that fits
        {"set text", Growth::SetText, QByteArray(13, 'x'), lines + "5", lines},
        {"load lines", Growth::LoadLines, QByteArray(13, 'x'), lines + "5", lines},
        // Append line puts CR LF before the line here.
        {"append line", Growth::AppendLine, QByteArray(13, 'x'), "yyyyyyyyyy\r\nyyyyyyyyyy\r\ny", "yyyyyyyyyy\r\nyyyyyyyyyyy"},
        // Pasted and typed text goes after "abc".
        {"paste", Growth::Paste, QByteArray(10, 'x'), "yyyyyyyy\nyyyyyyyyyyyy\nyyy", "yyyyyyyy\nyyyyyyyyyyyy\ny"},
        {"typing", Growth::Typing, QByteArray(10, 'x'), "yyyyyyyy\nyyyyyyyyyyyy\nyyy", "yyyyyyyy\nyyyyyyyyyyyy\ny"},
    };
    for (const auto &[name, growth, longLine, largeText, fitting] : growths) {
        QTest::addRow("%s, line too long", name) << growth << longLine << false;
        QTest::addRow("%s, text too large", name) << growth << largeText << false;
        QTest::addRow("%s, largest that fits", name) << growth << fitting << true;
    }
}

void TestTMemo::beyondCapacityKeepsText()
{
    QFETCH(Growth, growth);
    QFETCH(QByteArray, added);
    QFETCH(bool, fits);
    kv::test::TestEnv env(false);
    const QByteArray before = "1234567890\r\nabc";
    TMemo memo(nullptr, "Memo1", {0, 0, 300, 200});
    memo.setText(before);
    memo.show();
    memo.setFocus();
    memo.moveCursor(QTextCursor::End);
    TMemo::setCapacity(40);
    TMemo::setLineCapacity(12);
    QString thrown;
    try {
        switch (growth) {
        case Growth::SetText:
            memo.setText(added);
            break;
        case Growth::LoadLines:
            env.write(QStringLiteral("Code.txt"), added);
            memo.loadLines(QStringLiteral("code.txt"));
            break;
        case Growth::AppendLine:
            memo.appendLine(added);
            break;
        case Growth::Paste:
            QGuiApplication::clipboard()->setText(QString::fromLatin1(added));
            QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
            break;
        case Growth::Typing:
            kv::test::typeText(&memo, QString::fromLatin1(added));
            break;
        }
    } catch (const Error &error) {
        thrown = error.message();
    }
    // Pasting and typing happen in the box's own events: the error box tells.
    const QStringList boxes = env.services.textsOf(QStringLiteral("error"));
    const bool inEvents = growth == Growth::Paste || growth == Growth::Typing;
    if (fits) {
        QCOMPARE(thrown, QString());
        QVERIFY(boxes.isEmpty());
        QByteArray expected = before;
        if (growth == Growth::SetText || growth == Growth::LoadLines)
            expected = added;
        else if (growth == Growth::AppendLine)
            expected += "\r\n" + added;
        else
            expected += QByteArray(added).replace("\n", "\r\n");
        QCOMPARE(memo.text(), expected);
        return;
    }
    if (inEvents) {
        QCOMPARE(thrown, QString());
        // Typing refuses each key beyond the limit; the keys before it went in.
        QVERIFY(!boxes.isEmpty());
        QCOMPARE(boxes.first(), QStringLiteral("Text exceeds memo capacity."));
        if (growth == Growth::Paste)
            QCOMPARE(boxes.size(), 1);
        const QByteArray text = memo.text();
        QVERIFY(text.size() <= 40);
        QVERIFY(growth == Growth::Typing || text == before);
        QVERIFY(text.startsWith(before));
    } else {
        QCOMPARE(thrown, QStringLiteral("Text exceeds memo capacity"));
        QCOMPARE(memo.text(), before);
    }
}

void TestTMemo::capacityHoldsTheBenchmarkPage()
{
    // A page of 20 MB in 400,000 lines is well inside both limits.
    kv::test::TestEnv env(false);
    QVERIFY(TMemo::capacity() >= 30'000'000);
    QVERIFY(TMemo::lineCapacity() >= 1'000'000);
    QByteArray page;
    const QByteArray line = QByteArray(48, 'p') + "\r\n";
    page.reserve(400'000 * line.size());
    for (int i = 0; i < 400'000; ++i)
        page += line;
    env.write(QStringLiteral("Code.txt"), page);
    TMemo memo(nullptr, "Memo1", {0, 0, 543, 306}, {"keep"});
    memo.loadLines(QStringLiteral("Code.txt"));
    QCOMPARE(memo.text().size(), page.size());

}

QTEST_MAIN(TestTMemo)
#include "tst_tmemo.moc"
