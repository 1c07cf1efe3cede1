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
    // A transfer that moves no byte for this long is given up.
    long stallSeconds = 30;
};

DownloadSettings &downloadSettings();

// Fetches `url` (http or https, redirects followed) into the file named
// `name`. True exactly when the whole resource has been stored there. The
// bytes go to a temporary file beside the target that replaces it only on
// success, so a failure leaves an earlier file as it was and no temporary
// file behind; a symbolic link at the target is replaced, never followed.
bool downloadToFile(const QString &url, const QString &name);

} // namespace kv
