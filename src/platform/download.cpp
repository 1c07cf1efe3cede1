#include "platform/download.h"

#include "text/filenames.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <curl/curl.h>

#include <filesystem>
#include <memory>
#include <mutex>

namespace kv {
namespace {

struct CurlDeleter
{
    void operator()(CURL *curl) const { curl_easy_cleanup(curl); }
};
struct SlistDeleter
{
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

size_t writeToFile(char *data, size_t size, size_t count, void *file)
{
    const qint64 bytes = qint64(size * count);
    return static_cast<QFile *>(file)->write(data, bytes) == bytes ? size * count : 0;
}

std::filesystem::path fileSystemPath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace

DownloadSettings &downloadSettings()
{
    static DownloadSettings settings;
    return settings;
}

bool downloadToFile(const QString &url, const QString &name)
{
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    const QString path = fileNames::resolve(name);
    const QFileInfo target(path);
    if (!QFileInfo(target.path()).isDir())
        return false;

    QTemporaryFile temporary(target.path() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX.part"));
    if (!temporary.open())
        return false;

    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return false;
    const DownloadSettings &settings = downloadSettings();
    const QByteArray urlBytes = url.toUtf8();
    std::unique_ptr<curl_slist, SlistDeleter> connectTo;
    for (const QString &entry : settings.connectTo)
        connectTo.reset(curl_slist_append(connectTo.release(), entry.toUtf8().constData()));

    CURL *c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, settings.connectTimeoutSeconds);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, settings.stallSeconds);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &writeToFile);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, static_cast<QFile *>(&temporary));
    if (connectTo)
        curl_easy_setopt(c, CURLOPT_CONNECT_TO, connectTo.get());

    // Any failure, a short body included (CURLE_PARTIAL_FILE), leaves the
    // target alone; the temporary file goes with `temporary`.
    if (curl_easy_perform(c) != CURLE_OK)
        return false;
    if (!temporary.flush())
        return false;
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                             | QFileDevice::ReadOther);
    temporary.close();
    // rename() replaces the directory entry itself: a link there is not followed.
    std::error_code failed;
    std::filesystem::rename(fileSystemPath(temporary.fileName()), fileSystemPath(path), failed);
    if (failed)
        return false;
    temporary.setAutoRemove(false);
    return true;
}

} // namespace kv
