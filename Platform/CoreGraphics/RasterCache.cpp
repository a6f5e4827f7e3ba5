#include "CoreGraphics/RasterCache.hpp"

#include <cmath>

#include "CoreGraphics/RasterPlayer.hpp"

namespace CoreGraphics {

namespace {
// Above this share of the picture, drawing it all costs about the same and is simpler.
constexpr double mostOfThePicture = 0.75;
// More separate places than this are drawn as the one rectangle that holds them.
constexpr std::size_t maxPlaces = 8;

bool finite(const CGRect& r) {
    return std::isfinite(r.minX()) && std::isfinite(r.minY()) && std::isfinite(r.maxX()) && std::isfinite(r.maxY());
}

// Adds a rectangle, merging it with those it overlaps.
void addPlace(std::vector<CGRect>& places, CGRect r) {
    for (std::size_t i = 0; i < places.size();) {
        if (!places[i].intersection(r).isEmpty()) {
            r = r.unionWith(places[i]);
            places.erase(places.begin() + std::ptrdiff_t(i));
            i = 0;
        } else {
            ++i;
        }
    }
    places.push_back(r);
}
}  // namespace

void RasterCache::clear() {
    list_.clear();
    image_.reset();
    drawn_.clear();
}

std::shared_ptr<CGImage> RasterCache::renderAll(const DisplayList& list, CGSize size, CGFloat scale, bool flipped) {
    image_ = RasterPlayer::render(list, size, scale, flipped);
    list_ = list;
    size_ = size;
    scale_ = scale;
    flipped_ = flipped;
    drawn_ = {{0, 0, double(image_->width()), double(image_->height())}};
    return image_;
}

std::vector<CGRect> RasterCache::changes(const DisplayList& list, const CGAffineTransform& device, bool& all) const {
    all = true;
    if (list.ops.size() != list_.ops.size()) return {};
    const CGRect whole{0, 0, double(image_->width()), double(image_->height())};
    std::vector<CGRect> places;
    auto add = [&](const CGRect& r) {
        if (!finite(r)) return false;
        const CGRect px = r.integral().intersection(whole);
        if (!px.isEmpty()) addPlace(places, px);
        return true;
    };
    for (std::size_t i = 0; i < list.ops.size(); ++i) {
        const DisplayOp& now = list.ops[i];
        if (now == list_.ops[i]) continue;
        auto before = RasterPlayer::paintedPixels(list_.ops[i], device);
        auto after = RasterPlayer::paintedPixels(now, device);
        // A changed clip or save reaches everything after it; so may a layer's picture.
        if (!before || !after || now.index() != list_.ops[i].index() || (before->isEmpty() && after->isEmpty())) return {};
        if (!add(*before) || !add(*after)) return {};
    }
    if (places.empty()) {
        all = false;
        return places;
    }
    // A layer's picture (its shadow above all) is made from everything in it: drawn in part, it
    // would differ. A layer that a change reaches, or whose pixels a place to draw again
    // touches, is drawn again whole, before and after (only the operations changed, so both
    // lists hold the same layers), until no more are reached.
    const auto layers = RasterPlayer::layerSpans(list, device), layersBefore = RasterPlayer::layerSpans(list_, device);
    if (layers.size() != layersBefore.size()) return {};
    std::vector<bool> redrawn(layers.size(), false);
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t k = 0; k < layers.size(); ++k) {
            if (redrawn[k]) continue;
            bool reached = false;
            for (std::size_t i = layers[k].begin; i < layers[k].end && !reached; ++i) reached = !(list.ops[i] == list_.ops[i]);
            for (const auto* pixels : {&layers[k].pixels, &layersBefore[k].pixels})
                for (const CGRect& p : places) reached = reached || !*pixels || p.intersects(**pixels);
            if (!reached) continue;
            if (!layers[k].pixels || !layersBefore[k].pixels || !add(*layers[k].pixels) || !add(*layersBefore[k].pixels)) return {};
            redrawn[k] = grew = true;
        }
    }
    double area = 0;
    for (const CGRect& r : places) area += r.width() * r.height();
    if (area > mostOfThePicture * whole.width() * whole.height()) return {};
    if (places.size() > maxPlaces) {
        CGRect joined = places.front();
        for (const CGRect& r : places) joined = joined.unionWith(r);
        places = {joined};
    }
    all = false;
    return places;
}

std::shared_ptr<CGImage> RasterCache::render(const DisplayList& list, CGSize size, CGFloat scale, bool flipped) {
    if (!image_ || size != size_ || scale != scale_ || flipped != flipped_ || image_->width() == 0 || image_->height() == 0)
        return renderAll(list, size, scale, flipped);
    const CGAffineTransform device = RasterPlayer::deviceTransform(size, scale, flipped);
    bool all = false;
    std::vector<CGRect> places = changes(list, device, all);
    if (all) return renderAll(list, size, scale, flipped);
    drawn_ = places;
    if (places.empty()) return image_;
    // Pictures handed out stay as they were.
    if (image_.use_count() > 1) image_ = std::make_shared<CGImage>(*image_);
    RasterPlayer::play(list, *image_, device, places);
    list_ = list;
    return image_;
}

}  // namespace CoreGraphics
