#pragma once
#include <string_view>

namespace Sparkle {

// Orders two display versions as the plug-in kit's feed check weighs them: the first dotted
// part counts 10000, the second 100, every later part 1; a part that is not a whole decimal
// number counts nothing, and sums saturate at the 64-bit limits. So "1.10" is newer than
// "1.9", and the extension and the application never disagree about which version is newer.
class SUStandardVersionComparator {
public:
    // Negative when `a` is older than `b`, 0 when they weigh the same, positive when newer.
    static int compareVersions(std::string_view a, std::string_view b);

    // True for the versions the weights order as written: dotted whole numbers (digits only,
    // no empty part, no sign or blank) whose weight fits in 64 bits. Any other text weighs
    // what it does by accident ("1.0.0-beta" as "1.0", "-1" below "0"), so an answer drawn
    // from it would be a guess. The plug-in kit's feed check announces no update from such a
    // version either: the two rules are one.
    static bool canRead(std::string_view version);
};

}  // namespace Sparkle
