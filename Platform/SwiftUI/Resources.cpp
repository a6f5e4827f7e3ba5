#include "SwiftUI/Resources.hpp"

#include <mutex>

#include "CoreGraphics/AssetCatalog.hpp"
#include "Foundation/Bundle.hpp"

namespace SwiftUI::AssetLookup {

namespace {

std::shared_ptr<CoreGraphics::AssetCatalog> catalogOf(const Foundation::Bundle* bundle) {
    std::shared_ptr<Foundation::Bundle> main;
    if (!bundle) {
        main = Foundation::Bundle::main();
        bundle = main.get();
    }
    if (!bundle || !bundle->resourceURL()) return nullptr;
    return CoreGraphics::AssetCatalog::forDirectory(bundle->resourceURL()->path());
}

struct Resolvers {
    std::mutex mutex;
    ColorResolver color;
    ImageResolver image;
};
Resolvers& resolvers() {
    static Resolvers r;
    return r;
}

}  // namespace

void setColorResolver(ColorResolver resolver) {
    std::lock_guard lock(resolvers().mutex);
    resolvers().color = std::move(resolver);
}

void setImageResolver(ImageResolver resolver) {
    std::lock_guard lock(resolvers().mutex);
    resolvers().image = std::move(resolver);
}

std::optional<CoreGraphics::CGColor> color(const std::string& name, const Foundation::Bundle* bundle) {
    ColorResolver custom;
    {
        std::lock_guard lock(resolvers().mutex);
        custom = resolvers().color;
    }
    if (custom) return custom(name, bundle);
    auto catalog = catalogOf(bundle);
    return catalog ? catalog->findColor(name) : std::nullopt;
}

CoreGraphics::ImageRef image(const std::string& name, const Foundation::Bundle* bundle) {
    ImageResolver custom;
    {
        std::lock_guard lock(resolvers().mutex);
        custom = resolvers().image;
    }
    if (custom) return custom(name, bundle);
    auto catalog = catalogOf(bundle);
    return catalog ? catalog->findImage(name) : nullptr;
}

}  // namespace SwiftUI::AssetLookup
