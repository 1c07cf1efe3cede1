#pragma once
// Colours the HTML of a plain-text box for the eye only. The colours are
// formats of the blocks' layouts (QTextLayout::setFormats): they are not
// part of the document, so the text, its undo history, the selection and
// what copy puts on the clipboard stay exactly as they are.
//
// Only what the user can see is coloured: the blocks at the top of the
// view when it is painted, and the few blocks an edit touches. The cost of
// a paint or a keystroke therefore does not grow with the text, however
// long it is and however broken its HTML.
#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringView>
#include <QTextBlock>

#include <array>
#include <functional>

class QPlainTextEdit;
class QTextDocument;
class QWidget;

namespace kv {

class HtmlHighlighter : public QObject
{
    Q_OBJECT

public:
    enum class Kind : quint8 { Tag, Attribute, Value, Comment, Entity, Doctype };
    static constexpr int KindCount = 6;

    // Where a line starts: in text, or inside a construct an earlier line opened.
    enum class State : quint8 { Text, Comment, Doctype, Tag, BeforeValue, DoubleQuoted, SingleQuoted };

    struct Token
    {
        qsizetype start;
        qsizetype length;
        Kind kind;
        friend bool operator==(const Token &, const Token &) = default;
    };

    // Reads one line that starts in `state`, appends its coloured pieces to
    // `tokens` (when given) and returns the state in which the next line
    // starts. It knows tags, attributes, values, comments, declarations and
    // character references, no more: what a script or style element holds is
    // read as HTML too, and a "<" that opens no tag is text.
    static State scanLine(QStringView line, State state, QList<Token> *tokens);

    // `firstVisible` gives the block at the top of the edit's view.
    HtmlHighlighter(QPlainTextEdit *edit, std::function<QTextBlock()> firstVisible);
    // Takes the colours off again.
    ~HtmlHighlighter() override;

    // The colour of a kind of token on the edit's current palette.
    QColor colour(Kind kind) const;

    // Blocks and characters read by every highlighter so far (for tests).
    static qint64 scannedBlocks();
    static qint64 scannedCharacters();

    // How far it looks: blocks longer than this stay plain (colouring one
    // would lay it out once more), and so far back the state of the first
    // visible line is sought.
    static constexpr int LongBlock = 64 * 1024;
    static constexpr int LookBackBlocks = 200;
    static constexpr int LookBackCharacters = 64 * 1024;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void colourVisible();
    void colourEdited(int from, int added);
    State stateBefore(const QTextBlock &block) const;
    // Whether the block's colours are those of its text starting in `start`; `end` then holds
    // the state its last line leaves.
    bool isCurrent(const QTextBlock &block, State start, State *end) const;
    State colourBlock(QTextBlock block, State start);
    void choosePalette();

    QPointer<QPlainTextEdit> m_edit;
    QPointer<QWidget> m_viewport;
    QPointer<QTextDocument> m_document;
    const QObject *m_editObject;
    const QObject *m_viewportObject;
    std::function<QTextBlock()> m_firstVisible;
    // The last states found by looking back, by the position they hold at;
    // an edit before that position forgets one.
    struct LookedBack
    {
        int position = -1;
        State state = State::Text;
    };
    mutable std::array<LookedBack, 2> m_lookedBack;
    mutable size_t m_nextLookedBack = 0;
    std::array<QColor, KindCount> m_colours;
    int m_generation = 0;
    // Counts the edits; the last pass over the view, to skip a paint that
    // shows the same blocks of the same text (a blinking cursor).
    quint64 m_edits = 0;
    struct Pass
    {
        int firstBlock = -1;
        int lines = 0;
        quint64 edits = 0;
        int generation = -1;
        friend bool operator==(const Pass &, const Pass &) = default;
    } m_lastPass;
    bool m_busy = false;
};

} // namespace kv
