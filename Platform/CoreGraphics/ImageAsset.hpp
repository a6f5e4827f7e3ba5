#pragma once
#include <memory>
#include <optional>
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

    // How a sliced image stretches: along each sliced axis its middle stretches and its caps (in
    // points, measured in from each edge) keep their size; along an axis that is not sliced it
    // keeps its own length.
    struct Slicing {
        bool horizontal = false, vertical = false;
        CGFloat left = 0, top = 0, right = 0, bottom = 0;
        friend bool operator==(const Slicing&, const Slicing&) = default;
    };

    ImageAsset() = default;  // empty: no name, size 0
    ImageAsset(std::string name, CGSize size, std::vector<Representation> reps = {}, bool isTemplate = false,
               std::optional<Slicing> slicing = std::nullopt)
        : name_(std::move(name)), size_(size), reps_(std::move(reps)), isTemplate_(isTemplate), slicing_(slicing) {}
    // One bitmap at scale `scale`: size in points = pixels / scale.
    static std::shared_ptr<const ImageAsset> fromBitmap(std::string name, std::shared_ptr<const CGImage> bitmap,
                                                        CGFloat scale = 1, bool isTemplate = false);

    const std::string& name() const { return name_; }
    CGSize size() const { return size_; }
    bool isEmpty() const { return size_.width <= 0 || size_.height <= 0; }
    // Template images are masks: drawn tinted with a colour, their own colours ignored.
    bool isTemplate() const { return isTemplate_; }
    // The catalogue's slicing of the image, if it has one.
    const std::optional<Slicing>& slicing() const { return slicing_; }
    const std::vector<Representation>& representations() const { return reps_; }
    // The smallest bitmap of at least `scale`, else the largest; nullptr when there is none.
    std::shared_ptr<const CGImage> bestBitmap(CGFloat scale) const;

private:
    std::string name_;
    CGSize size_{};
    std::vector<Representation> reps_;
    bool isTemplate_ = false;
    std::optional<Slicing> slicing_;
};

using ImageRef = std::shared_ptr<const ImageAsset>;

}  // namespace CoreGraphics
