#pragma once

#include <chrono>
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

// How long a connection waits for a lock before it gives up; ten seconds unless set.
void setBusyWaitLimit(std::chrono::milliseconds limit);

// One command of the user's, from its first step to its last; commands started inside it belong to it.
// Once a wait inside the command has given up, its later steps fail at once rather than wait again: the
// user has been told the catalogue is in use, and what they do next must not be dropped by a silent wait.
class LockWaitCommand {
public:
    LockWaitCommand();
    ~LockWaitCommand();
    LockWaitCommand(const LockWaitCommand&) = delete;
    LockWaitCommand& operator=(const LockWaitCommand&) = delete;
};

} // namespace pellimo
