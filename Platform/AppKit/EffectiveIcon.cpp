#include "AppKit/EffectiveIcon.hpp"

#include "AppKit/NSImage.hpp"
#include "Foundation/FileManager.hpp"
#include "Foundation/NSError.hpp"

namespace AppKit {

namespace {
EffectiveIconProvider& provider() {
    static EffectiveIconProvider installed;
    return installed;
}

std::any documentIcon(const Foundation::URL& url) {
    // NSFileReadNoSuchFileError
    if (!url.isFileURL() || !Foundation::FileManager::defaultManager().fileExists(url.path()))
        throw Foundation::NSError(Foundation::NSCocoaErrorDomain, 260, "The file \"" + url.lastPathComponent() + "\" couldn't be read.");
    auto icon = NSImage::withSize({32, 32});
    for (double side : {16.0, 32.0, 128.0, 256.0}) icon->addRepresentation(NSImageRep::withSize({side, side}));
    return icon;
}
}  // namespace

std::any effectiveIcon(const Foundation::URL& url) { return provider() ? provider()(url) : documentIcon(url); }

void setEffectiveIconProvider(EffectiveIconProvider p) { provider() = std::move(p); }

}  // namespace AppKit
