#include "Foundation/Data.hpp"

#include <string>

#include "Foundation/NSError.hpp"
#include "Foundation/ResourceFile.hpp"

namespace Foundation {

std::optional<Data> contentsOfFile(std::string_view path, std::size_t limit) {
    try {
        return ResourceFile::read(std::string(path), "a file", limit);
    } catch (const NSError&) {
        return std::nullopt;
    }
}

}  // namespace Foundation
