#include "AppKit/AssetLookup.hpp"

#include "CoreGraphics/AssetCatalog.hpp"
#include "Foundation/Bundle.hpp"

namespace AppKit {

std::shared_ptr<CoreGraphics::AssetCatalog> assetCatalog(const std::shared_ptr<Foundation::Bundle>& bundle) {
    return assetCatalog(bundle.get());
}

std::shared_ptr<CoreGraphics::AssetCatalog> assetCatalog(const Foundation::Bundle* bundle) {
    std::shared_ptr<Foundation::Bundle> main;
    if (!bundle) {
        main = Foundation::Bundle::main();
        bundle = main.get();
    }
    if (!bundle) return nullptr;
    const auto& resources = bundle->resourceURL();
    return CoreGraphics::AssetCatalog::forDirectory(resources ? resources->path() : bundle->bundleURL().path());
}

}  // namespace AppKit
