#pragma once

namespace pellimo {

// While another program holds the catalogue's lock, the windows keep painting and their timers run,
// under the hourglass. What the user types or clicks meanwhile, a close included, is dropped: it was meant
// for the record shown when the wait began, which may not be the one shown when it ends.
void keepWindowsAliveWhileLocked();

} // namespace pellimo
