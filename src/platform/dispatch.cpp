#include "platform/dispatch.h"

#include "platform/desktopservices.h"
#include "text/errors.h"

#include <QList>
#include <QString>
#include <QTimer>

#include <exception>
#include <new>
#include <utility>

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

int holds = 0;
QList<std::function<void()>> &heldCommands()
{
    static QList<std::function<void()>> held;
    return held;
}

} // namespace

CommandHold::CommandHold()
{
    ++holds;
}

CommandHold::~CommandHold()
{
    if (--holds > 0)
        return;
    const QList<std::function<void()>> held = std::exchange(heldCommands(), {});
    try {
        for (const std::function<void()> &handler : held)
            QTimer::singleShot(0, [handler] { runCommand(handler); });
    } catch (...) {
        // Out of memory: the held commands are dropped.
    }
}

void runCommand(const std::function<void()> &handler) noexcept
{
    if (!handler)
        return;
    try {
        if (holds > 0) {
            heldCommands().append(handler);
            return;
        }
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
