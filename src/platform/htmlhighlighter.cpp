#include "platform/htmlhighlighter.h"

#include <QEvent>
#include <QHash>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTextDocument>
#include <QTextLayout>

namespace kv {
namespace {

qint64 blocksRead = 0;
qint64 charactersRead = 0;

// An edit larger than this (a loaded page, a big paste) is left to the next
// paint, which colours only what is shown.
constexpr int LargeEdit = 64 * 1024;
constexpr int LargeEditBlocks = 64;

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\f' || c == u'\r';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexLetter(QChar c)
{
    return (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isNameChar(QChar c)
{
    return isAsciiLetter(c) || isAsciiDigit(c) || c == u'-' || c == u'_' || c == u':' || c == u'.';
}

bool endsAttributeName(QChar c)
{
    return isSpace(c) || c == u'=' || c == u'>' || c == u'/' || c == u'<' || c == u'"' || c == u'\'';
}

// The length of a character reference at `at` ("&amp;", "&#160;", "&#x41;"), or 0.
qsizetype entityLength(QStringView s, qsizetype at)
{
    const qsizetype n = s.size();
    qsizetype i = at + 1;
    const qsizetype limit = std::min(n, at + 40);
    if (i < limit && s[i] == u'#') {
        ++i;
        const bool hex = i < limit && (s[i] == u'x' || s[i] == u'X');
        if (hex)
            ++i;
        const qsizetype digits = i;
        while (i < limit && (isAsciiDigit(s[i]) || (hex && isHexLetter(s[i]))))
            ++i;
        if (i == digits)
            return 0;
    } else {
        if (i >= limit || !isAsciiLetter(s[i]))
            return 0;
        while (i < limit && (isAsciiLetter(s[i]) || isAsciiDigit(s[i])))
            ++i;
    }
    return i < limit && s[i] == u';' ? i + 1 - at : 0;
}

// Longer than any block that is coloured.
constexpr qsizetype OpenEnd = qsizetype(1) << 24;
static_assert(OpenEnd > HtmlHighlighter::LongBlock);

// The kind of the construct a line ending in `state` leaves open, or KindCount.
HtmlHighlighter::Kind openKind(HtmlHighlighter::State state)
{
    using State = HtmlHighlighter::State;
    using Kind = HtmlHighlighter::Kind;
    switch (state) {
    case State::Comment:
        return Kind::Comment;
    case State::Doctype:
        return Kind::Doctype;
    case State::DoubleQuoted:
    case State::SingleQuoted:
        return Kind::Value;
    default:
        return Kind(HtmlHighlighter::KindCount);
    }
}

// What a block was last coloured from: its text, the state it started in
// and the palette; and the state it ended in.
struct Stamp : QTextBlockUserData
{
    size_t hash = 0;
    HtmlHighlighter::State start = HtmlHighlighter::State::Text;
    HtmlHighlighter::State end = HtmlHighlighter::State::Text;
    int generation = -1;
};

} // namespace

HtmlHighlighter::State HtmlHighlighter::scanLine(QStringView s, State state, QList<Token> *tokens)
{
    ++blocksRead;
    charactersRead += s.size();
    const qsizetype n = s.size();
    const auto mark = [tokens](qsizetype from, qsizetype to, Kind kind) {
        if (!tokens || to <= from)
            return;
        if (!tokens->isEmpty() && tokens->last().kind == kind && tokens->last().start + tokens->last().length == from)
            tokens->last().length += to - from;
        else
            tokens->append({from, to - from, kind});
    };
    qsizetype i = 0;
    // Marks the run up to and including `closer` as `kind` and goes on in
    // `after`; false when the line ends first, the run taking the rest of it.
    const auto runTo = [&](QStringView closer, Kind kind, State after) {
        const qsizetype end = s.indexOf(closer, i);
        if (end < 0) {
            mark(i, n, kind);
            return false;
        }
        mark(i, end + closer.size(), kind);
        i = end + closer.size();
        state = after;
        return true;
    };
    while (i < n) {
        switch (state) {
        case State::Comment:
            if (!runTo(QStringView(u"-->"), Kind::Comment, State::Text))
                return state;
            break;
        case State::Doctype:
            if (!runTo(QStringView(u">"), Kind::Doctype, State::Text))
                return state;
            break;
        case State::DoubleQuoted:
            if (!runTo(QStringView(u"\""), Kind::Value, State::Tag))
                return state;
            break;
        case State::SingleQuoted:
            if (!runTo(QStringView(u"'"), Kind::Value, State::Tag))
                return state;
            break;
        case State::Text: {
            while (i < n && s[i] != u'<' && s[i] != u'&')
                ++i;
            if (i == n)
                return state;
            if (s[i] == u'&') {
                const qsizetype length = entityLength(s, i);
                mark(i, i + length, Kind::Entity);
                i += std::max<qsizetype>(length, 1);
            } else if (s.sliced(i).startsWith(u"<!--")) {
                mark(i, i + 4, Kind::Comment);
                i += 4;
                state = State::Comment;
            } else if (i + 1 < n && (s[i + 1] == u'!' || s[i + 1] == u'?')) {
                mark(i, i + 2, Kind::Doctype);
                i += 2;
                state = State::Doctype;
            } else {
                qsizetype k = i + 1;
                if (k < n && s[k] == u'/')
                    ++k;
                if (k < n && isAsciiLetter(s[k])) {
                    while (k < n && isNameChar(s[k]))
                        ++k;
                    mark(i, k, Kind::Tag);
                    state = State::Tag;
                    i = k;
                } else {
                    ++i; // a "<" that opens no tag, as in "a < b"
                }
            }
            break;
        }
        case State::Tag: {
            const QChar c = s[i];
            if (isSpace(c) || (c == u'/' && !(i + 1 < n && s[i + 1] == u'>'))) {
                ++i;
            } else if (c == u'>' || c == u'/') {
                const qsizetype end = c == u'>' ? i + 1 : i + 2;
                mark(i, end, Kind::Tag);
                i = end;
                state = State::Text;
            } else if (c == u'<') {
                state = State::Text; // a tag left open: the next one starts here
            } else if (c == u'"' || c == u'\'') {
                mark(i, i + 1, Kind::Value);
                ++i;
                state = c == u'"' ? State::DoubleQuoted : State::SingleQuoted;
            } else if (c == u'=') {
                ++i;
                state = State::BeforeValue;
            } else {
                qsizetype k = i;
                while (k < n && !endsAttributeName(s[k]))
                    ++k;
                mark(i, k, Kind::Attribute);
                i = k;
            }
            break;
        }
        case State::BeforeValue: {
            const QChar c = s[i];
            if (isSpace(c)) {
                ++i;
            } else if (c == u'"' || c == u'\'') {
                mark(i, i + 1, Kind::Value);
                ++i;
                state = c == u'"' ? State::DoubleQuoted : State::SingleQuoted;
            } else if (c == u'>') {
                state = State::Tag;
            } else if (c == u'<') {
                state = State::Text;
            } else {
                qsizetype k = i; // a value without quotes
                while (k < n && !isSpace(s[k]) && s[k] != u'>')
                    ++k;
                mark(i, k, Kind::Value);
                i = k;
                state = State::Tag;
            }
            break;
        }
        }
    }
    return state;
}

HtmlHighlighter::HtmlHighlighter(QPlainTextEdit *edit, std::function<QTextBlock()> firstVisible)
    : QObject(edit), m_edit(edit), m_viewport(edit->viewport()), m_document(edit->document()),
      m_editObject(edit), m_viewportObject(edit->viewport()), m_firstVisible(std::move(firstVisible))
{
    choosePalette();
    edit->installEventFilter(this);
    edit->viewport()->installEventFilter(this);
    // An edit is coloured before it is laid out, so that its block is laid
    // out once; what else it changes on screen the next paint colours.
    connect(m_document, &QTextDocument::contentsChange, this,
            [this](int from, int, int added) { colourEdited(from, added); });
    edit->viewport()->update();
}

HtmlHighlighter::~HtmlHighlighter()
{
    if (!m_document)
        return;
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        if (!block.userData())
            continue;
        block.setUserData(nullptr);
        block.layout()->clearFormats();
        m_document->markContentsDirty(block.position(), block.length());
    }
}

qint64 HtmlHighlighter::scannedBlocks()
{
    return blocksRead;
}

qint64 HtmlHighlighter::scannedCharacters()
{
    return charactersRead;
}

QColor HtmlHighlighter::colour(Kind kind) const
{
    return m_colours[size_t(kind)];
}

void HtmlHighlighter::choosePalette()
{
    // Two sets, each readable on its kind of background.
    static constexpr std::array<QRgb, KindCount> onLight = {0x0d47a1, 0x9c4a00, 0x1b7a1b, 0x6b6b6b, 0xb0125b, 0x6a3d9a};
    static constexpr std::array<QRgb, KindCount> onDark = {0x82b1ff, 0xffb86c, 0x9ad68a, 0xa0a0a0, 0xff80ab, 0xc7a4ff};
    const bool dark = m_edit->palette().color(QPalette::Base).lightness() < 128;
    for (int k = 0; k < KindCount; ++k)
        m_colours[size_t(k)] = QColor::fromRgb(dark ? onDark[size_t(k)] : onLight[size_t(k)]);
    ++m_generation;
}

bool HtmlHighlighter::eventFilter(QObject *watched, QEvent *event)
{
    // Compared as plain objects: while the box is being destroyed it is no
    // longer a text edit, and its events still pass through here.
    if (event->type() == QEvent::Paint && watched == m_viewportObject) {
        colourVisible();
    } else if (event->type() == QEvent::PaletteChange && watched == m_editObject) {
        choosePalette();
        m_edit->viewport()->update();
    }
    return false;
}

// The state in which `block` starts, found by reading at most
// LookBackBlocks blocks and LookBackCharacters characters before it, from
// plain text. This is an approximation: a comment, tag or quoted value
// opened further back than that is not seen, and the lines after it are
// coloured as if it were not there. In exchange, neither a paint nor a
// keystroke ever reads the text from its start, so an unclosed comment at
// the top of a long page costs no more than a closed one.
HtmlHighlighter::State HtmlHighlighter::stateBefore(const QTextBlock &block) const
{
    // What was read before the block only changes with an edit before it.
    const int position = block.position();
    for (const LookedBack &known : m_lookedBack)
        if (known.position == position)
            return known.state;
    QTextBlock from = block;
    int characters = 0;
    for (int i = 0; i < LookBackBlocks; ++i) {
        const QTextBlock previous = from.previous();
        if (!previous.isValid() || characters + previous.length() > LookBackCharacters)
            break;
        characters += previous.length();
        from = previous;
    }
    State state = State::Text;
    for (; from.isValid() && from != block; from = from.next())
        state = scanLine(from.text(), state, nullptr);
    m_lookedBack[m_nextLookedBack] = {position, state};
    m_nextLookedBack = (m_nextLookedBack + 1) % m_lookedBack.size();
    return state;
}

bool HtmlHighlighter::isCurrent(const QTextBlock &block, State start, State *end) const
{
    const auto *stamp = static_cast<const Stamp *>(block.userData());
    if (block.length() > LongBlock) {
        // Long blocks stay plain, and the next line starts as text.
        *end = State::Text;
        return !stamp;
    }
    if (!stamp || stamp->start != start || stamp->generation != m_generation || stamp->hash != qHash(block.text()))
        return false;
    *end = stamp->end;
    return true;
}

HtmlHighlighter::State HtmlHighlighter::colourBlock(QTextBlock block, State start)
{
    State current;
    if (isCurrent(block, start, &current))
        return current;
    QTextLayout *layout = block.layout();
    auto *stamp = static_cast<Stamp *>(block.userData());
    if (block.length() > LongBlock) {
        block.setUserData(nullptr);
        layout->clearFormats();
        m_document->markContentsDirty(block.position(), block.length());
        return State::Text;
    }
    const QString text = block.text();
    const size_t hash = qHash(text);
    QList<Token> tokens;
    const State end = scanLine(text, start, &tokens);
    // A comment, declaration or quoted value still open at the end of the
    // line is coloured to the end of the line however long it grows: typing
    // inside it then leaves the block's formats, and its layout, as they are.
    if (const Kind open = openKind(end); open != Kind(KindCount)) {
        const qsizetype n = text.size();
        if (!tokens.isEmpty() && tokens.last().kind == open && tokens.last().start + tokens.last().length == n)
            tokens.last().length = OpenEnd - tokens.last().start;
        else
            tokens.append({n, OpenEnd - n, open});
    }
    QList<QTextLayout::FormatRange> formats;
    formats.reserve(tokens.size());
    for (const Token &token : tokens) {
        QTextLayout::FormatRange range;
        range.start = int(token.start);
        range.length = int(token.length);
        range.format.setForeground(m_colours[size_t(token.kind)]);
        formats.append(range);
    }
    if (formats != layout->formats()) {
        // The layout's own formats: the document, its undo history and its
        // "contents changed" signal know nothing of them.
        layout->setFormats(formats);
        m_document->markContentsDirty(block.position(), block.length());
    }
    if (!stamp) {
        stamp = new Stamp;
        block.setUserData(stamp);
    }
    stamp->hash = hash;
    stamp->start = start;
    stamp->end = end;
    stamp->generation = m_generation;
    return end;
}

void HtmlHighlighter::colourVisible()
{
    if (m_busy || !m_edit)
        return;
    QScopedValueRollback<bool> busy(m_busy, true);
    QTextBlock block = m_firstVisible();
    if (!block.isValid())
        return;
    // Every block takes at least one line, so no more blocks than lines fit.
    const int lines = m_edit->viewport()->height() / std::max(1, m_edit->fontMetrics().lineSpacing()) + 2;
    const Pass pass{block.blockNumber(), lines, m_edits, m_generation};
    if (pass == m_lastPass)
        return;
    m_lastPass = pass;
    State state = stateBefore(block);
    const QTextBlock first = block;
    for (int i = 0; i < lines && block.isValid(); ++i, block = block.next()) {
        if (!isCurrent(block, state, &state)) {
            // Colour a screen above and one below as well: a change of
            // formats makes the whole view paint again, and so scrolling by
            // a few lines at a time mostly finds its blocks coloured already.
            block = first;
            for (int above = 0; above < lines && block.previous().isValid(); ++above)
                block = block.previous();
            state = stateBefore(block);
            for (int j = 0; j < 3 * lines && block.isValid(); ++j, block = block.next())
                state = colourBlock(block, state);
            return;
        }
    }
}

void HtmlHighlighter::colourEdited(int from, int added)
{
    ++m_edits;
    for (LookedBack &known : m_lookedBack)
        if (known.position > from)
            known.position = -1;
    if (m_busy || added > LargeEdit)
        return;
    QScopedValueRollback<bool> busy(m_busy, true);
    QTextBlock block = m_document->findBlock(from);
    QTextBlock last = m_document->findBlock(from + added);
    if (!last.isValid())
        last = m_document->lastBlock();
    if (!block.isValid() || last.blockNumber() - block.blockNumber() > LargeEditBlocks)
        return;
    State state = stateBefore(block);
    for (;; block = block.next()) {
        state = colourBlock(block, state);
        if (block == last)
            break;
    }
}

} // namespace kv
