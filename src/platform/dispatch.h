#pragma once
#include <functional>

namespace kv {

// Runs `handler` as one command entered from the event loop: an error ends
// the command at its failing step and is shown in the error box (with the
// period rule); nothing ever escapes into Qt's event loop. Every connected
// control event enters through here.
// While a command is held up (see CommandHold), a command entered meanwhile
// does not start: it waits and runs once the hold has ended.
void runCommand(const std::function<void()> &handler) noexcept;

// Holds up every command entered from the event loop while it lives: a
// command that waits in an event loop of its own (a download) keeps timers,
// menu shortcuts and the like from starting another command in the middle
// of it. The commands that came meanwhile run afterwards, in order, from the
// event loop, as they would have after a command that blocked the thread.
class CommandHold
{
public:
    CommandHold();
    ~CommandHold();
    CommandHold(const CommandHold &) = delete;
    CommandHold &operator=(const CommandHold &) = delete;
};

} // namespace kv
