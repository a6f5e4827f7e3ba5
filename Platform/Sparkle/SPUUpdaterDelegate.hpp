#pragma once
#include <optional>
#include <string>

namespace Sparkle {

class SPUUpdater;

// What an updater asks its delegate. The delegate is an NSObject that also derives from this
// interface (the updater reaches it by dynamic_cast); every method is optional.
class SPUUpdaterDelegate {
public:
    virtual ~SPUUpdaterDelegate() = default;
    // "feedURLStringForUpdater:": the feed's address, asked at every check on the main thread;
    // absent to leave it to the host bundle's SUFeedURL entry.
    virtual std::optional<std::string> feedURLString(SPUUpdater& updater) {
        (void)updater;
        return std::nullopt;
    }
};

}  // namespace Sparkle
