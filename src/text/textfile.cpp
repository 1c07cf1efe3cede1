#include "text/textfile.h"

#include "text/errors.h"
#include "text/filenames.h"
#include "text/replacingfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kv {

QByteArray untilZeroByte(QByteArray text)
{
    const qsizetype zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

QByteArray normaliseLineBreaks(const QByteArray &bytes)
{
    // Most files break their lines with CR LF already: count what is
    // missing first (memchr runs far faster than a loop over every byte), so
    // those come back shared, without a copy.
    const char *begin = bytes.constData();
    const char *end = begin + bytes.size();
    qsizetype missing = 0;
    for (const char *p = begin; (p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)))); ++p)
        if (p == begin || p[-1] != '\r')
            ++missing;
    for (const char *p = begin; (p = static_cast<const char *>(std::memchr(p, '\r', size_t(end - p)))); ++p)
        if (p + 1 == end || p[1] != '\n')
            ++missing;
    if (missing == 0)
        return bytes;
    QByteArray out(bytes.size() + missing, Qt::Uninitialized);
    char *dst = out.data();
    for (const char *src = begin; src != end;) {
        const char c = *src++;
        if (c == '\r') {
            *dst++ = '\r';
            *dst++ = '\n';
            if (src != end && *src == '\n')
                ++src;
        } else if (c == '\n') {
            *dst++ = '\r';
            *dst++ = '\n';
        } else {
            *dst++ = c;
        }
    }
    Q_ASSERT(dst == out.data() + out.size());
    return out;
}

void appendLine(QByteArray &text, QByteArrayView line)
{
    if (text.isEmpty() || text.endsWith("\r\n")) {
        text.append(line);
        text.append("\r\n", 2);
    } else {
        text.append("\r\n", 2);
        text.append(line);
    }
}

namespace {

// Follows symbolic links to the file that is really written, so a link
// stays a link and its target gets the new content.
QString writeTarget(const QString &path)
{
    QString target = path;
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(target);
        if (!info.isSymLink())
            return target;
        const QString next = info.symLinkTarget();
        if (next.isEmpty())
            return target;
        target = next;
    }
    return target;
}

// Why something that is not a regular file is neither loaded nor saved:
// reading a pipe or a device waits for a writer or never ends, and writing
// one waits for a reader.
QString notAFileReason(mode_t mode)
{
    if (S_ISDIR(mode))
        return systemReason(EISDIR);
    if (S_ISFIFO(mode))
        return QStringLiteral("Is a named pipe, not a file");
    if (S_ISSOCK(mode))
        return QStringLiteral("Is a socket, not a file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("Is a device, not a file");
    return QStringLiteral("Is not a regular file");
}

// A file descriptor closed when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Rewrites the regular file `target` with `bytes` where no new file can be
// made beside it. The space is claimed before the first byte is changed,
// so a full disk is reported while the file is still the earlier version.
void rewriteInPlace(const QByteArray &bytes, const QString &target, const QString &path)
{
    const Descriptor file(::open(QFile::encodeName(target).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        throw cannotCreateFile(path, systemReason(errno));
    struct stat st{};
    if (::fstat(file.get(), &st) != 0)
        throw cannotCreateFile(path, systemReason(errno));
    if (!S_ISREG(st.st_mode))
        throw cannotCreateFile(path, notAFileReason(st.st_mode));
    if (!bytes.isEmpty() && ::fallocate(file.get(), 0, 0, off_t(bytes.size())) != 0) {
        if (errno != EOPNOTSUPP && errno != ENOSYS)
            throw streamWriteError(); // ENOSPC, EFBIG, a quota: nothing changed
        // A file system that cannot claim space ahead: the whole new size
        // must be free, as if no block of the file could be reused.
        struct statvfs disk{};
        if (::fstatvfs(file.get(), &disk) != 0 || qulonglong(disk.f_bavail) * disk.f_frsize < qulonglong(bytes.size()))
            throw streamWriteError();
    }
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::pwrite(file.get(), bytes.constData() + done, size_t(bytes.size() - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw streamWriteError();
        done += n;
    }
    if (::ftruncate(file.get(), off_t(bytes.size())) != 0 || ::fsync(file.get()) != 0)
        throw streamWriteError();
}

} // namespace

void saveBytes(const QByteArray &bytes, const QString &name)
{
    const QString path = fileNames::resolve(name);
    const QString target = writeTarget(path);
    const QFileInfo info(target);
    if (info.isDir())
        throw cannotCreateFile(path, systemReason(EISDIR));
    if (!QFileInfo(info.path()).isDir())
        throw cannotCreateFile(path, systemReason(ENOENT));
    struct stat existing{};
    const bool exists = ::stat(QFile::encodeName(target).constData(), &existing) == 0;
    if (exists) {
        if (!S_ISREG(existing.st_mode))
            throw cannotCreateFile(path, notAFileReason(existing.st_mode));
        // The same refusal the file itself would give: a read-only file is
        // not replaced behind its back. (Without waiting: should a pipe
        // have taken the file's place meanwhile, this fails at once.)
        const Descriptor probe(::open(QFile::encodeName(target).constData(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC));
        if (probe.get() < 0)
            throw cannotCreateFile(path, systemReason(errno));
    }
    // The new text is written beside the file, flushed to the disk and
    // renamed over it, and the folder is flushed: a full disk, a crash or a
    // power failure leaves the earlier version or the new one, whole.
    ReplacingFile replacing(target);
    if (replacing.open()) {
        if (replacing.device().write(bytes) != bytes.size() || !replacing.commit())
            throw streamWriteError();
        return;
    }
    if (!exists || !replacing.folderRefused())
        throw cannotCreateFile(path, replacing.device().errorString());
    // A folder that refuses new files for want of permission still lets a
    // writable file be rewritten in place, as it always could.
    rewriteInPlace(bytes, target, path);
}

qsizetype longestLine(QByteArrayView bytes)
{
    qsizetype longest = 0;
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    while (p != end) {
        const char *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *lineEnd = lf ? lf : end;
        // A lone CR breaks a line too; only a stretch longer than the
        // longest so far needs the closer look.
        if (lineEnd - p > longest) {
            for (const char *from = p; from != lineEnd;) {
                const char *cr = static_cast<const char *>(std::memchr(from, '\r', size_t(lineEnd - from)));
                const char *runEnd = cr ? cr : lineEnd;
                longest = std::max<qsizetype>(longest, runEnd - from);
                from = cr ? cr + 1 : lineEnd;
            }
        }
        p = lf ? lf + 1 : end;
    }
    return longest;
}

QByteArray loadBytes(const QString &name, TextLimits limits)
{
    const QString path = fileNames::resolve(name);
    const QByteArray native = QFile::encodeName(path);
    // Only a regular file is opened: a pipe, a device or a socket (or a
    // link to one) would wait for a writer or never end. It is looked at
    // before opening, and the file opened without waiting is looked at
    // again, in case it was replaced in between.
    struct stat st{};
    if (::stat(native.constData(), &st) != 0)
        throw cannotOpenFile(path, systemReason(errno));
    if (!S_ISREG(st.st_mode))
        throw cannotOpenFile(path, notAFileReason(st.st_mode));
    const Descriptor file(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        throw cannotOpenFile(path, systemReason(errno));
    if (::fstat(file.get(), &st) != 0)
        throw cannotOpenFile(path, systemReason(errno));
    if (!S_ISREG(st.st_mode))
        throw cannotOpenFile(path, notAFileReason(st.st_mode));

    // The text ends at the first zero byte, so one byte beyond the limit
    // tells whether the text is too large: the rest is never read.
    const qsizetype wanted = limits.text + 1;
    QByteArray bytes(std::min<qsizetype>(wanted, std::max<qsizetype>(st.st_size, 0) + 1), Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got == wanted)
                break;
            // The file grew since it was looked at.
            bytes.resize(std::min<qsizetype>(wanted, got + got / 2 + 64 * 1024));
        }
        const ssize_t n = ::read(file.get(), bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw cannotOpenFile(path, systemReason(errno));
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    bytes = untilZeroByte(std::move(bytes));
    if (bytes.size() > limits.text || longestLine(bytes) > limits.line)
        throw textExceedsCapacity();
    bytes = normaliseLineBreaks(bytes);
    if (bytes.size() > limits.text)
        throw textExceedsCapacity();
    return bytes;
}

} // namespace kv
