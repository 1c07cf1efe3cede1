#include "platform/tmemo.h"

#include "platform/dispatch.h"
#include "platform/htmlhighlighter.h"

#include "text/codepage.h"
#include "text/errors.h"
#include "text/textfile.h"

#include <QAbstractUndoItem>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace kv {

// A replacement of the whole text as one step of the document's undo.
class TMemo::WholeTextStep : public QAbstractUndoItem
{
public:
    WholeTextStep(TMemo *memo, QByteArray before, QByteArray after)
        : m_memo(memo)
        , m_before(std::move(before))
        , m_after(std::move(after))
    {
    }
    void undo() override { m_memo->restoreText(m_before); }
    void redo() override { m_memo->restoreText(m_after); }

private:
    TMemo *m_memo;
    QByteArray m_before;
    QByteArray m_after;
};

namespace {
qsizetype memoCapacity = TMemo::TextCapacity;
qsizetype memoLineCapacity = TMemo::LineCapacity;

bool isViewBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}
} // namespace

QByteArray initialText(std::initializer_list<const char *> lines)
{
    QByteArray text;
    for (const char *line : lines) {
        text.append(cp(line));
        text.append("\r\n", 2);
    }
    return text;
}

TMemo::TMemo(QWidget *parent, const char *name, const QRect &geometry, std::initializer_list<const char *> initialLines)
    : QPlainTextEdit(parent)
{
    setObjectName(QString::fromLatin1(name));
    if (geometry.isValid())
        setGeometry(geometry);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    setScrollBars(false);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!m_showing)
            m_stale = true;
    });
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { checkInsertedText(position, added); });
    m_bytes = initialText(initialLines);
    showText();
}

void TMemo::setScrollBars(bool vertical)
{
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TMemo::setHtmlHighlighting(bool on)
{
    if (on != (m_highlighter != nullptr)) {
        delete m_highlighter;
        m_highlighter = on ? new HtmlHighlighter(this, [this] { return firstVisibleBlock(); }) : nullptr;
    }
}

qsizetype TMemo::capacity()
{
    return memoCapacity;
}

void TMemo::setCapacity(qsizetype bytes)
{
    memoCapacity = bytes;
}

qsizetype TMemo::lineCapacity()
{
    return memoLineCapacity;
}

void TMemo::setLineCapacity(qsizetype bytes)
{
    memoLineCapacity = bytes;
}

void TMemo::checkCapacity(QByteArrayView bytes)
{
    if (bytes.size() > memoCapacity || longestLine(bytes) > memoLineCapacity)
        throw textExceedsCapacity();
}

bool TMemo::fitsInsertion(QStringView inserted) const
{
    const QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    // Bytes: one a character, two a line break (counted generously: a CR LF
    // pair as two breaks). The view's size stands in for stale bytes.
    const QTextDocument *doc = document();
    const qsizetype current = m_stale ? qsizetype(doc->characterCount()) - 1 + doc->blockCount() - 1 : m_bytes.size();
    qsizetype added = inserted.size();
    for (const QChar c : inserted)
        if (isViewBreak(c))
            ++added;
    if (current - (end - start) + added > memoCapacity)
        return false;
    // The line the insertion lands in: what stands before it on its first
    // line and after it on its last join the inserted lines at each end.
    const QTextBlock first = doc->findBlock(start);
    const QTextBlock last = doc->findBlock(end);
    const qsizetype before = start - first.position();
    const qsizetype after = last.position() + last.length() - 1 - end;
    qsizetype longest = 0;
    qsizetype line = before;
    for (const QChar c : inserted) {
        if (isViewBreak(c)) {
            longest = std::max(longest, line);
            line = 0;
        } else {
            ++line;
        }
    }
    longest = std::max(longest, line + after);
    return longest <= memoLineCapacity;
}

QByteArray TMemo::text() const
{
    if (m_stale) {
        m_bytes = untilZeroByte(textOfView(document()->toRawText()));
        m_stale = false;
        // Undo or redo of a whole-text replacement: the text as it was.
        for (const QByteArray &exact : m_exact) {
            if (exact.size() <= m_bytes.size() && normaliseLineBreaks(exact) == m_bytes) {
                m_bytes = exact;
                break;
            }
        }
    }
    return m_bytes;
}

void TMemo::setText(const QByteArray &bytes, Undo undo)
{
    const QByteArray text = untilZeroByte(bytes);
    checkCapacity(text);
    replaceText(text, undo);
}

void TMemo::replaceText(const QByteArray &bytes, Undo undo)
{
    // The text before, exactly: bytes rebuilt from the view are what the
    // view gives back anyway.
    const QByteArray before = undo == Undo::Step ? text() : QByteArray();
    m_exact.clear();
    m_bytes = bytes;
    m_stale = false;
    showText();
    if (undo == Undo::Step) {
        // setPlainText has started the history afresh (and freed the old
        // document, which an edit replacing everything would keep growing);
        // the replacement becomes its one step.
        for (const QByteArray &exact : {before, bytes})
            if (normaliseLineBreaks(exact).size() != exact.size())
                m_exact.append(exact);
        document()->appendUndoItem(new WholeTextStep(this, before, bytes));
    }
}

void TMemo::restoreText(const QByteArray &bytes)
{
    // Runs inside the document's undo or redo, which records nothing and
    // may not clear the document: the view is replaced by one edit.
    m_showing = true;
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    if (bytes.isEmpty())
        all.removeSelectedText();
    else
        all.insertText(viewOfText(bytes));
    m_showing = false;
    // The document tells of the change only when the undo is over, so the
    // bytes are rebuilt then, and m_exact gives back any odd line break.
    m_stale = true;
}

void TMemo::clear(Undo undo)
{
    setText({}, undo);
}

void TMemo::saveLines(const QString &fileName) const
{
    saveBytes(text(), fileName);
}

void TMemo::loadLines(const QString &fileName, Undo undo)
{
    // Loading has already stopped at a zero byte and checked the capacity.
    replaceText(loadBytes(fileName, {memoCapacity, memoLineCapacity}), undo);
}

namespace {

// Adds a line as a text box takes it: a zero byte ends the text there, so a
// line holding one ends at it and the next line follows on a line of its own.
void appendTakenLine(QByteArray &text, QByteArrayView line)
{
    const qsizetype from = text.size();
    kv::appendLine(text, line);
    const qsizetype zero = text.indexOf('\0', from);
    if (zero >= 0)
        text.truncate(zero);
}

} // namespace

void TMemo::appendLine(QByteArrayView line)
{
    QByteArray bytes = text();
    appendTakenLine(bytes, line);
    setText(bytes); // refuses a text beyond the capacity
}

void TMemo::appendLines(const QList<QByteArray> &lines)
{
    if (lines.isEmpty())
        return;
    // The new text is built once and set once, so many lines cost no more
    // than their bytes.
    QByteArray bytes = text();
    for (const QByteArray &line : lines)
        appendTakenLine(bytes, line);
    setText(bytes);
}

void TMemo::showText()
{
    m_showing = true;
    setPlainText(viewOfText(m_bytes));
    m_showing = false;
}

QMimeData *TMemo::createMimeDataFromSelection() const
{
    // QPlainTextEdit's own copy goes through toPlainText(), which turns a
    // no-break space into a blank; the raw selection keeps it.
    QString selected = textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    auto *data = new QMimeData;
    data->setText(selected);
    return data;
}

void TMemo::checkInsertedText(int position, int added)
{
    if (m_showing || added <= 0 || m_zeroPending)
        return;
    QTextCursor range(document());
    range.setPosition(std::min(position, document()->characterCount() - 1));
    range.setPosition(std::min(position + added, document()->characterCount() - 1), QTextCursor::KeepAnchor);
    if (!range.selectedText().contains(QChar(0)))
        return;
    // The document is not changed from inside its own change signal.
    m_zeroPending = true;
    QMetaObject::invokeMethod(this, &TMemo::endAtZero, Qt::QueuedConnection);
}

void TMemo::endAtZero()
{
    m_zeroPending = false;
    const qsizetype zero = document()->toRawText().indexOf(QChar(0));
    if (zero < 0)
        return;
    QTextCursor tail(document());
    tail.setPosition(int(zero));
    tail.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    tail.removeSelectedText();
}

bool TMemo::canInsertFromMimeData(const QMimeData *source) const
{
    return source && source->hasText() && !source->text().isEmpty();
}

void TMemo::insertFromMimeData(const QMimeData *source)
{
    if (!canInsertFromMimeData(source) || isReadOnly())
        return;
    QString pasted = source->text();
    if (!fitsInsertion(QStringView(pasted).left(pasted.indexOf(QChar(0))))) {
        runCommand([] { throw textExceedsCapacity(); });
        return;
    }
    QTextCursor edit = textCursor();
    edit.beginEditBlock();
    const qsizetype zero = pasted.indexOf(QChar(0));
    if (zero >= 0) {
        // The text ends at the zero byte: what followed the selection goes.
        pasted.truncate(zero);
        QTextCursor tail = edit;
        tail.setPosition(edit.selectionEnd());
        tail.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        tail.removeSelectedText();
    }
    if (pasted.isEmpty()) {
        edit.removeSelectedText();
    } else {
        // Qt is handed a copy that holds the text alone.
        QMimeData text;
        text.setText(pasted);
        QPlainTextEdit::insertFromMimeData(&text);
    }
    edit.endEditBlock();
}

void TMemo::keyPressEvent(QKeyEvent *event)
{
    // Keys that type: printable text, a tab, Return (a line break).
    const QString typed = event->text();
    const bool types = !typed.isEmpty() && (typed.at(0).isPrint() || typed.at(0) == u'\t' || typed.at(0) == u'\r');
    if (types && !isReadOnly() && !fitsInsertion(typed)) {
        event->accept();
        runCommand([] { throw textExceedsCapacity(); });
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TMemo::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty() && !isReadOnly() && !fitsInsertion(event->commitString())) {
        event->accept();
        runCommand([] { throw textExceedsCapacity(); });
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

} // namespace kv
