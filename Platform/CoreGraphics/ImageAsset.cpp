#include "CoreGraphics/ImageAsset.hpp"

namespace CoreGraphics {

std::shared_ptr<const ImageAsset> ImageAsset::fromBitmap(std::string name, std::shared_ptr<const CGImage> bitmap,
                                                         CGFloat scale, bool isTemplate) {
    if (!(scale > 0)) scale = 1;
    CGSize size = bitmap ? CGSize{bitmap->width() / scale, bitmap->height() / scale} : CGSize{};
    std::vector<Representation> reps;
    if (bitmap) reps.push_back({scale, std::move(bitmap)});
    return std::make_shared<ImageAsset>(std::move(name), size, std::move(reps), isTemplate);
}

std::shared_ptr<const CGImage> ImageAsset::bestBitmap(CGFloat scale) const {
    const Representation* best = nullptr;
    for (auto& r : reps_) {
        if (!r.bitmap) continue;
        bool enough = r.scale >= scale, bestEnough = best && best->scale >= scale;
        if (!best || (enough && (!bestEnough || r.scale < best->scale)) || (!enough && !bestEnough && r.scale > best->scale))
            best = &r;
    }
    return best ? best->bitmap : nullptr;
}

}  // namespace CoreGraphics
