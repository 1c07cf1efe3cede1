#pragma once
// The platform's line-by-line reader of text files, as the package
// installation window reads downloaded files: its line rules and its
// numbered errors.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace kv {

// The line-by-line reader of downloaded text files: a line ends at LF or
// CR LF, a lone CR is dropped, byte 26 ends the reading at the start of a
// line and ends the line inside one (the rest up to its LF is skipped unless
// a further byte 26 ends the reading); a last line without a line end counts.
// Only a regular file is read: a folder, a pipe, a device or a socket gives
// error 5 at once, never a wait or an endless read.
struct TextFileLines
{
    QList<QByteArray> lines; // the lines read, also those before an error
    int error = 0;           // the reader's error code where it stopped; 0 at the end of the file
};
TextFileLines readTextFileLines(const QString &name);
// The lines of bytes already read, by the same rules.
QList<QByteArray> splitTextFileLines(QByteArrayView bytes);
// The reader's messages: 2 "File not found", 3 "Invalid filename", ...,
// any other code "I/O error %d".
QString textFileErrorMessage(int code);

} // namespace kv
