#pragma once
// A text box. Its text is bytes of the code page with CR LF line breaks, and
// those bytes are the truth; the widget is a view of them. Setting or loading
// the text updates the view; an edit by the user only marks the bytes stale,
// and the next read rebuilds them once from the view, so typing costs nothing
// in the size of the text and an untouched text comes back byte for byte.
#include <QByteArray>
#include <QByteArrayView>
#include <QPlainTextEdit>
#include <QRect>

#include <initializer_list>

namespace kv {

class TMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    // Each initial line (UTF-8 in the source) is followed by CR LF.
    TMemo(QWidget *parent, const char *name, const QRect &geometry, std::initializer_list<const char *> initialLines = {});

    QByteArray text() const;
    // Replaces the whole text, unchanged up to its first zero byte.
    void setText(const QByteArray &bytes);
    void clear();
    void saveLines(const QString &fileName) const;
    void loadLines(const QString &fileName);
    void appendLine(QByteArrayView line);

    // The largest text a text box takes ("Text exceeds memo capacity" above it).
    static qsizetype capacity();
    static void setCapacity(qsizetype bytes);
    static constexpr qsizetype DefaultCapacity = qsizetype(1) << 30;

    // The text box's own editing commands. Cut and copy put the raw
    // selection on the clipboard, no-break spaces included.
    void setScrollBars(bool vertical);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    // Every paste (the editing commands, Ctrl+V, a middle click) and every
    // drop comes through here. Only text is taken: a clipboard that holds
    // nothing, or nothing but other kinds of data, pastes nothing (Qt's own
    // handling of an empty clipboard ends the program).
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // Replaces the text by bytes that hold no zero byte.
    void replaceText(const QByteArray &bytes);
    void showText();

    mutable QByteArray m_bytes;
    mutable bool m_stale = false;
    bool m_showing = false;
};

// Initial lines (UTF-8 in the source) as a text: each line and CR LF.
QByteArray initialText(std::initializer_list<const char *> lines);

} // namespace kv
