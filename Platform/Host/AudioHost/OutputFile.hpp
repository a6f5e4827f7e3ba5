#pragma once
#include <functional>
#include <string>

namespace AudioHost {

// Writes a file so that it appears whole or not at all: `write` fills a temporary file next to
// the destination, which is then renamed over it. Throws BadInput when the destination cannot
// be written; on any failure the temporary file is removed and the destination is untouched.
class OutputFile {
public:
    static void write(const std::string& path, const std::function<void(const std::string& temporaryPath)>& write);
    static void writeText(const std::string& path, const std::string& text);
};

}  // namespace AudioHost
