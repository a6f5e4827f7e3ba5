#include <gtest/gtest.h>

#include "CoreGraphics/Color.hpp"
#include "CoreGraphics/Geometry.hpp"

using namespace CoreGraphics;

TEST(ColorConversion, DisplayColoursAreClampedGammaEncodedSRGB) {
    struct Case {
        const char* what;
        CGColor in;
        DisplayColor out;
    };
    const Case cases[] = {
        {"sRGB passes through", CGColor::sRGB(0.2, 0.4, 0.6, 0.5), {0.2, 0.4, 0.6, 0.5}},
        {"linear 0.5 encodes to sRGB 0.7354", CGColor::extendedLinearSRGB(0.5, 0, 1), {0.735357, 0, 1, 1}},
        {"linear beyond 1 clamps", CGColor::extendedLinearSRGB(2, -1, 0.0031308), {1, 0, 0.04045, 1}},
        // P3 red lies outside sRGB: green and blue go negative and are clamped.
        {"P3 red clamps to sRGB red", CGColor::displayP3(1, 0, 0), {1, 0, 0, 1}},
        {"P3 white stays white", CGColor::displayP3(1, 1, 1), {1, 1, 1, 1}},
        {"grey 0 and 1", CGColor::gray(1, 0.25), {1, 1, 1, 0.25}},
        {"NaN component shows as 0", CGColor::sRGB(NAN, 1, 1), {0, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        auto d = c.in.displayColor();
        EXPECT_NEAR(d.r, c.out.r, 1e-4) << c.what;
        EXPECT_NEAR(d.g, c.out.g, 1e-4) << c.what;
        EXPECT_NEAR(d.b, c.out.b, 1e-4) << c.what;
        EXPECT_NEAR(d.a, c.out.a, 1e-4) << c.what;
    }
}

TEST(ColorConversion, P3MidRedIsMoreSaturatedThanAnySRGBRed) {
    // A P3 colour inside the sRGB gamut converts without clamping and back again.
    auto d = CGColor::displayP3(0.5, 0.3, 0.2).displayColor();
    EXPECT_GT(d.r, 0.5);
    EXPECT_LT(d.g, 0.3);
    EXPECT_GT(d.g, 0);
    EXPECT_NEAR(srgbDecode(srgbEncode(0.3)), 0.3, 1e-12);
}

TEST(ColorConversion, ComponentsAndSpaceNames) {
    auto c = CGColor::gray(0.5, 0.25);
    EXPECT_EQ(c.numberOfComponents(), 2);
    EXPECT_EQ(c.alpha(), 0.25);
    EXPECT_EQ(c.component(2), 0);
    EXPECT_EQ(c.withAlpha(1).alpha(), 1);
    EXPECT_STREQ(colorSpaceName(CGColorSpace::sRGB), "kCGColorSpaceSRGB");
    EXPECT_STREQ(colorSpaceName(CGColorSpace::displayP3), "kCGColorSpaceDisplayP3");
    EXPECT_EQ(CGColor::hex(0xff8000), CGColor::sRGB(1, 128 / 255.0, 0));
}

TEST(Geometry, PixelSnapping) {
    EXPECT_EQ(CGRect(0.3, 0.3, 10.1, 10.1).integral(2), CGRect(0, 0, 10.5, 10.5));
    EXPECT_EQ(CGRect(0.3, 0.3, 10.1, 10.1).integral(0), CGRect(0.3, 0.3, 10.1, 10.1));
    EXPECT_EQ(CGRect(10.2, 0.5, -5, -0.2).integral(), CGRect(5, 0, 6, 1)) << "standardised first";
    for (double scale : {1.0, 2.0}) EXPECT_TRUE(CGRect::null().integral(scale).isNull()) << "null stays null";
    EXPECT_TRUE(CGRect::null().integral().isNull());
    EXPECT_EQ(CGRect(0.3, 0.6, 10, 10).roundedToPixels(1), CGRect(0, 1, 10, 10));
    EXPECT_EQ(CGRect(0.3, 0.6, 10, 10).roundedToPixels(2), CGRect(0.5, 0.5, 10, 10));
    EXPECT_EQ(CGRect(0.3, 0.6, 10, 10.2).roundedToPixels(2), CGRect(0.5, 0.5, 10, 10.5));
    EXPECT_EQ(CGRect(0, 0, 20, 20).inset(EdgeInsets{1, 2, 3, 4}), CGRect(2, 1, 14, 16));
}

TEST(Geometry, HalfOpenContainment) {
    CGRect r{0, 0, 10, 10};
    EXPECT_TRUE(r.contains(CGPoint{0, 0}));
    EXPECT_FALSE(r.contains(CGPoint{10, 5}));
    EXPECT_FALSE(r.contains(CGPoint{5, 10}));
    EXPECT_TRUE(CGRect(10, 10, -10, -10).contains(CGPoint{0, 0}));
}
