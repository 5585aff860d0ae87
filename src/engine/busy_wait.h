#pragma once

#include <functional>

namespace pellimo {

// What the program does while a connection waits for a lock that another program holds. `waiting` runs
// between pauses of a few milliseconds, on the thread that waits; `ended` runs once the connection has
// the lock, or has given up and fails with err::Locked. Either may be empty.
struct BusyWaitHooks {
    std::function<void()> waiting;
    std::function<void()> ended;
};

// For every connection of the process, from its next wait on.
void setBusyWaitHooks(BusyWaitHooks hooks);

} // namespace pellimo
