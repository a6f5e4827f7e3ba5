#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace AudioHost {

// Writes a file so that it appears whole or not at all: `fill` writes a temporary file next to
// the destination, which is then flushed to disk and renamed over it. On any failure, and when
// the process is ended by SIGINT, SIGTERM, SIGHUP or SIGQUIT meanwhile, the temporary file is
// removed and the destination is left as it was; a file-size limit is a write error, not a
// signal. Throws BadInput "cannot write PATH: reason" when the destination cannot be written;
// whatever `fill` throws passes through.
class OutputFile {
public:
    static void write(const std::string& path, const std::function<void(const std::string& temporaryPath)>& fill);
    static void writeText(const std::string& path, std::string_view text);
};

}  // namespace AudioHost
