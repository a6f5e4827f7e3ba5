#pragma once
#include <memory>
#include <string>
#include <vector>

#include "CoreGraphics/AssetResource.hpp"
#include "CoreGraphics/DisplayList.hpp"
#include "CoreGraphics/ImageAsset.hpp"
#include "AppKit/NSImageRep.hpp"
#include "Runtime/NSObject.hpp"

namespace Foundation {
class Bundle;
}

namespace AppKit {

using CoreGraphics::CompositingOperation;

// A picture with a size in points; wraps an image of an asset catalogue (which keeps its
// asset name for the display list) or a bitmap.
class NSImage : public Runtime::NSObject {
    VZ_OBJECT(NSImage, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSImage>;
    // How the middle of a stretched image fills a larger size, with the platform's raw values.
    enum class ResizingMode : long { tile = 0, stretch = 1 };

    // From a bundle's asset catalogue (the main bundle when null); null when missing.
    static Ptr named(const std::string& name, const std::shared_ptr<Foundation::Bundle>& bundle = nullptr);
    // A new image object from an image resource; empty (size 0, with the name) when the
    // catalogue has no image of that name.
    static Ptr withResource(const CoreGraphics::ImageResource& resource);
    static Ptr withAsset(CoreGraphics::ImageRef asset);
    // An empty image of a size (no bitmap).
    static Ptr withSize(CoreGraphics::CGSize size);

    const std::string& name() const { return asset_->name(); }
    CoreGraphics::CGSize size() const { return size_; }
    void setSize(CoreGraphics::CGSize size) { size_ = size; }
    bool isValid() const { return !asset_->isEmpty(); }
    // A template image is a mask that controls tint with their text colour.
    bool isTemplate() const { return template_; }
    void setTemplate(bool flag) { template_ = flag; }
    const CoreGraphics::ImageRef& asset() const { return asset_; }
    // How the image fills a size other than its own: the parts within the cap insets keep
    // their size, the middle stretches or tiles. Kept for those who ask; drawing here stretches
    // the whole image.
    ResizingMode resizingMode() const { return resizingMode_; }
    void setResizingMode(ResizingMode mode) { resizingMode_ = mode; }
    const CoreGraphics::EdgeInsets& capInsets() const { return capInsets_; }
    void setCapInsets(const CoreGraphics::EdgeInsets& insets) { capInsets_ = insets; }
    // A copy that shares the bitmaps.
    Ptr copy() const;
    // The renditions the image holds, in order (an empty image holds none).
    const std::vector<NSImageRep::Ptr>& representations() const { return representations_; }
    void addRepresentation(NSImageRep::Ptr rep) { representations_.push_back(std::move(rep)); }

    // Draws into the current context; `from` zero means the whole image.
    void draw(CoreGraphics::CGRect in, CoreGraphics::CGRect from = {},
              CompositingOperation operation = CompositingOperation::sourceOver, CoreGraphics::CGFloat fraction = 1,
              bool respectFlipped = true) const;

protected:
    NSImage() = default;

private:
    CoreGraphics::ImageRef asset_;
    CoreGraphics::CGSize size_;
    bool template_ = false;
    ResizingMode resizingMode_ = ResizingMode::tile;
    CoreGraphics::EdgeInsets capInsets_;
    std::vector<NSImageRep::Ptr> representations_;
};

}  // namespace AppKit
