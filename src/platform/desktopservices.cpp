#include "platform/desktopservices.h"

#include "platform/realdesktopservices.h"

namespace kv {
namespace {
DesktopServices *installed = nullptr;
QString caption;
} // namespace

void setBoxCaption(const QString &text)
{
    caption = text;
}

QString boxCaption()
{
    return caption;
}

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
