#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "CoreGraphics/CGContext.hpp"
#include "Metal/ShaderFunction.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TessikShaders/ModuleBundle.hpp"
#include "TessikShaders/ShaderTestSupport.hpp"
#include "TessikShaders/TessikShadersHelper.hpp"

namespace {

using namespace TessikShaders;
using Metal::shading::float2;
using Metal::shading::float4;

class ColorShaders : public ShaderTest::ShaderTest {
protected:
    // The view drawn at scale 1, as pixels.
    static std::shared_ptr<CoreGraphics::CGImage> draw(const SwiftUI::AnyView& view, CoreGraphics::CGSize size) {
        SwiftUI::ViewGraph graph(view, size);
        CoreGraphics::CGContext context(size, true, 1);
        graph.renderTree().draw(context);
        return context.makeImage();
    }
    static float4 run(const char* name, float4 color, float2 position = {1.0f, 1.0f}) {
        auto entry = Metal::ShaderFunctionRegistry::find(name);
        EXPECT_TRUE(entry && entry->colorEffect);
        return entry->colorEffect(position, color, Metal::ShaderArguments{});
    }
};

// A matrix that swaps red and blue turns a red square blue where it is drawn, and only there.
TEST_F(ColorShaders, TheColourMatrixAppliesWhenTheViewIsDrawn) {
    auto swap = TessikShadersHelper::colorMatrixShader({0, 0, 1, 0}, {0, 1, 0, 0}, {1, 0, 0, 0}, {0, 0, 0, 1});
    EXPECT_EQ(swap.function().name, "colorMatrixShader");
    ASSERT_EQ(swap.arguments().size(), 4u);
    EXPECT_EQ(swap.arguments()[0], SwiftUI::Shader::Argument::float4(0, 0, 1, 0));
    auto image = draw(SwiftUI::HStack(SwiftUI::VerticalAlignment::center, 0.0,
                                      {SwiftUI::Color::red().frame(20, 20).colorEffect(swap), SwiftUI::Color::red().frame(20, 20)}),
                      {40, 20});
    const auto plain = image->pixel(30, 10), swapped = image->pixel(10, 10);
    EXPECT_GT(plain.r, 0.9);
    EXPECT_NEAR(swapped.b, plain.r, 0.01);
    EXPECT_NEAR(swapped.r, plain.b, 0.01);
    EXPECT_NEAR(swapped.g, plain.g, 0.01);
    // Turned off, nothing changes.
    auto off = draw(SwiftUI::Color::red().frame(20, 20).colorEffect(swap, false), {20, 20});
    EXPECT_EQ(off->argb(10, 10), image->argb(30, 10));
}

// A function the library lacks is only found out when drawing, and the content stays as drawn.
TEST_F(ColorShaders, AMissingFunctionLeavesTheContentAsDrawn) {
    SwiftUI::Shader missing(SwiftUI::ShaderLibrary::bundle(ModuleBundle::module()).function("noSuchShader"), {});
    auto image = draw(SwiftUI::Color::red().frame(20, 20).colorEffect(missing), {20, 20});
    EXPECT_EQ(image->argb(10, 10), draw(SwiftUI::Color::red().frame(20, 20), {20, 20})->argb(10, 10));
}

// Colours inside a gamut pass unchanged; those outside are marked (no longer the colour).
TEST_F(ColorShaders, GamutChecksMarkOnlyWhatLiesOutside) {
    struct Case {
        float4 color;
        bool outsideSRGB, outsideP3;
    } cases[] = {
        {{1.0f, 0.0f, 0.0f, 1.0f}, false, false},    // sRGB red: inside both
        {{1.05f, 0.0f, 0.0f, 1.0f}, true, false},    // a little past sRGB red: still in P3
        {{0.0f, 1.3f, 0.0f, 1.0f}, true, true},      // far greener than either
        {{0.5f, 0.5f, 0.5f, 0.5f}, false, false},    // half-transparent grey, premultiplied
        {{0.0f, 0.0f, 0.0f, 0.0f}, false, false},    // clear
    };
    auto same = [](float4 a, float4 b) { return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w; };
    for (const auto& c : cases) {
        EXPECT_EQ(!same(run("outsideSRGBShader", c.color), c.color), c.outsideSRGB) << c.color.x << " " << c.color.y;
        EXPECT_EQ(!same(run("outsideP3Shader", c.color), c.color), c.outsideP3) << c.color.x << " " << c.color.y;
    }
    EXPECT_EQ(TessikShadersHelper::outsideSRGBShader().function().name, "outsideSRGBShader");
    EXPECT_TRUE(TessikShadersHelper::outsideP3Shader().arguments().empty());
}

// A colour outside the gamut is marked with diagonal stripes: along x + y, 4 pixels of the
// colour's complement and 4 of grey, repeating every 8, the same along each anti-diagonal.
TEST_F(ColorShaders, OutsideColoursAreStripedEveryEightPixelsAlongTheDiagonal) {
    const float4 far{0.0f, 1.3f, 0.0f, 1.0f};  // outside both gamuts
    const float4 complement{1.0f, -0.3f, 1.0f, 1.0f}, grey{0.5f, 0.5f, 0.5f, 1.0f};
    auto near = [](float4 a, float4 b) {
        return std::abs(a.x - b.x) < 1e-6f && std::abs(a.y - b.y) < 1e-6f && std::abs(a.z - b.z) < 1e-6f && a.w == b.w;
    };
    for (const char* shader : {"outsideSRGBShader", "outsideP3Shader"}) {
        SCOPED_TRACE(shader);
        std::string stripes;  // by x + y, one letter a pixel
        for (int d = 0; d < 24; ++d) {
            // Pixel centres, as a view's pixels reach the effect; two pixels of each anti-diagonal.
            const float4 a = run(shader, far, {float(d) + 0.5f, 0.5f});
            const float4 b = run(shader, far, {0.5f, float(d) + 0.5f});
            EXPECT_TRUE(near(a, b)) << d;
            stripes += near(a, complement) ? 'c' : near(a, grey) ? 'g' : '?';
        }
        // Whatever the phase: one run of 4 and one of 4 in every 8 in a row.
        for (int d = 0; d + 8 < int(stripes.size()); ++d) EXPECT_EQ(stripes[std::size_t(d)], stripes[std::size_t(d) + 8]) << stripes;
        const std::string period = stripes.substr(0, 8);
        EXPECT_EQ(std::count(period.begin(), period.end(), 'c'), 4) << stripes;
        EXPECT_EQ(std::count(period.begin(), period.end(), 'g'), 4) << stripes;
        int changes = 0;
        for (std::size_t d = 0; d < 8; ++d) changes += period[d] != period[(d + 1) % 8];
        EXPECT_EQ(changes, 2) << "one stripe of each in a period: " << stripes;
    }
}

}  // namespace
