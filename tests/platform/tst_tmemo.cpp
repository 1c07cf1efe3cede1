// A text box as the user edits it: pasting, dropping and typing into it.
#include "platform/tmemo.h"
#include "support/testenv.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
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

QTEST_MAIN(TestTMemo)
#include "tst_tmemo.moc"
