#pragma once
// Text lines on disk: the byte rules every window relies on.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace kv {

// A text box holds no zero byte: a text ends at its first one.
QByteArray untilZeroByte(QByteArray text);

// CR LF stays; a lone CR and a lone LF become CR LF (so LF CR is two breaks);
// every other byte stays.
QByteArray normaliseLineBreaks(const QByteArray &bytes);

// Adds `line` at the end of `text`: after the text and before a CR LF when the
// text is empty or ends with CR LF, else after a CR LF and without one.
void appendLine(QByteArray &text, QByteArrayView line);

// Writes `bytes` exactly to the file named `name`. The bytes go to a temporary
// file beside the target that is flushed to the disk and replaces it only
// when complete, so a full disk, a crash or a power failure never leaves a
// damaged file where a good one was. Only a regular file is written, and
// nothing waits on a pipe. Throws "Cannot create file ..." or "Stream write error".
void saveBytes(const QByteArray &bytes, const QString &name);

// The most a loaded text may hold: its size in bytes, and the length of its
// longest line (the bytes between two line breaks, a CR or an LF).
struct TextLimits
{
    qsizetype text;
    qsizetype line;
};
// The length of the longest line of `bytes`, lines broken at CR and at LF.
qsizetype longestLine(QByteArrayView bytes);

// The file's bytes up to the first zero byte, line breaks normalised.
// Throws "Cannot open file ...", or "Text exceeds memo capacity" for a text
// beyond `limits`; a file far beyond them is not read to its end.
QByteArray loadBytes(const QString &name, TextLimits limits);

} // namespace kv
