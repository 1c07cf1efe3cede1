#pragma once
#include <functional>

namespace kv {

// Runs `handler` as one command entered from the event loop: an error ends
// the command at its failing step and is shown in the error box (with the
// period rule); nothing ever escapes into Qt's event loop. Every connected
// control event enters through here.
void runCommand(const std::function<void()> &handler) noexcept;

} // namespace kv
