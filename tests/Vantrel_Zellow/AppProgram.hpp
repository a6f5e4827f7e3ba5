#pragma once
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport/Eventually.hpp"
#include "TestSupport/SpawnProcess.hpp"

namespace AppTest {

// The environment a program of the build runs in under the sanitizers: a leak of ours fails it,
// while the font and display libraries' caches stay out of the leak report and their thread
// hand-offs out of the race report, as in the test binaries.
inline std::vector<std::pair<std::string, std::string>> sanitizerEnvironment() {
    const std::string tests = std::string(VZ_SOURCE_DIR) + "/tests/";
    return {{"ASAN_OPTIONS", "detect_leaks=1"},
            {"LSAN_OPTIONS", "suppressions=" + tests + "program-lsan-suppressions.txt:print_suppressions=0"},
            {"TSAN_OPTIONS", "suppressions=" + tests + "program-tsan-suppressions.txt"}};
}

// The application's program in a process of its own, its output in files.
class AppProgram {
public:
    // Starts `executable arguments...` with the test's environment plus `environment` (an
    // empty value removes the variable).
    AppProgram(const std::string& executable, const std::vector<std::string>& arguments, const std::string& outputDirectory,
               const std::vector<std::pair<std::string, std::string>>& environment = {}) {
        static int serial = 0;
        const std::string stem = outputDirectory + "/program-" + std::to_string(::getpid()) + "-" + std::to_string(++serial);
        out_ = stem + ".out";
        err_ = stem + ".err";
        std::vector<std::string> command{executable};
        command.insert(command.end(), arguments.begin(), arguments.end());
        pid_ = TestSupport::spawnProcess(command, environment, out_, err_);
    }
    ~AppProgram() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    AppProgram(const AppProgram&) = delete;
    AppProgram& operator=(const AppProgram&) = delete;

    pid_t pid() const { return pid_; }
    // The exit status once it ended within `seconds`; -1 for a signal, -2 while it still runs.
    int wait(double seconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (!exited_) {
            int raw = 0;
            const pid_t r = ::waitpid(pid_, &raw, WNOHANG);
            if (r == pid_) {
                exited_ = true;
                status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
                break;
            }
            if (r < 0 || std::chrono::steady_clock::now() > end) return -2;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return status_;
    }
    // Asks it to end as the session does at logout.
    int terminate(double seconds = 30) {
        if (!exited_) ::kill(pid_, SIGTERM);
        return wait(seconds);
    }
    std::string out() const { return contents(out_); }
    std::string err() const { return contents(err_); }

    static std::string contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = -2;
    std::string out_, err_;
};

using TestSupport::eventually;

}  // namespace AppTest
