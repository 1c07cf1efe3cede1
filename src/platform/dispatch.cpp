#include "platform/dispatch.h"

#include "platform/desktopservices.h"
#include "text/errors.h"

#include <QString>

#include <exception>
#include <new>

namespace kv {
namespace {

void showError(const QString &message) noexcept
{
    try {
        services().errorBox(withFinalPeriod(message));
    } catch (...) {
        // The error box itself failed (out of memory, say): nothing more can be shown.
    }
}

} // namespace

void runCommand(const std::function<void()> &handler) noexcept
{
    if (!handler)
        return;
    try {
        handler();
    } catch (const std::bad_alloc &) {
        showError(QStringLiteral("Out of memory"));
    } catch (const std::exception &error) {
        showError(QString::fromUtf8(error.what()));
    } catch (...) {
        showError(QStringLiteral("Unknown error"));
    }
}

} // namespace kv
