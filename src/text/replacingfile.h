#pragma once
// A new version of a file, written beside it and put in its place only when
// complete and on the disk: a failure at any point (a full disk, a crash, a
// power failure, a broken transfer) leaves the earlier file or the new one,
// whole, and nothing else behind but, after a crash, a temporary file.
#include <QSaveFile>
#include <QString>

namespace kv {

class ReplacingFile
{
public:
    // `target` is the path whose directory entry is replaced; a symbolic
    // link there is replaced itself (resolve links first to write through
    // them).
    explicit ReplacingFile(const QString &target);

    // Creates the new version beside the target; false when the folder
    // takes no new file (then folderRefused() tells whether for want of
    // permission).
    bool open();
    bool folderRefused() const { return m_folderRefused; }
    QFileDevice &device() { return m_file; }
    // Flushes the new version to the disk, renames it over the target and
    // flushes the folder. An earlier file's permissions (and owner, where
    // allowed) carry over; a new file gets the usual ones for the user.
    // Without a commit (or when it fails) the new version is discarded when
    // the object goes.
    bool commit();

private:
    QString m_target;
    // Where the new version is first renamed to when the target is a link,
    // which QSaveFile would write through; empty otherwise.
    QString m_detour;
    QSaveFile m_file;
    bool m_folderRefused = false;
};

// Flushes a folder's entries (a rename in it) to the disk.
void syncFolder(const QString &folder);

} // namespace kv
