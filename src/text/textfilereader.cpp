#include "text/textfilereader.h"

#include "text/filenames.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kv {

QList<QByteArray> splitTextFileLines(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    const char *src = bytes.data();
    const char *const end = src + bytes.size();
    // A byte 26 at the start of a line is the end-of-file mark.
    while (src != end && *src != 26) {
        const char *lineEnd = static_cast<const char *>(std::memchr(src, '\n', size_t(end - src)));
        if (!lineEnd)
            lineEnd = end;
        // Inside a line, byte 26 ends it; a second one before the LF ends the reading.
        const char *mark = static_cast<const char *>(std::memchr(src, 26, size_t(lineEnd - src)));
        const char *stop = mark ? mark : lineEnd;
        QByteArray line;
        line.reserve(stop - src);
        // CR before LF belongs to the line end and a lone CR is dropped: no CR stays.
        for (const char *from = src; from != stop;) {
            const char *cr = static_cast<const char *>(std::memchr(from, '\r', size_t(stop - from)));
            const char *to = cr ? cr : stop;
            line.append(from, to - from);
            from = cr ? cr + 1 : stop;
        }
        lines.append(std::move(line));
        if (mark && std::memchr(mark + 1, 26, size_t(lineEnd - mark - 1)))
            break;
        src = lineEnd == end ? end : lineEnd + 1;
    }
    return lines;
}

QString textFileErrorMessage(int code)
{
    switch (code) {
    case 2: return QStringLiteral("File not found");
    case 3: return QStringLiteral("Invalid filename");
    case 4: return QStringLiteral("Too many open files");
    case 5: return QStringLiteral("File access denied");
    case 100: return QStringLiteral("Read beyond end of file");
    case 101: return QStringLiteral("Disk full");
    case 106: return QStringLiteral("Invalid numeric input");
    default: return QStringLiteral("I/O error %1").arg(code);
    }
}

namespace {

// The reader's codes for the system's reasons. A failed read of the medium
// gets 30, the read-fault code of the desktop the reader's codes come from,
// so it is not mistaken for "File access denied" (EIO is 5 here).
int readerErrorCode(int systemError)
{
    switch (systemError) {
    case ENOENT: return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EBUSY: return 5;
    case ENOSPC: return 101;
    case EIO: return 30;
    default: return systemError > 0 ? systemError : 100;
    }
}

} // namespace

TextFileLines readTextFileLines(const QString &name)
{
    const QString path = fileNames::resolve(name);
    const QFileInfo info(path);
    // A missing folder (such as "C:\temp") makes the name itself invalid.
    if (!QFileInfo(info.path()).isDir())
        return {{}, 3};
    if (!info.exists())
        return {{}, 2};
    // Only a regular file is read. A folder, a pipe, a device or a socket is
    // refused at once as the platform refuses a folder: a pipe would wait
    // for a writer and a device such as /dev/zero would never end.
    if (!info.isFile())
        return {{}, 5};
    QFile file;
#ifdef Q_OS_UNIX
    // Opened without waiting (a pipe put in the file's place after the check
    // above would otherwise wait for a writer here) and checked again.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {{}, readerErrorCode(errno)};
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return {{}, 5};
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {{}, readerErrorCode(EBADF)};
    }
#else
    file.setFileName(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        const int reason = errno;
        return {{}, file.error() == QFileDevice::PermissionsError ? 5 : readerErrorCode(reason)};
    }
#endif
    QByteArray bytes;
    if (info.size() > 0)
        bytes.reserve(info.size());
    char chunk[64 * 1024];
    for (;;) {
        errno = 0;
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got == 0)
            return {splitTextFileLines(bytes), 0};
        if (got < 0) {
            // The lines completed before the failing read count as read.
            const qsizetype lastEnd = bytes.lastIndexOf('\n');
            return {splitTextFileLines(QByteArrayView(bytes).first(lastEnd + 1)), readerErrorCode(errno)};
        }
        bytes.append(chunk, got);
    }
}

} // namespace kv
