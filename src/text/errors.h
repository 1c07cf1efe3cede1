#pragma once
// Errors that end a command. Each carries the exact message the user sees
// (before the error box adds its final period).
#include <QString>

#include <stdexcept>

namespace kv {

class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

// The error box shows a message with one final period added when its last
// character's code is above that of '.'; a message ending in '.', a blank,
// '!', ')', ',' or any other character up to code 46 stays as it is.
QString withFinalPeriod(const QString &message);

// The operating system's reason for an errno value, without trailing
// blanks, line breaks and periods.
QString systemReason(int errnoValue);
QString trimmedReason(QString reason);

Error cannotOpenFile(const QString &fullPath, const QString &reason);
Error cannotCreateFile(const QString &fullPath, const QString &reason);
Error streamWriteError();
Error textExceedsCapacity();

} // namespace kv
