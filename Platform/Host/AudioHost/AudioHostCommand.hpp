#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "Host/AudioHost/UnitSource.hpp"

namespace AudioHost {

// The `auhost` command line: render, params, presets, --help. Returns the exit status: 0 on
// success, 2 for bad input or options (one line on `err`), 1 when the unit fails.
class AudioHostCommand {
public:
    AudioHostCommand(UnitSource& source, std::ostream& out, std::ostream& err) : source_(source), out_(out), err_(err) {}

    int run(const std::vector<std::string>& arguments);

    static const char* usage();

private:
    int render(const std::vector<std::string>& arguments);
    int params();
    int presets();

    UnitSource& source_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace AudioHost
