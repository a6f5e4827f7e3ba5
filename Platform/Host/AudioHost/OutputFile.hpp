#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace AudioHost {

// The host's outputs, written as OutputFiles::OutputFile writes them (whole or not at all, a
// regular file replaced, a device or FIFO written through), with a destination that cannot be
// written reported as BadInput "cannot write PATH: reason"; whatever `fill` throws passes through.
class OutputFile {
public:
    static void write(const std::string& path, const std::function<void(const std::string& writePath)>& fill);
    static void writeText(const std::string& path, std::string_view text);
};

}  // namespace AudioHost
