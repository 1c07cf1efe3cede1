#include "text/textfile.h"

#include "text/errors.h"
#include "text/filenames.h"
#include "text/replacingfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <cstring>

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
    if (info.exists()) {
        // The same refusal the file itself would give: a read-only file is
        // not replaced behind its back.
        QFile probe(target);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
            throw cannotCreateFile(path, probe.errorString());
    }
    // The new text is written beside the file and renamed over it, so a full
    // disk or a crash never damages the earlier version. The rename is
    // atomic; the data is not forced to the disk first (see the README).
    ReplacingFile replacing(target);
    if (replacing.open()) {
        if (replacing.device().write(bytes) != bytes.size() || !replacing.commit())
            throw streamWriteError();
        return;
    }
    // A folder that takes no new files still lets a writable file be
    // rewritten in place, as it always could.
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw cannotCreateFile(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw streamWriteError();
}

QByteArray loadBytes(const QString &name)
{
    const QString path = fileNames::resolve(name);
    if (QFileInfo(path).isDir())
        throw cannotOpenFile(path, systemReason(EISDIR));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw cannotOpenFile(path, file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw cannotOpenFile(path, file.errorString());
    return normaliseLineBreaks(untilZeroByte(std::move(bytes)));
}

} // namespace kv
