#pragma once
// A text box. Its text is bytes of the code page with CR LF line breaks, and
// those bytes are the truth; the widget is a view of them. Setting or loading
// the text updates the view; an edit by the user only marks the bytes stale,
// and the next read rebuilds them once from the view, so typing costs nothing
// in the size of the text and an untouched text comes back byte for byte.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPlainTextEdit>
#include <QRect>

#include <initializer_list>

namespace kv {

class HtmlHighlighter;

class TMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    // Each initial line (UTF-8 in the source) is followed by CR LF.
    TMemo(QWidget *parent, const char *name, const QRect &geometry, std::initializer_list<const char *> initialLines = {});

    // How replacing the whole text meets the box's undo. Reset: as setting
    // a text box's text does, the undo history starts afresh. Step: the
    // replacement is one step of undo, like an edit of the user's, and undo
    // right after it brings the previous text back byte for byte (what the
    // page editor's commands that replace or empty the page use).
    enum class Undo { Reset, Step };

    QByteArray text() const;
    // Replaces the whole text, unchanged up to its first zero byte. A text
    // beyond the capacity is refused like a loaded one ("Text exceeds memo
    // capacity", the box keeping its text): showing it would freeze the
    // program or run it out of memory, and cutting it would lose text.
    void setText(const QByteArray &bytes, Undo undo = Undo::Reset);
    void clear(Undo undo = Undo::Reset);
    void saveLines(const QString &fileName) const;
    void loadLines(const QString &fileName, Undo undo = Undo::Reset);
    void appendLine(QByteArrayView line);
    // Appends each line in turn as appendLine does, with one update of the view.
    void appendLines(const QList<QByteArray> &lines);

    // The capacity of a text box is what its view lays out in about two
    // seconds (measured on the 2-core build machine with the page editor's
    // size and wrapping; the README gives the figures): a text of at most
    // TextCapacity bytes whose longest line is at most LineCapacity bytes.
    // Setting, loading, appending, pasting or typing beyond either gives
    // "Text exceeds memo capacity" and the box keeps its text. Tests lower
    // them with the setters.
    static constexpr qsizetype TextCapacity = 36'000'000;
    static constexpr qsizetype LineCapacity = 8'000'000;
    static qsizetype capacity();
    static void setCapacity(qsizetype bytes);
    static qsizetype lineCapacity();
    static void setLineCapacity(qsizetype bytes);

    // A vertical scroll bar or none; lines wrap at the right edge, so there
    // is never a horizontal one.
    void setScrollBars(bool vertical);
    // Shows HTML in colour; the text itself is not touched.
    void setHtmlHighlighting(bool on);

protected:
    // Cut and copy put the raw selection on the clipboard, no-break spaces included.
    QMimeData *createMimeDataFromSelection() const override;
    // Every paste (the editing commands, Ctrl+V, a middle click) and every
    // drop comes through here. Only text is taken: a clipboard that holds
    // nothing, or nothing but other kinds of data, pastes nothing (Qt's own
    // handling of an empty clipboard ends the program).
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    // Typed text beyond the capacity is refused with the error box.
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    // A text box never holds a zero byte, however the text arrives: an edit
    // that brings one (an input method, an accessibility client) ends the
    // text there, as set text does. The bytes read never hold one; the view
    // is cut right after the edit.
    void checkInsertedText(int position, int added);
    void endAtZero();

    // Throws "Text exceeds memo capacity" for a text beyond the capacity.
    static void checkCapacity(QByteArrayView bytes);
    // Whether `inserted` (view text) fits in place of the selection.
    bool fitsInsertion(QStringView inserted) const;

    // Replaces the text by bytes that hold no zero byte.
    void replaceText(const QByteArray &bytes, Undo undo);
    void showText();
    // Undo and redo of a whole-text replacement show `bytes` again.
    class WholeTextStep;
    void restoreText(const QByteArray &bytes);

    // The texts before and after the last whole-text replacement that is a
    // step of undo, where the view alone would not give them back exactly
    // (a lone CR or LF comes back from the view as CR LF).
    QList<QByteArray> m_exact;
    mutable QByteArray m_bytes;
    mutable bool m_stale = false;
    bool m_showing = false;
    bool m_zeroPending = false;
    HtmlHighlighter *m_highlighter = nullptr;
};

// Initial lines (UTF-8 in the source) as a text: each line and CR LF.
QByteArray initialText(std::initializer_list<const char *> lines);

} // namespace kv
