#pragma once
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace TestSupport {

// Starts `command` (looked up on PATH when it names no folder) in the test's environment with
// `environment` replacing variables of the same name (an empty value removes one), its output
// written to the files named. The process, or -1 when it cannot start.
inline pid_t spawnProcess(const std::vector<std::string>& command,
                          const std::vector<std::pair<std::string, std::string>>& environment = {},
                          const std::string& out = "/dev/null", const std::string& err = "/dev/null") {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (auto& [name, value] : environment) replaced = replaced || entry.rfind(name + "=", 0) == 0;
        if (!replaced) env.push_back(entry);
    }
    for (auto& [name, value] : environment)
        if (!value.empty()) env.push_back(name + "=" + value);
    std::vector<std::string> args = command;
    std::vector<char*> argv, envp;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    if (args.empty() || posix_spawnp(&pid, args[0].c_str(), &files, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&files);
    return pid;
}

}  // namespace TestSupport
