#include <gtest/gtest.h>

#include "CoreGraphics/AssetCatalog.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/FontRegistry.hpp"
#include "CoreGraphics/TextLayout.hpp"

using namespace CoreGraphics;

// Draws a small panel from the sample bundle's assets and writes it beside the test
// binary (sample.png) for a person to look at; checks a few of its pixels.
TEST(SampleImage, PanelFromBundleAssets) {
    auto cat = AssetCatalog::forDirectory(std::string(VZ_CG_SAMPLE_DIR) + "/CGSample_CGSample.bundle");
    CGContext ctx({260, 110}, true, 2);
    ctx.setFillColor(cat->color("background"));
    ctx.fill(CGRect{0, 0, 260, 110});
    auto frames = cat->imageSequence("knobs/sample-dial-", 5);
    for (int i = 0; i < 5; ++i) {
        auto img = frames[size_t(i)];
        ctx.draw(img, {10 + i * 48.0, 10, img->size().width, img->size().height});
        AttributedText label(std::to_string(i * 25) + "%", Font::named("Rocket", 11), cat->color("labelText"),
                             {TextAlignment::center, LineBreakMode::byTruncatingTail});
        ctx.drawText(label, {10 + i * 48.0, 52, 40, 14});
    }
    auto button = cat->image("button");
    ctx.draw(button, {10, 74, 88, 27});
    ctx.beginTransparencyLayer(1, Shadow{{0, 1}, 3, CGColor::displayP3(0.0485, 0.0245, 0.1257, 0.9)});
    ctx.drawText(AttributedText("RESET", Font::named("Rocket", 12), CGColor::white(), {TextAlignment::center, {}}),
                 {10, 80, 88, 16});
    ctx.endTransparencyLayer();
    ctx.draw(cat->image("button-down"), {110, 74, 88, 27});
    ctx.drawText(AttributedText("PRESET", Font::named("Dosis-Medium", 13), cat->color("accent"), {TextAlignment::center, {}}),
                 {110, 79, 88, 16});
    ctx.draw(cat->image("mask-dot"), {220, 82, 12, 12}, {}, CompositingOperation::sourceOver, 1, true, cat->color("accent"));

    auto img = ctx.makeImage();
    std::string path = std::string(VZ_CG_SAMPLE_DIR) + "/sample.png";
    std::string error;
    ASSERT_TRUE(img->writePNG(path, &error)) << error;
    EXPECT_EQ(img->width(), 520);
    auto bg = cat->color("background").displayColor();
    auto corner = img->pixel(1, 1);
    EXPECT_NEAR(corner.r, bg.r, 0.01);
    auto dot = img->pixel(2 * 226, 2 * 88);  // the tinted mask: accent (P3 orange) clamped into sRGB
    EXPECT_GT(dot.r, 0.95);
    EXPECT_LT(dot.b, 0.2);
}
