#include "text/textfile.h"

#include "text/errors.h"
#include "text/filenames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

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
    // missing first, so those come back shared, without a copy.
    const char *begin = bytes.constData();
    const char *end = begin + bytes.size();
    qsizetype missing = 0;
    for (const char *p = begin; p != end; ++p) {
        if (*p == '\r' && (p + 1 == end || p[1] != '\n'))
            ++missing;
        else if (*p == '\n' && (p == begin || p[-1] != '\r'))
            ++missing;
    }
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
    QSaveFile file(target);
    // A folder that takes no new files still lets a writable file be
    // rewritten in place, as it always could.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        throw cannotCreateFile(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        throw streamWriteError();
    }
    if (!file.commit())
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

QList<QByteArray> splitTextFileLines(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    const char *src = bytes.data();
    const char *end = src + bytes.size();
    while (src != end) {
        if (*src == 26)
            break; // end-of-file mark at the start of a line
        QByteArray line;
        bool endOfFile = false;
        while (src != end && *src != '\n') {
            const char c = *src++;
            if (c == '\r')
                continue; // CR before LF is part of the line end; a lone CR is dropped
            if (c == 26) {
                // Ends the line; the rest up to its LF is skipped, unless a
                // further byte 26 comes first, which ends the reading.
                while (src != end && *src != '\n') {
                    if (*src == 26) {
                        endOfFile = true;
                        break;
                    }
                    ++src;
                }
                break;
            }
            line.append(c);
        }
        lines.append(line);
        if (endOfFile)
            break;
        if (src != end)
            ++src; // past the LF
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

QList<QByteArray> readTextFileLines(const QString &name)
{
    const QString path = fileNames::resolve(name);
    const QFileInfo info(path);
    if (!QFileInfo(info.path()).isDir())
        throw Error(textFileErrorMessage(3));
    if (!info.exists())
        throw Error(textFileErrorMessage(2));
    if (info.isDir())
        throw Error(textFileErrorMessage(5));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        switch (file.error()) {
        case QFileDevice::PermissionsError: throw Error(textFileErrorMessage(5));
        default: throw Error(textFileErrorMessage(errno == EMFILE ? 4 : errno ? errno : 5));
        }
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(textFileErrorMessage(100));
    return splitTextFileLines(bytes);
}

} // namespace kv
