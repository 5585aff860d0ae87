#pragma once

#include <string>

namespace pellimo {

// The path of an existing file whose name equals the last part of `path` without regard to case (the exact
// name first); `path` itself when no such file exists.
std::string resolveNameIgnoringCase(const std::string& path);

} // namespace pellimo
