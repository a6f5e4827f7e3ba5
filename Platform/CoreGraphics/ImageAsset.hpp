#pragma once
#include <memory>
#include <string>
#include <vector>

#include "CoreGraphics/CGImage.hpp"

namespace CoreGraphics {

// A named picture of a given size in points with bitmaps for one or more scales (1x, 2x).
// This is what the asset catalogue hands out and what the display list records; an image
// without bitmaps (a registered test image, a missing name) still has a name and a size.
class ImageAsset {
public:
    struct Representation {
        CGFloat scale;
        std::shared_ptr<const CGImage> bitmap;
    };

    ImageAsset() = default;  // empty: no name, size 0
    ImageAsset(std::string name, CGSize size, std::vector<Representation> reps = {}, bool isTemplate = false)
        : name_(std::move(name)), size_(size), reps_(std::move(reps)), isTemplate_(isTemplate) {}
    // One bitmap at scale `scale`: size in points = pixels / scale.
    static std::shared_ptr<const ImageAsset> fromBitmap(std::string name, std::shared_ptr<const CGImage> bitmap,
                                                        CGFloat scale = 1, bool isTemplate = false);

    const std::string& name() const { return name_; }
    CGSize size() const { return size_; }
    bool isEmpty() const { return size_.width <= 0 || size_.height <= 0; }
    // Template images are masks: drawn tinted with a colour, their own colours ignored.
    bool isTemplate() const { return isTemplate_; }
    const std::vector<Representation>& representations() const { return reps_; }
    // The smallest bitmap of at least `scale`, else the largest; nullptr when there is none.
    std::shared_ptr<const CGImage> bestBitmap(CGFloat scale) const;

private:
    std::string name_;
    CGSize size_{};
    std::vector<Representation> reps_;
    bool isTemplate_ = false;
};

using ImageRef = std::shared_ptr<const ImageAsset>;

}  // namespace CoreGraphics
