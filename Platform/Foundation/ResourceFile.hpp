#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "Foundation/Data.hpp"

namespace Foundation {

// A file a bundle holds or names (a property list, a catalogue's list, a font, a shader
// library), taken only when it is a regular file of a size such a file can have: a FIFO in
// its place would keep the reader waiting for good, and a huge one would be read whole.
//
// A refusal is an NSError (NSCocoaErrorDomain) whose description names the file and why:
// 263 when it holds more than the limit, 260 for anything else (nothing there, a FIFO, a
// folder or a device, a read error). `kind` names what the file was to be in the first
// case: "The file "x" is too large to be a property list (... bytes; at most ...)."
class ResourceFile {
public:
    // What the lists and settings of a bundle need, many times over.
    static constexpr std::size_t largestFile = 4 << 20;

    static Data read(const std::string& path, std::string_view kind, std::size_t limit = largestFile);
    // Absent when nothing is at `path` (a list a bundle may do without); refuses as `read`.
    static std::optional<Data> readIfPresent(const std::string& path, std::string_view kind,
                                             std::size_t limit = largestFile);
    // The checks of `read` alone, for a file another library opens by its path (a font).
    static void check(const std::string& path, std::string_view kind, std::size_t limit);
};

}  // namespace Foundation
