#include "windows/package_installation/downloadfile.h"

#include "platform/desktopservices.h"

namespace kv {

bool DownloadFile(const QString &url, const QString &target) noexcept
{
    // The one command step whose errors do not end its command: a download
    // that goes wrong in any way, an exception from the desktop services
    // included, is just a download that did not work. (The real services'
    // transfer turns its own failures into false too, and every other error
    // reaches the command dispatcher, which shows it in the error box.)
    try {
        return services().download(url, target);
    } catch (...) {
        return false;
    }
}

} // namespace kv
