#pragma once
#include <memory>
#include <string>

namespace Foundation {
class Bundle;
}

namespace CoreGraphics {

// A colour or image of a bundle's asset catalogue, by name: what the build generates for each
// asset, and what SwiftUI's and AppKit's colours and images are made from.
struct ColorResource {
    std::string name;
    std::shared_ptr<const Foundation::Bundle> bundle;
};
struct ImageResource {
    std::string name;
    std::shared_ptr<const Foundation::Bundle> bundle;
};

}  // namespace CoreGraphics
