#include "catalogue_path.h"

#include "pattern.h"

#include <filesystem>
#include <system_error>

namespace pellimo {

std::string resolveNameIgnoringCase(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists(path, error))
        return path;
    fs::path wanted(path);
    fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
    std::string name = wanted.filename().string();
    // Sorted, so that two names differing only in case resolve the same way every time.
    std::string best;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (equalsIgnoringCase(candidate, name) && (best.empty() || candidate < best))
            best = candidate;
    }
    return best.empty() ? path : (folder / best).string();
}

} // namespace pellimo
