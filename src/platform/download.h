#pragma once
// One blocking HTTP(S) transfer into one file.
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>

namespace kv {

// A transfer that moves fewer than LowSpeedBytesPerSecond bytes a second,
// measured by libcurl over its last few seconds, for LowSpeedSeconds in a row
// is given up. Half a minute rides out a network that drops away for a while
// (a changing Wi-Fi or mobile cell) and covers a server that stops sending
// altogether; 100 bytes a second (3 KB in that half minute) is far below any
// working link, even a mobile one, and far above a server that holds the
// connection open with a byte now and then, which would otherwise keep a
// download going for as long as it liked.
inline constexpr long LowSpeedBytesPerSecond = 100;
inline constexpr long LowSpeedSeconds = 30;

struct DownloadSettings
{
    // libcurl "HOST:PORT:CONNECT-TO-HOST:CONNECT-TO-PORT" entries; the URL stays as it is.
    QStringList connectTo;
    long connectTimeoutSeconds = 20;
    long lowSpeedBytesPerSecond = LowSpeedBytesPerSecond;
    long lowSpeedSeconds = LowSpeedSeconds;
};

// What another thread sees of a running transfer, and how it ends one.
struct DownloadControl
{
    // Set to end the transfer: it fails within about a second.
    std::atomic<bool> cancel{false};
    std::atomic<std::int64_t> received{0};
    // The size the server announced; 0 while (or when) it is unknown.
    std::atomic<std::int64_t> total{0};
};

DownloadSettings &downloadSettings();

// Fetches `url` (http or https, redirects followed, of those schemes only)
// into the file named `name`. True exactly when the whole resource has been
// stored there: an HTTP status of 400 or more, a body shorter than announced,
// a connect time-out, a transfer below the low-speed floor or a cancelled one
// all give false. The bytes go to a
// temporary file beside the target that replaces it only on success, so a
// failure leaves an earlier file as it was and no temporary file behind; a
// symbolic link at the target is replaced, never followed. Never throws.
// Blocks until the transfer has ended; may run on any thread, one transfer
// per call, with `control` (if given) shared with the thread that waits.
bool downloadToFile(const QString &url, const QString &name, DownloadControl *control = nullptr) noexcept;

} // namespace kv
