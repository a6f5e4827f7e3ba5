#pragma once
#include <optional>
#include <string>

#include "Foundation/URL.hpp"

namespace Sparkle {

// One <item> of an update feed: the version it offers and where to read about it.
struct SUAppcastItem {
    std::string title;
    // sparkle:shortVersionString, the version a person reads ("1.3"), trimmed.
    std::string displayVersionString;
    // sparkle:version, the build; empty when the item gives none.
    std::string versionString;
    // sparkle:releaseNotesLink, else <link>: absent when neither is a URL.
    std::optional<Foundation::URL> releaseNotesURL;
};

}  // namespace Sparkle
