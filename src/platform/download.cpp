#include "platform/download.h"

#include "text/filenames.h"
#include "text/replacingfile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <curl/curl.h>

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

size_t writeBody(char *data, size_t size, size_t count, void *file)
{
    const qint64 bytes = qint64(size * count);
    // A short write (disk full) makes libcurl end the transfer with an error.
    return static_cast<QFileDevice *>(file)->write(data, bytes) == bytes ? size * count : 0;
}

// libcurl calls this often while bytes flow and about once a second while
// none do: it passes the counts on and ends the transfer once cancelled.
int reportProgress(void *state, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t)
{
    auto *control = static_cast<DownloadControl *>(state);
    control->total.store(total, std::memory_order_relaxed);
    control->received.store(received, std::memory_order_relaxed);
    return control->cancel.load(std::memory_order_relaxed) ? 1 : 0;
}

bool download(const QString &url, const QString &name, DownloadControl &control)
{
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    // An address without a scheme is refused, not guessed at.
    if (!url.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive)
        && !url.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive))
        return false;

    const QString path = fileNames::resolve(name);
    const QFileInfo target(path);
    if (!QFileInfo(target.path()).isDir())
        return false; // the folder is never created here
    if (target.isDir() && !target.isSymLink())
        return false;

    // Created exclusively, so no link is followed here either; removed on
    // every way out but the successful commit below.
    ReplacingFile replacing(path);
    if (!replacing.open())
        return false;

    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return false;
    const DownloadSettings &settings = downloadSettings();
    const QByteArray urlBytes = url.toUtf8();
    std::unique_ptr<curl_slist, SlistDeleter> connectTo;
    for (const QString &entry : settings.connectTo) {
        curl_slist *extended = curl_slist_append(connectTo.get(), entry.toUtf8().constData());
        if (!extended)
            return false;
        connectTo.release();
        connectTo.reset(extended);
    }
    CURL *c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, urlBytes.constData());
#if LIBCURL_VERSION_NUM >= 0x075500
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
#else
    curl_easy_setopt(c, CURLOPT_PROTOCOLS, long(CURLPROTO_HTTP | CURLPROTO_HTTPS));
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS, long(CURLPROTO_HTTP | CURLPROTO_HTTPS));
#endif
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Kvarnis/" KVARNIS_VERSION);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, settings.connectTimeoutSeconds);
    // Also gives up a server that answers nothing at all, or stops sending.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, settings.lowSpeedBytesPerSecond);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, settings.lowSpeedSeconds);
    // Large reads, as the curl tool makes them: a fast transfer costs fewer
    // calls into the system for each megabyte.
    curl_easy_setopt(c, CURLOPT_BUFFERSIZE, 256L * 1024);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &writeBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, static_cast<QFileDevice *>(&replacing.device()));
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &reportProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &control);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    if (connectTo)
        curl_easy_setopt(c, CURLOPT_CONNECT_TO, connectTo.get());

    // Any failure, a short body included (CURLE_PARTIAL_FILE), leaves the
    // target alone.
    if (curl_easy_perform(c) != CURLE_OK)
        return false;
    // Only the resource itself counts, not a redirect without a target or
    // some other answer that is not a success.
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299)
        return false;
    // The rename replaces the directory entry itself: a link there is not followed.
    return replacing.commit();
}

} // namespace

DownloadSettings &downloadSettings()
{
    static DownloadSettings settings;
    return settings;
}

bool downloadToFile(const QString &url, const QString &name, DownloadControl *control) noexcept
{
    try {
        DownloadControl unshared;
        return download(url, name, control ? *control : unshared);
    } catch (...) {
        // Out of memory or the like: the temporary file is gone with its owner.
        return false;
    }
}

} // namespace kv
