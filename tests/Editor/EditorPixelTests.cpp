#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/RasterCache.hpp"
#include "Editor/EditorTestSupport.hpp"

namespace {

using namespace EditorTest;

// FNV-1a over the size and every pixel.
std::uint64_t pixelHash(const CoreGraphics::CGImage& image) {
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            h ^= (v >> (8 * i)) & 0xFF;
            h *= 1099511628211ull;
        }
    };
    mix(std::uint32_t(image.width()));
    mix(std::uint32_t(image.height()));
    for (int i = 0, n = image.width() * image.height(); i < n; ++i) mix(image.data()[i]);
    return h;
}

std::string hex(std::uint64_t h) {
    char s[17];
    std::snprintf(s, sizeof s, "%016llx", static_cast<unsigned long long>(h));
    return s;
}

// The editor's pixels, pinned: faster frames (caches, partial redraws) must not change one of
// them. The figures hold for this build's raster and fonts; when those change on purpose,
// look at the snapshots and take the new hashes.
TEST_F(EditorFixture, RenderedPixelsStayTheSameAtBothSizesAndAfterADialTurns) {
    struct Case {
        SwiftUI::CGSize size;
        const char* before;
        const char* afterTurn;
    };
    const Case cases[] = {
        {{640, 480}, "e933d68060543034", "7c2e0d8ae83da554"},
        {{1280, 960}, "8aefeb2933e002ae", "6aa7016203aacba7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size.width);
        auto& g = editor(c.size);
        EXPECT_EQ(hex(pixelHash(*g.snapshot())), c.before);
        // Frames as a window shows them: the one after the turn rasterised only where it changed.
        auto recording = [&g] {
            CoreGraphics::CGContext context(g.size(), true, 1);
            g.renderTree().draw(context);
            return context.takeDisplayList();
        };
        CoreGraphics::RasterCache frames;
        frames.render(recording(), c.size, 1, true);

        // A drag up the delay dial, as a hand turns it.
        const double k = c.size.width / 640;
        const SwiftUI::CGPoint at{65 * k, 120 * k};
        g.mouseDown(at);
        drain();
        for (int i = 1; i <= 6; ++i) {
            g.mouseDragged({at.x, at.y - 5.0 * i});
            drain();
        }
        EXPECT_NE(settings->delay->value(), 0.f) << "the drag turned the dial";
        EXPECT_EQ(hex(pixelHash(*g.snapshot())), c.afterTurn);
        EXPECT_EQ(hex(pixelHash(*frames.render(recording(), c.size, 1, true))), c.afterTurn);
        ASSERT_FALSE(frames.lastDrawn().empty());
        EXPECT_LT(frames.lastDrawn().front().width(), c.size.width / 2) << "only near the dial";
        g.mouseUp({at.x, at.y - 30});
        drain();
        graph.reset();
        settings = Settings::make();
    }
}

}  // namespace
