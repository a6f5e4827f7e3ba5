#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "Host/AudioHost/UnitSource.hpp"

namespace AudioHost {

// The `auhost` command line: render, params, presets, --help.
class AudioHostCommand {
public:
    AudioHostCommand(UnitSource& source, std::ostream& out, std::ostream& err) : source_(source), out_(out), err_(err) {}

    // Runs the command and returns its exit status (see ExitStatus).
    int run(const std::vector<std::string>& arguments);
    // The same, throwing BadInput or UnitFailure instead of reporting them.
    int execute(const std::vector<std::string>& arguments);

    // The usage text of every auhost command.
    static const char* usage();
    // Whether the arguments ask for the usage text (--help or -h after any command, or no
    // command at all), which needs no effect.
    static bool asksForUsage(const std::vector<std::string>& arguments);
    // Prints the usage text: on `out` when asked for (status 0), else on `err` (status 2).
    static int showUsage(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

private:
    int render(const std::vector<std::string>& arguments);
    int params();
    int presets();

    UnitSource& source_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace AudioHost
