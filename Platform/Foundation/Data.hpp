#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace Foundation {

// A byte buffer, as the platform's Data.
using Data = std::vector<std::uint8_t>;

inline Data dataFromString(std::string_view text) { return Data(text.begin(), text.end()); }

}  // namespace Foundation
