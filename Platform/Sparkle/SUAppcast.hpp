#pragma once
#include <optional>
#include <vector>

#include "Foundation/Data.hpp"
#include "Sparkle/SUAppcastItem.hpp"

namespace Sparkle {

// An update feed (an RSS channel of items, the sparkle elements written with their prefix).
// Reads the version of each item from its sparkle:shortVersionString element, the rule the
// plug-in kit's feed check follows; an item without one offers nothing and is left out.
class SUAppcast {
public:
    // Throws Foundation::NSError (SUSparkleErrorDomain, SUAppcastParseError) naming the line
    // when the document is not well-formed XML.
    static SUAppcast parse(const Foundation::Data& data);

    const std::vector<SUAppcastItem>& items() const { return items_; }
    // The item of the newest version (SUStandardVersionComparator); of equal versions the
    // first. Absent for a feed without items.
    std::optional<SUAppcastItem> bestItem() const;

private:
    std::vector<SUAppcastItem> items_;
};

}  // namespace Sparkle
