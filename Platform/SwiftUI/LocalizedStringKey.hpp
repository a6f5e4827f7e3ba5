#pragma once
#include <string>
#include <vector>

namespace SwiftUI {

// A localizable text with arguments, as an interpolated string literal makes it: the key
// holds "%@" where each argument goes ("%@ is now available"), and a translation may move
// them, by order or by number ("%2$@ ... %1$@"). "%%" is a percent sign.
struct LocalizedStringKey {
    std::string key;
    std::vector<std::string> arguments;

    // `format` (the key or its translation) with the arguments put in; a placeholder without
    // an argument stays empty.
    std::string formatted(const std::string& format) const;
};

}  // namespace SwiftUI
