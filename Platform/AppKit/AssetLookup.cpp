#include "AppKit/AssetLookup.hpp"

#include "CoreGraphics/AssetCatalog.hpp"
#include "Foundation/Bundle.hpp"

namespace AppKit {

std::shared_ptr<CoreGraphics::AssetCatalog> assetCatalog(const std::shared_ptr<Foundation::Bundle>& bundle) {
    auto b = bundle ? bundle : Foundation::Bundle::main();
    if (!b) return nullptr;
    const auto& resources = b->resourceURL();
    return CoreGraphics::AssetCatalog::forDirectory(resources ? resources->path() : b->bundleURL().path());
}

}  // namespace AppKit
