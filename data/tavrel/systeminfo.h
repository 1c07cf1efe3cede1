#pragma once
// What Tavrel reports about the computer: the operating system, the
// processor, the memory and the screens, as groups of named values.
#include <QList>
#include <QString>

namespace tavrel {

struct Entry
{
    QString name;
    QString value;
};

struct Group
{
    QString title;
    QList<Entry> entries;
};

// Gathered anew on each call; the screens need a QGuiApplication.
QList<Group> systemInformation();

// The report as plain text, one "name: value" line per entry under each title.
QString reportText(const QList<Group> &groups);

// "15,6 ГБ" and the like, for a number of bytes.
QString sizeText(quint64 bytes);

} // namespace tavrel
