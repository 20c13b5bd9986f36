#include "desktop/program_launch.h"

#include <glib.h>

#include <vector>

#include "desktop/program_folder.h"

namespace quorvane {

std::optional<std::string> LaunchProgram(const StartRequest& request) {
    const std::string program = ProgramPath();
    std::vector<std::string> arguments = StartArguments(request);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
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
