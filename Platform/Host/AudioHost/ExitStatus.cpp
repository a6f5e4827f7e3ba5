#include "Host/AudioHost/ExitStatus.hpp"

#include <cstring>
#include <exception>
#include <new>

#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/FileDescriptorStream.hpp"

namespace AudioHost {

void ExitStatus::report(std::ostream& err, const std::string& message) { err << "auhost: " << message << '\n' << std::flush; }

int ExitStatus::of(const std::function<int()>& command, std::ostream& out, std::ostream& err) {
    int status = success;
    try {
        status = command();
    } catch (const BadInput& error) {
        report(err, error.what());
        status = badInput;
    } catch (const std::bad_alloc&) {
        report(err, "out of memory");
        status = unitFailed;
    } catch (const std::exception& error) {
        report(err, error.what());
        status = unitFailed;
    }
    if (!out.flush()) {
        const auto* stream = dynamic_cast<const FileDescriptorStream*>(&out);
        const int why = stream ? stream->error() : 0;
        report(err, std::string("cannot write to standard output") + (why ? std::string(": ") + std::strerror(why) : ""));
        status = badInput;
    }
    return status;
}

}  // namespace AudioHost
