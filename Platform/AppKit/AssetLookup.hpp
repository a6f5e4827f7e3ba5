#pragma once
#include <memory>

namespace CoreGraphics {
class AssetCatalog;
}
namespace Foundation {
class Bundle;
}

namespace AppKit {

// The asset catalogue of a bundle's resources (the main bundle when null); null when the
// bundle has no resources.
std::shared_ptr<CoreGraphics::AssetCatalog> assetCatalog(const std::shared_ptr<Foundation::Bundle>& bundle);
std::shared_ptr<CoreGraphics::AssetCatalog> assetCatalog(const Foundation::Bundle* bundle);

}  // namespace AppKit
