#include "windows/package_installation/downloadfile.h"

#include "platform/desktopservices.h"

namespace kv {

bool DownloadFile(const QString &url, const QString &target) noexcept
{
    // The one place in the program that catches errors: a download that
    // goes wrong in any way is just a download that did not work.
    try {
        return services().download(url, target);
    } catch (...) {
        return false;
    }
}

} // namespace kv
