#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CoreGraphics/AssetResource.hpp"
#include "CoreGraphics/Color.hpp"
#include "CoreGraphics/ImageAsset.hpp"

namespace Foundation {
class Bundle;
}

namespace SwiftUI {

using CoreGraphics::ColorResource;
using CoreGraphics::ImageResource;

// How names become colours and pictures. The asset catalogue installs these; a test may
// install its own. A null bundle means the main bundle. Unknown colours draw clear, unknown
// images are empty (no size).
namespace AssetLookup {
using ColorResolver = std::function<std::optional<CoreGraphics::CGColor>(const std::string&, const Foundation::Bundle*)>;
using ImageResolver = std::function<CoreGraphics::ImageRef(const std::string&, const Foundation::Bundle*)>;
void setColorResolver(ColorResolver resolver);
void setImageResolver(ImageResolver resolver);
std::optional<CoreGraphics::CGColor> color(const std::string& name, const Foundation::Bundle* bundle);
CoreGraphics::ImageRef image(const std::string& name, const Foundation::Bundle* bundle);
}  // namespace AssetLookup

}  // namespace SwiftUI
