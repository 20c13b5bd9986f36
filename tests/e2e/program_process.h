#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane::test {

// The real program as a user starts it, in a process of its own, with a home of the
// test's own (config, data, cache and runtime folders below it) and its standard
// error written to home/stderr-<pid>.txt. Returns the process id.
pid_t StartProgram(const std::filesystem::path& program, const std::filesystem::path& home);

// A fresh home for StartProgram, with its folders made.
std::filesystem::path FreshProgramHome(const std::string& name);

// The program as a test runs it: linked, with the files it reads beside itself (their
// names in filesBeside, joined by ","), into a program folder of home's own, and copied
// where the file system keeps no links. The program writes its work files beside itself,
// which two tests running it at once, or two runs of the suite, would share otherwise.
// Returns the program's path there.
std::filesystem::path ProgramInHome(const std::filesystem::path& program,
                                    std::string_view filesBeside,
                                    const std::filesystem::path& home);

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
