#include "text/replacingfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {

void syncFolder(const QString &folder)
{
    // A folder that cannot be opened for reading (write and search only)
    // cannot be flushed; its rename still stands.
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

ReplacingFile::ReplacingFile(const QString &target)
    : m_target(target)
{
    // QSaveFile writes through a symbolic link; to replace the link itself
    // the new version is completed under a fresh name beside it first.
    if (QFileInfo(target).isSymLink()) {
        const QFileInfo info(target);
        m_detour = info.path() + QStringLiteral("/.") + info.fileName() + u'.'
            + QString::number(QRandomGenerator::global()->generate64(), 36) + QStringLiteral(".new");
    }
    m_file.setFileName(m_detour.isEmpty() ? target : m_detour);
}

bool ReplacingFile::open()
{
    if (m_file.open(QIODevice::WriteOnly))
        return true;
    const QString folder = QFileInfo(m_file.fileName()).path();
    // EACCES for a folder without write permission, EPERM for an immutable one.
    m_folderRefused = ::access(QFile::encodeName(folder).constData(), W_OK) != 0 && (errno == EACCES || errno == EPERM);
    return false;
}

bool ReplacingFile::commit()
{
    if (!m_file.isOpen() || !m_file.flush())
        return false;
    const int fd = int(m_file.handle());
    struct stat earlier{};
    if (::stat(QFile::encodeName(m_target).constData(), &earlier) == 0) {
        if (::fchown(fd, earlier.st_uid, earlier.st_gid) != 0) {
            // Not ours to give away: the new version stays the user's own.
        }
        ::fchmod(fd, earlier.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    // QSaveFile flushes the new version to the disk and renames it.
    if (!m_file.commit())
        return false;
    if (!m_detour.isEmpty() && ::rename(QFile::encodeName(m_detour).constData(), QFile::encodeName(m_target).constData()) != 0) {
        QFile::remove(m_detour);
        return false;
    }
    syncFolder(QFileInfo(m_target).path());
    return true;
}

} // namespace kv
