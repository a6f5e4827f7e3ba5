#include <gtest/gtest.h>

#include <functional>

#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/RasterCache.hpp"
#include "CoreGraphics/RasterPlayer.hpp"

using namespace CoreGraphics;

namespace {

// A small scene: a background, a rounded shape, a stroked ring, text and a picture; each
// argument varies one part of it.
struct Scene {
    CGColor shape = CGColor::sRGB(0.2, 0.6, 0.9);
    std::string label = "12.0 MS";
    CGFloat pictureX = 70;
    CGFloat clipInset = 0;
    CGFloat layerAlpha = 1;
    bool shadow = false;

    DisplayList draw(CGSize size, bool flipped) const {
        static const ImageRef picture = [] {
            CGContext art({12, 12}, true, 2);
            art.setFillColor(CGColor::sRGB(0.9, 0.4, 0.1));
            art.fill(CGPath::ellipse({1, 1, 10, 10}));
            return art.makeImageAsset("dot");
        }();
        CGContext ctx(size, flipped, 1);
        ctx.setFillColor(CGColor::gray(0.15));
        ctx.fill(CGRect{{0, 0}, size});
        ctx.saveGState();
        ctx.clip(CGRect{{clipInset, clipInset}, size}.insetBy(clipInset, clipInset));
        if (layerAlpha < 1 || shadow)
            ctx.beginTransparencyLayer(layerAlpha, shadow ? std::optional(Shadow{{2, 2}, 3, CGColor::black()}) : std::nullopt);
        ctx.setFillColor(shape);
        ctx.fill(CGPath::roundedRect({8, 8, 40, 24}, 6));
        if (layerAlpha < 1 || shadow) ctx.endTransparencyLayer();
        ctx.setStrokeColor(CGColor::white());
        ctx.setLineWidth(3);
        ctx.stroke(CGPath::ellipse({60, 30, 30, 30}));
        ctx.drawText(AttributedText(label, Font::system(11), CGColor::white()), {8, 40, 50, 16});
        ctx.draw(picture, {pictureX, 6, 12, 12});
        ctx.restoreGState();
        return ctx.takeDisplayList();
    }
};

std::size_t pixelsDrawn(const RasterCache& cache) {
    double n = 0;
    for (const CGRect& r : cache.lastDrawn()) n += r.width() * r.height();
    return std::size_t(n);
}

}  // namespace

// Frame after frame, the cached picture is the one drawn afresh, bit for bit, whatever changed;
// a change in one place draws only near it, in either orientation and at either scale.
TEST(RasterCache, EachFrameIsTheFreshPictureAndSmallChangesDrawOnlyWhereTheyPaint) {
    const CGSize size{100, 64};
    struct Case {
        const char* what;
        std::function<void(Scene&)> change;
        bool drawsAll;
    };
    const Case cases[] = {
        {"nothing", [](Scene&) {}, false},
        {"a fill's colour", [](Scene& s) { s.shape = CGColor::sRGB(0.9, 0.2, 0.3); }, false},
        {"a text", [](Scene& s) { s.label = "12.5 MS"; }, false},
        {"a picture's place", [](Scene& s) { s.pictureX = 40; }, false},
        {"a clip", [](Scene& s) { s.clipInset = 10; }, true},
        {"a layer", [](Scene& s) { s.layerAlpha = 0.5; }, true},
    };
    for (bool flipped : {true, false})
        for (CGFloat scale : {1.0, 2.0})
            for (const auto& c : cases) {
                SCOPED_TRACE(testing::Message() << c.what << (flipped ? " y-down @" : " y-up @") << scale);
                RasterCache cache;
                Scene scene;
                const auto first = cache.render(scene.draw(size, flipped), size, scale, flipped);
                const auto firstCopy = *first;
                c.change(scene);
                const DisplayList next = scene.draw(size, flipped);
                const auto second = cache.render(next, size, scale, flipped);
                EXPECT_TRUE(*second == *RasterPlayer::render(next, size, scale, flipped));
                EXPECT_TRUE(*first == firstCopy) << "a picture handed out never changes";
                const std::size_t whole = std::size_t(size.width * size.height * scale * scale);
                if (c.drawsAll) {
                    EXPECT_EQ(pixelsDrawn(cache), whole);
                } else {
                    EXPECT_LT(pixelsDrawn(cache), whole / 3);
                }
            }
}

// A shadow is made from the whole layer: a change that reaches a layer's content or its pixels
// draws the layer again whole, with its shadow; one elsewhere draws only where it paints. Either
// way the picture is the one drawn afresh, at the picture's edges too.
TEST(RasterCache, ShadowedLayersAreDrawnWholeWhereAChangeReachesThem) {
    const CGSize size{100, 64};
    struct Case {
        const char* what;
        std::function<void(Scene&)> change;
        std::size_t atLeast, below;  // pixels drawn
    };
    // The shadowed shape with its shadow is about 57 x 37 pixels.
    const Case cases[] = {
        {"a picture away from the layer", [](Scene& s) { s.pictureX = 80; }, 1, 1000},
        {"the layer's shape", [](Scene& s) { s.shape = CGColor::sRGB(0.9, 0.2, 0.3); }, 2000, 3000},
        {"a picture into its shadow", [](Scene& s) { s.pictureX = 44; }, 2000, 3400},
    };
    for (bool flipped : {true, false})
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << (flipped ? " y-down" : " y-up"));
            RasterCache cache;
            Scene scene;
            scene.shadow = true;
            cache.render(scene.draw(size, flipped), size, 1, flipped);
            c.change(scene);
            const DisplayList next = scene.draw(size, flipped);
            EXPECT_TRUE(*cache.render(next, size, 1, flipped) == *RasterPlayer::render(next, size, 1, flipped));
            EXPECT_GE(pixelsDrawn(cache), c.atLeast);
            EXPECT_LT(pixelsDrawn(cache), c.below);
        }
}

// A different size, scale or orientation starts afresh.
TEST(RasterCache, ANewShapeOfPictureStartsAfresh) {
    RasterCache cache;
    Scene scene;
    cache.render(scene.draw({100, 64}, true), {100, 64}, 1, true);
    for (auto [size, scale, flipped] : {std::tuple{CGSize{120, 64}, 1.0, true}, std::tuple{CGSize{120, 64}, 2.0, true},
                                        std::tuple{CGSize{120, 64}, 2.0, false}}) {
        const DisplayList list = scene.draw(size, flipped);
        const auto image = cache.render(list, size, scale, flipped);
        EXPECT_TRUE(*image == *RasterPlayer::render(list, size, scale, flipped));
        EXPECT_EQ(pixelsDrawn(cache), std::size_t(size.width * size.height * scale * scale));
    }
}
