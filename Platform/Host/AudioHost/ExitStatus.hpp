#pragma once
#include <functional>
#include <ostream>
#include <string>

namespace AudioHost {

// How every auhost command ends: its exit status, and one line "auhost: ..." on standard error
// for a failure.
class ExitStatus {
public:
    static constexpr int success = 0;
    // The effect failed: its unit could not be made or set up, or a render cycle failed.
    static constexpr int unitFailed = 1;
    // Bad input: an option, a file or a bundle the host cannot use, or output it could not write.
    static constexpr int badInput = 2;

    // Runs a command, which returns its status or throws: BadInput is badInput, UnitFailure and
    // anything else unitFailed. A command whose standard output was not all written fails with
    // badInput, whatever it returned.
    static int of(const std::function<int()>& command, std::ostream& out, std::ostream& err);
    // The line for one failure.
    static void report(std::ostream& err, const std::string& message);
};

}  // namespace AudioHost
