#include "platform/desktopservices.h"

#include "platform/realdesktopservices.h"

namespace kv {
namespace {
DesktopServices *installed = nullptr;
} // namespace

DesktopServices &services()
{
    if (installed)
        return *installed;
    static RealDesktopServices real;
    return real;
}

void setServices(DesktopServices *replacement)
{
    installed = replacement;
}

} // namespace kv
