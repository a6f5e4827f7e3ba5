#pragma once
#include <cstdint>
#include <string_view>

namespace Pellicot {

// The numeric weight of a dotted version: the first part counts 10000, the second 100, every
// later part 1 ("1.2.3" weighs 10203, "1.10" 11000). Empty parts are skipped; a part that is
// not a whole decimal number (optional sign, digits) counts 0. Versions come from the network,
// so a sum beyond the 64-bit range saturates at its limit instead of overflowing.
std::int64_t convertVersionToWeight(std::string_view version);

// True for the versions whose weight orders them as written: dotted whole numbers (digits
// only, no empty part, no sign or blank) weighing within 64 bits. Any other text weighs what it
// does by accident ("2.0b1" as "2.0"), so no update is announced from it; the application's
// updater reads versions by the same rule, and so never answers such an announcement with
// "cannot be read".
bool canReadVersion(std::string_view version);

}  // namespace Pellicot
