#include "text/replacingfile.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kv {
namespace {

std::filesystem::path fileSystemPath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace

ReplacingFile::ReplacingFile(const QString &target)
    : m_target(target)
    , m_temporary(QFileInfo(target).path() + QStringLiteral("/.") + QFileInfo(target).fileName() + QStringLiteral(".XXXXXX.tmp"))
{
}

bool ReplacingFile::open()
{
    return m_temporary.open();
}

bool ReplacingFile::commit()
{
    if (!m_temporary.flush())
        return false;
#ifndef Q_OS_WIN
    const int fd = int(m_temporary.handle());
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
#else
    if (QFileInfo::exists(m_target))
        m_temporary.setPermissions(QFile::permissions(m_target));
#endif
    m_temporary.close();
    if (m_temporary.error() != QFileDevice::NoError)
        return false;
    std::error_code failed;
    std::filesystem::rename(fileSystemPath(m_temporary.fileName()), fileSystemPath(m_target), failed);
    if (failed)
        return false;
    m_temporary.setAutoRemove(false);
    return true;
}

} // namespace kv
