#pragma once

namespace pellimo {

// Registers the compiled-in pictures (":/icons/...", ":/about/102.png"). A static library's resources
// are not registered by linking alone; calling this more than once is harmless.
void initResources();

} // namespace pellimo
