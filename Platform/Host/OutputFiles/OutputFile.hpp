#pragma once
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace OutputFiles {

// Writes the file a path names as `cp` writes it, and whole or not at all wherever it can:
// - none yet: `fill` writes a temporary file beside it, which is flushed to disk and put in its
//   place without replacing whatever appeared there meanwhile (that is "it appeared while being
//   written");
// - a regular file: the same, given the old file's permissions (and owner and group, where the
//   user may) and renamed over it. Where a rename would lose what `cp` keeps (the content the
//   file's other hard links share, a place in a folder the user may not change or, sticky, may
//   not replace another's file in, an owner or group the user cannot give) the complete
//   temporary (in TMPDIR, else /tmp, when the folder takes none) is written over the file
//   instead and flushed. A failure before that leaves the file as it was; one while it is
//   written over leaves it cut short at what was written, as `cp` would;
// - a symbolic link: the same for the file it leads to, and the link stays;
// - a device or FIFO: `fill` writes to it directly, and a failed write fails the call.
// The path must be one the user may open for writing, as the system decides (a read-only file is
// "Permission denied"); a directory, a socket and a link to nothing are refused. Otherwise
// nothing is changed when the call fails. While a temporary file exists, a signal that ends the
// process removes it first; a file-size limit is a write error, not a signal.
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

    // "cannot write PATH: reason" where the path cannot name a file whatever is on disk (its last
    // part is empty, as in "out.png/", or "." or ".."), for a program to refuse it before it
    // makes anything for it; write() refuses it too. nullopt for any other path.
    static std::optional<std::string> refusedName(const std::string& path);
};

}  // namespace OutputFiles
