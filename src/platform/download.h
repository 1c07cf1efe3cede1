#pragma once
// One blocking HTTP(S) transfer into one file.
#include <QString>
#include <QStringList>

namespace kv {

struct DownloadSettings
{
    // libcurl "HOST:PORT:CONNECT-TO-HOST:CONNECT-TO-PORT" entries; the URL stays as it is.
    QStringList connectTo;
    long connectTimeoutSeconds = 20;
    // A transfer that receives no byte for this long is given up.
    long stallSeconds = 30;
};

DownloadSettings &downloadSettings();

// Fetches `url` (http or https, redirects followed, of those schemes only)
// into the file named `name`. True exactly when the whole resource has been
// stored there: an HTTP status of 400 or more, a body shorter than announced,
// a connect time-out or a stalled transfer all give false. The bytes go to a
// temporary file beside the target that replaces it only on success, so a
// failure leaves an earlier file as it was and no temporary file behind; a
// symbolic link at the target is replaced, never followed. Never throws.
bool downloadToFile(const QString &url, const QString &name) noexcept;

} // namespace kv
