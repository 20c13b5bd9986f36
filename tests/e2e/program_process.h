#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace quorvane::test {

// The real program as a user starts it, in a process of its own, with a home of the
// test's own (config, data, cache and runtime folders below it) and its standard
// error written to home/stderr-<pid>.txt. Returns the process id.
pid_t StartProgram(const std::filesystem::path& program, const std::filesystem::path& home);

// A fresh home for StartProgram, with its folders made.
std::filesystem::path FreshProgramHome(const std::string& name);

// What the program wrote to its terminal.
std::string ProgramErrors(const std::filesystem::path& home, pid_t program);

// The output of a shell command.
std::string RunCommand(const std::string& command);

// Asks done again and again, a moment apart, until it is true (true) or timeout has
// passed (false), for tests that watch another process rather than their own window.
bool PollUntil(const std::function<bool()>& done, std::chrono::seconds timeout);

// The first visible window whose name is exactly name (and, with a process id, that
// belongs to that process), waiting for it up to timeout.
std::optional<unsigned long> FindWindow(const std::string& name, std::chrono::seconds timeout,
                                        std::optional<pid_t> owner = std::nullopt);

// The exit status of the child, or nullopt when it has not ended within timeout (it is
// then killed).
std::optional<int> WaitForExit(pid_t child, std::chrono::seconds timeout);

}  // namespace quorvane::test
