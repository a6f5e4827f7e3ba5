#pragma once
#include <cstdint>
#include <string_view>

namespace Pellicot {

// The numeric weight of a dotted version: the first part counts 10000, the second 100, every
// later part 1 ("1.2.3" weighs 10203, "1.10" 11000). Empty parts are skipped; a part that is
// not a whole decimal number (optional sign, digits) counts 0. Versions come from the network,
// so a sum beyond the 64-bit range saturates at its limit instead of overflowing.
std::int64_t convertVersionToWeight(std::string_view version);

}  // namespace Pellicot
