#pragma once
// A new version of a file, written beside it and put in its place only when
// complete: a failure at any point (a full disk, a crash, a broken
// transfer) leaves the earlier file as it was and nothing else behind.
#include <QString>
#include <QTemporaryFile>

namespace kv {

class ReplacingFile
{
public:
    // `target` is the path whose directory entry is replaced; a symbolic
    // link there is replaced itself, so resolve links first to write through them.
    explicit ReplacingFile(const QString &target);

    // Creates the temporary file; false when the folder takes no new file.
    bool open();
    QFileDevice &device() { return m_temporary; }
    // Finishes the writing and renames the new version over the target. An
    // earlier file's permissions (and owner, where allowed) carry over; a new
    // file gets the usual ones for the user.
    bool commit();

private:
    QString m_target;
    QTemporaryFile m_temporary;
};

} // namespace kv
