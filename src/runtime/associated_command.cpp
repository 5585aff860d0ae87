// Kept apart from Qt: GIO's headers name struct members `signals`, a word Qt's headers redefine.
#include "associated_command.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <memory>

namespace pellimo {
namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
struct GStrfreev {
    void operator()(gchar** words) const { g_strfreev(words); }
};

// The type comes from the file's name, as the file manager shows it.
std::unique_ptr<GAppInfo, GObjectUnref> associatedProgram(const std::string& path) {
    const std::unique_ptr<gchar, GFree> type(g_content_type_guess(path.c_str(), nullptr, 0, nullptr));
    return std::unique_ptr<GAppInfo, GObjectUnref>(g_app_info_get_default_for_type(type.get(), FALSE));
}

// A program that runs in a terminal is given one: Debian's x-terminal-emulator, which every terminal
// package provides and which runs the command that follows -e.
bool wantsTerminal(GAppInfo* program) {
    return g_type_check_instance_is_a(reinterpret_cast<GTypeInstance*>(program),
                                      g_desktop_app_info_get_type()) &&
           g_desktop_app_info_get_boolean(reinterpret_cast<GDesktopAppInfo*>(program), "Terminal");
}

std::string fileUrl(const std::string& path) {
    const std::unique_ptr<gchar, GFree> url(g_filename_to_uri(path.c_str(), nullptr, nullptr));
    return url ? std::string(url.get()) : path;
}

// One word of the Exec key with its field codes filled in: %f and %F the path, %u and %U its file URL,
// %% a percent sign; the codes that name no file are dropped.
std::string expandFieldCodes(const std::string& word, const std::string& path, bool& fileGiven) {
    std::string expanded;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '%' || i + 1 == word.size()) {
            expanded += word[i];
            continue;
        }
        switch (word[++i]) {
        case 'f':
        case 'F':
            expanded += path;
            fileGiven = true;
            break;
        case 'u':
        case 'U':
            expanded += fileUrl(path);
            fileGiven = true;
            break;
        case '%':
            expanded += '%';
            break;
        default:
            break;
        }
    }
    return expanded;
}

} // namespace

std::optional<std::vector<std::string>> associatedCommand(const std::string& path) {
    const auto program = associatedProgram(path);
    if (!program)
        return std::nullopt;
    gchar** raw = nullptr;
    if (!g_shell_parse_argv(g_app_info_get_commandline(program.get()), nullptr, &raw, nullptr))
        return std::vector<std::string>{};
    const std::unique_ptr<gchar*, GStrfreev> words(raw);
    std::vector<std::string> command;
    bool fileGiven = false;
    for (gchar** word = words.get(); *word != nullptr; ++word) {
        std::string expanded = expandFieldCodes(*word, path, fileGiven);
        if (!expanded.empty())
            command.push_back(std::move(expanded));
    }
    if (command.empty())
        return command;
    // An entry that names no place for the file still gets it, at the end.
    if (!fileGiven)
        command.push_back(path);
    if (wantsTerminal(program.get()))
        command.insert(command.begin(), {"x-terminal-emulator", "-e"});
    return command;
}

} // namespace pellimo
