#pragma once
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace OutputFiles {

// Writes the file a path names as `cp` would replace it, but whole or not at all:
// - a regular file, or none: `fill` writes a temporary file beside it, which is flushed to disk,
//   given the old file's permissions (and owner and group, where the user may) and renamed over it;
// - a symbolic link: the same for the file it leads to, and the link stays;
// - a device or FIFO: `fill` writes to it directly, and a failed write fails the call.
// The path must be one the user may open for writing, as the system decides (a read-only file is
// "Permission denied"); a directory, a socket and a link to nothing are refused. Nothing is
// changed when the call fails. While a temporary file exists, a signal that ends the process
// removes it first; a file-size limit is a write error, not a signal.
class OutputFile {
public:
    // "cannot write PATH: reason".
    class CannotWrite : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // `fill` gets the path to write to, which it creates or truncates. Throws CannotWrite when the
    // destination cannot be written; whatever `fill` throws passes through.
    static void write(const std::string& path, const std::function<void(const std::string& writePath)>& fill);
    static void writeText(const std::string& path, std::string_view text);
};

}  // namespace OutputFiles
