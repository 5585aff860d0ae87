#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pellimo {

// The command line that opens the file `path` (bytes as the file system names it) in the program the desktop
// associates with the file's type: the default GIO finds in the mimeapps.list and .desktop files the file
// manager reads, its Exec key split as the desktop splits it (quotes and backslashes, never a shell) and
// the file put in, behind a terminal when the entry asks for one. No value when no program is associated; an
// empty command when the entry's Exec key cannot be read.
std::optional<std::vector<std::string>> associatedCommand(const std::string& path);

} // namespace pellimo
