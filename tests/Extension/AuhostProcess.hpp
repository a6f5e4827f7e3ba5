#pragma once
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace ExtensionTests {

// auhost run as a program: what it printed and how it ended.
struct AuhostRun {
    int status = -1;  // the exit status, or -1 when a signal ended it
    std::string out, err;
};

inline std::string fileContents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// auhost as a shell command. In a sanitizer build a leak of ours fails it, while the font and
// display libraries' caches stay out of the leak report and their futex hand-offs out of the race
// report, as in the test binaries.
inline std::string auhostCommand() {
    const std::string tests = std::string(VZ_SOURCE_DIR) + "/tests/";
    return "env ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=" + tests + "program-lsan-suppressions.txt:print_suppressions=0" +
           " TSAN_OPTIONS=suppressions=" + tests + "program-tsan-suppressions.txt " + std::string(VZ_BINARY_DIR) + "/bin/auhost";
}

// Runs `auhost ARGUMENTS` through the shell; `stdoutTo` replaces the capture of standard output
// (">/dev/full", ">&-").
inline AuhostRun runAuhost(const std::string& arguments, const std::string& stdoutTo = "") {
    const std::filesystem::path dir = std::filesystem::path(VZ_BINARY_DIR) / "test-output" / "auhost-runs";
    std::filesystem::create_directories(dir);
    const std::string out = (dir / ("out-" + std::to_string(::getpid()))).string();
    const std::string err = (dir / ("err-" + std::to_string(::getpid()))).string();
    const std::string command = auhostCommand() + " " + arguments + " " + (stdoutTo.empty() ? ">" + out : stdoutTo) + " 2>" + err;
    const int raw = std::system(command.c_str());
    AuhostRun run;
    run.status = WIFEXITED(raw) && WEXITSTATUS(raw) < 128 ? WEXITSTATUS(raw) : -1;
    run.out = stdoutTo.empty() ? fileContents(out) : "";
    run.err = fileContents(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

}  // namespace ExtensionTests
