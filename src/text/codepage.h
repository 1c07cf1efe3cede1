#pragma once
// The program's one code page. Every text the program holds is Windows-1251
// bytes; Unicode appears only at the edge, where a widget shows them.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace kv {

// Bytes -> Unicode, one character per byte (bytes 1..255 round-trip).
QString fromCp1251(QByteArrayView bytes);
// Unicode -> bytes; a character the code page lacks becomes '?', as typed
// text does on the desktop the program comes from.
QByteArray toCp1251(QStringView text);
// A literal written in UTF-8 in the source, as the program's bytes.
QByteArray cp(const char *utf8);

// The view of a text for a plain-text widget: CR LF -> LF, every other byte decoded.
QString viewOfText(QByteArrayView bytes);
// Back from a widget's raw text: paragraph and line separators and LF -> CR LF.
QByteArray textOfView(QStringView raw);

} // namespace kv
