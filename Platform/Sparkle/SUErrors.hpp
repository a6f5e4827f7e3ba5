#pragma once

namespace Sparkle {

// The framework's error domain and the codes a check can end with.
inline const char* const SUSparkleErrorDomain = "SUSparkleErrorDomain";

enum SUError : long {
    SUNoFeedURLError = 4,          // no delegate address and no SUFeedURL entry, or not a URL
    SUInvalidFeedURLError = 4001,  // a redirect that is not a loopback address
    SUAppcastParseError = 1000,    // the feed is not a well-formed document
    SUAppcastError = 1002,         // the server answered with an error, or the feed lists no version
    SUDownloadError = 2001,        // the feed could not be loaded
};

}  // namespace Sparkle
