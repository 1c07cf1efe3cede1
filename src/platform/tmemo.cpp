#include "platform/tmemo.h"

#include "platform/htmlhighlighter.h"

#include "text/codepage.h"
#include "text/errors.h"
#include "text/textfile.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace kv {
namespace {
qsizetype memoCapacity = TMemo::DefaultCapacity;
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

QByteArray TMemo::text() const
{
    if (m_stale) {
        m_bytes = textOfView(document()->toRawText());
        m_stale = false;
    }
    return m_bytes;
}

void TMemo::setText(const QByteArray &bytes)
{
    replaceText(untilZeroByte(bytes));
}

void TMemo::replaceText(const QByteArray &bytes)
{
    m_bytes = bytes;
    m_stale = false;
    showText();
}

void TMemo::clear()
{
    setText({});
}

void TMemo::saveLines(const QString &fileName) const
{
    saveBytes(text(), fileName);
}

void TMemo::loadLines(const QString &fileName)
{
    QByteArray loaded = loadBytes(fileName);
    if (loaded.size() > memoCapacity)
        throw textExceedsCapacity();
    replaceText(loaded); // loading has already stopped at a zero byte
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
    setText(bytes);
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

} // namespace kv
