#include "desktop/program_launch.h"

#include <glib.h>

#include <vector>

#include "desktop/program_folder.h"

namespace quorvane {

std::optional<std::string> LaunchProgram(const std::string& address) {
    const std::string program = ProgramPath();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    if (!address.empty()) {
        argv.push_back(const_cast<char*>(address.c_str()));
    }
    argv.push_back(nullptr);
    GError* error = nullptr;
    if (g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr,
                      &error)) {
        return std::nullopt;
    }
    std::string message = error->message;
    g_error_free(error);
    return message;
}

}  // namespace quorvane
