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
// file beside the target that replaces it only when complete, so a full disk
// or a crash never leaves a damaged file where a good one was.
// Throws "Cannot create file ..." or "Stream write error".
void saveBytes(const QByteArray &bytes, const QString &name);

// The file's bytes up to the first zero byte, line breaks normalised.
// Throws "Cannot open file ...".
QByteArray loadBytes(const QString &name);

} // namespace kv
