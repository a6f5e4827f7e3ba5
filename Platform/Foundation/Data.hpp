#pragma once
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace Foundation {

// A byte buffer, as the platform's Data.
using Data = std::vector<std::uint8_t>;

inline Data dataFromString(std::string_view text) { return Data(text.begin(), text.end()); }

// The bytes of the regular file at `path`; absent when it is missing, not a regular file, holds
// more than `limit` bytes or cannot be read.
std::optional<Data> contentsOfFile(std::string_view path, std::size_t limit = std::numeric_limits<std::size_t>::max());

}  // namespace Foundation
