#pragma once
#include "Foundation/NSError.hpp"
#include "Sparkle/SUAppcastItem.hpp"

namespace Sparkle {

// Tells the user how an update check ended; the standard driver shows a window, tests put
// in one that records. Called on the main thread, once per check that ran.
class SPUUserDriver {
public:
    virtual ~SPUUserDriver() = default;
    // The feed offers `item`, newer than the running version.
    virtual void showUpdateFound(const SUAppcastItem& item) = 0;
    // Nothing newer: `latest` is the feed's newest item (the running version or an older one).
    virtual void showUpdateNotFound(const SUAppcastItem& latest) = 0;
    // The check could not be made: the feed could not be had or read (SUSparkleErrorDomain).
    virtual void showUpdaterError(const Foundation::NSError& error) = 0;
};

}  // namespace Sparkle
