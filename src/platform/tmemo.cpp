#include "platform/tmemo.h"

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

void TMemo::appendLine(QByteArrayView line)
{
    QByteArray bytes = text();
    kv::appendLine(bytes, line);
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

bool TMemo::canInsertFromMimeData(const QMimeData *source) const
{
    return source && source->hasText() && !source->text().isEmpty();
}

void TMemo::insertFromMimeData(const QMimeData *source)
{
    if (!canInsertFromMimeData(source) || isReadOnly())
        return;
    // Qt is handed a copy that holds the text alone.
    QMimeData text;
    text.setText(source->text());
    QPlainTextEdit::insertFromMimeData(&text);
}

} // namespace kv
