#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "CoreGraphics/CGImage.hpp"
#include "Orrindle/Geometry/ColorDescription.hpp"
#include "Orrindle/Geometry/GeometryHelpers.hpp"
#include "Orrindle/Geometry/Multiplicable.hpp"
#include "Orrindle/SwiftUI/BindingAdapters.hpp"
#include "Orrindle/SwiftUI/ShakeEffect.hpp"

namespace {

using namespace Orrindle;
using CoreGraphics::CGColor;
using CoreGraphics::CGColorSpace;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(ColorDescription, SpaceNameThenComponentsInShortestForm) {
    EXPECT_EQ(debugDescription(CGColor::sRGB(1, 0, 0, 1)), "kCGColorSpaceSRGB: [ 1.0, 0.0, 0.0, 1.0 ]");
    EXPECT_EQ(debugDescription(CGColor::gray(0.25, 0.5)), "kCGColorSpaceGenericGrayGamma2_2: [ 0.25, 0.5 ]");
    EXPECT_EQ(debugDescription(CGColor::displayP3(0.1, 1.0 / 3, 2, 1)),
              "kCGColorSpaceDisplayP3: [ 0.1, 0.3333333333333333, 2.0, 1.0 ]");
}

TEST(ColorDescription, DoublesPrintAsTheyReadBack) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0.0"},          {-0.0, "-0.0"},    {100, "100.0"},   {0.0001, "0.0001"}, {0.00001, "1e-05"},
        {1e16, "1e+16"},     {123456.5, "123456.5"}, {-2.5, "-2.5"}, {nan, "nan"},
        {std::numeric_limits<double>::infinity(), "inf"}, {-std::numeric_limits<double>::infinity(), "-inf"},
    };
    for (const auto& c : cases) EXPECT_EQ(shortestText(c.value), c.text) << c.value;
}

TEST(ImageSize, IsThePixelSize) { EXPECT_EQ(size(CoreGraphics::CGImage(7, 3)), (CGSize{7, 3})); }

TEST(SizesAndPoints, ComponentwiseMinAndMaxAndInsets) {
    EXPECT_EQ(componentwiseMin(CGSize{1, 5}, CGSize{3, 2}), (CGSize{1, 2}));
    EXPECT_EQ(componentwiseMax(CGSize{1, 5}, CGSize{3, 2}), (CGSize{3, 5}));
    EXPECT_EQ(componentwiseMin(CGPoint{-1, 4}, CGPoint{2, -4}), (CGPoint{-1, -4}));
    EXPECT_EQ(componentwiseMax(CGPoint{-1, 4}, CGPoint{2, -4}), (CGPoint{2, 4}));
    // A NaN receiver loses both comparisons, so both take the other's value; ties keep the receiver's.
    EXPECT_EQ(componentwiseMin(CGSize{nan, 1}, CGSize{2, 1}).width, 2);
    EXPECT_EQ(componentwiseMax(CGSize{nan, 1}, CGSize{2, 1}).width, 2);
    EXPECT_EQ(std::signbit(componentwiseMax(CGPoint{-0.0, 0}, CGPoint{0.0, 0}).x), true);
    EXPECT_EQ(std::signbit(componentwiseMin(CGPoint{-0.0, 0}, CGPoint{0.0, 0}).x), false);

    EXPECT_EQ(inset(CGSize{20, 20}, NSEdgeInsets{1, 2, 3, 4}), (CGSize{14, 16}));
    EXPECT_FALSE(hasNonZeroDimensions(CGSize{0, 5}));
    EXPECT_FALSE(hasNonZeroDimensions(CGRect{3, 3, 5, 0}));
    EXPECT_TRUE(hasNonZeroDimensions(CGSize{nan, 5}));
    EXPECT_TRUE(hasNonZeroDimensions(CGRect{0, 0, -1, 2}));
    EXPECT_EQ(midPoint(CGRect{10, 20, 30, 40}), (CGPoint{25, 40}));
    EXPECT_EQ(maxPoint(CGRect{10, 20, 30, 40}), (CGPoint{40, 60}));
}

TEST(RectanglePlacement, SnapsToThePixelGridOfTheScale) {
    EXPECT_EQ(integral(CGRect{0.3, 0.3, 10.1, 10.1}, 2), (CGRect{0, 0, 10.5, 10.5}));
    EXPECT_EQ(integral(CGRect{0.3, 0.3, 10.1, 10.1}, 1), (CGRect{0, 0, 11, 11}));
    EXPECT_EQ(integral(CGRect{0.3, 0.3, 10.1, 10.1}, 0), (CGRect{0.3, 0.3, 10.1, 10.1}));
    EXPECT_EQ(integral(CGRect{0.3, 0.3, 10.1, 10.1}, -2), (CGRect{0.3, 0.3, 10.1, 10.1}));
    // A negative size is standardised before snapping.
    EXPECT_EQ(integral(CGRect{10.2, 0, -5, 1}, 1), (CGRect{5, 0, 6, 1}));
}

TEST(RectanglePlacement, CenterIsRelativeToTheOuterRectangle) {
    const CGRect r{7, 9, 100, 50};
    // 100.5 rounds away from zero; outer's origin (200, 300) is not added.
    EXPECT_EQ(center(r, CGRect{200, 300, 301, 100}, 1), (CGRect{101, 25, 100, 50}));
    // At 2x the half point is a pixel of its own.
    EXPECT_EQ(center(r, CGRect{200, 300, 301, 100}, 2), (CGRect{100.5, 25, 100, 50}));
    // A larger rectangle goes to negative offsets, still halves away from zero.
    EXPECT_EQ(center(CGRect{0, 0, 21, 11}, CGRect{0, 0, 10, 10}, 1), (CGRect{-6, -1, 21, 11}));
    // No usable scale: placed without rounding, never NaN.
    for (double s : {0.0, -1.0}) {
        const CGRect c = center(r, CGRect{0, 0, 301, 101}, s);
        EXPECT_EQ(c, (CGRect{100.5, 25.5, 100, 50})) << s;
    }
}

TEST(RectanglePlacement, CenterXAndCenterYUseTheOuterMiddleAndTheRange) {
    const CGRect r{5, 7, 100, 10};
    EXPECT_EQ(centerX(r, CGRect{200, 0, 300, 100}, 1), (CGRect{300, 7, 100, 10}));
    EXPECT_EQ(centerX(r, CGRect{200, 0, 300, 100}, 1, std::pair{0.0, 250.0}), (CGRect{250, 7, 100, 10}));
    EXPECT_EQ(centerX(r, CGRect{200, 0, 300, 100}, 1, std::pair{320.0, 400.0}), (CGRect{320, 7, 100, 10}));
    EXPECT_EQ(centerX(r, CGRect{0, 0, 101, 100}, 2), (CGRect{0, 7, 101, 10}));  // 0.5 at 2x, then integral in points
    EXPECT_EQ(centerY(CGRect{5, 7, 10, 20}, CGRect{0, 100, 50, 50}, 1), (CGRect{5, 115, 10, 20}));
    EXPECT_EQ(centerY(CGRect{5, 7, 10, 21}, CGRect{0, 0, 50, 50}, 1), (CGRect{5, 15, 10, 21}));  // 14.5 -> 15
    for (double s : {0.0, -3.0}) {
        EXPECT_EQ(centerX(r, CGRect{0, 0, 101, 100}, s), (CGRect{0, 7, 101, 10})) << s;
        EXPECT_EQ(centerY(CGRect{5, 7, 10, 21}, CGRect{0, 0, 50, 50}, s), (CGRect{5, 14, 10, 22})) << s;
    }
}

TEST(RectanglePlacement, InsetOutsetAndFit) {
    const NSEdgeInsets i{1, 2, 3, 4};
    EXPECT_EQ(inset(CGRect{0, 0, 20, 20}, i, false), (CGRect{2, 3, 14, 16}));
    EXPECT_EQ(inset(CGRect{0, 0, 20, 20}, i, true), (CGRect{2, 1, 14, 16}));
    EXPECT_EQ(outset(CGRect{2, 3, 14, 16}, i, false), (CGRect{0, 0, 20, 20}));
    EXPECT_EQ(outset(CGRect{2, 1, 14, 16}, i, true), (CGRect{0, 0, 20, 20}));
    EXPECT_EQ(inset(CGRect{0, 0, 10, 10}, NSEdgeInsets{0.5, 0.5, 0.5, 0.5}, false), (CGRect{0, 0, 10, 10}));

    const CGRect bounds{0, 0, 100, 100};
    EXPECT_EQ(fit(CGRect{90, 90, 20, 20}, bounds), (CGRect{80, 80, 20, 20}));
    EXPECT_EQ(fit(CGRect{-10, 50, 20, 20}, bounds), (CGRect{0, 50, 20, 20}));
    EXPECT_EQ(fit(CGRect{30, 40, 20, 20}, bounds), (CGRect{30, 40, 20, 20}));
    EXPECT_EQ(fit(CGRect{50, 50, 120, 20}, bounds), (CGRect{0, 50, 120, 20}));  // sticks out on the far side
}

TEST(Multiplicable, ScalesEveryComponentOnEitherSide) {
    EXPECT_EQ(CGRect(1, 2, 3, 4) * 2.0, CGRect(2, 4, 6, 8));
    EXPECT_EQ(2.0 * CGRect(1, 2, 3, 4), CGRect(2, 4, 6, 8));
    EXPECT_EQ(CGRect(1, 2, 3, 4) / 2.0, CGRect(0.5, 1, 1.5, 2));
    EXPECT_EQ((3.0 * CGSize{1, 2}), (CGSize{3, 6}));
    EXPECT_EQ((CGPoint{1, 2} / 4.0), (CGPoint{0.25, 0.5}));
    // Division multiplies by the reciprocal: 0.3 / 3 and 0.3 * (1 / 3) differ in the last bit.
    EXPECT_EQ((CGPoint{0.3, 0} / 3.0).x, 0.3 * (1.0 / 3.0));
}

TEST(ShakeEffect, SwingsSidewaysOnly) {
    EXPECT_NEAR(ShakeEffect(10, 3, 0.5).effectValue({}).affine.tx, -10, 1e-12);
    EXPECT_NEAR(ShakeEffect(10, 3, 0).effectValue({}).affine.tx, 0, 1e-12);
    EXPECT_NEAR(ShakeEffect(10, 3, 1).effectValue({}).affine.tx, 0, 1e-12);
    const auto t = ShakeEffect(10, 3, 0.25).effectValue({50, 20}).affine;
    EXPECT_NEAR(t.tx, 10 * std::sin(0.25 * CoreGraphics::pi * 3), 1e-12);
    EXPECT_EQ(t.ty, 0);
    EXPECT_EQ(t.a, 1);
    EXPECT_EQ(t.d, 1);
}

TEST(BindingAdapters, OptionalWritesOnlyValuesAndAnimationsOffForWrites) {
    int stored = 4;
    std::optional<bool> disabledDuringWrite;
    SwiftUI::Binding<int> binding([&] { return stored; },
                                  [&](int v) {
                                      auto* t = SwiftUI::Transaction::current();
                                      disabledDuringWrite = t && t->disablesAnimations;
                                      stored = v;
                                  });
    auto optional = asOptional(binding);
    EXPECT_EQ(optional.get(), 4);
    optional.set(std::nullopt);
    EXPECT_EQ(stored, 4);
    EXPECT_FALSE(disabledDuringWrite.has_value());
    optional.set(9);
    EXPECT_EQ(stored, 9);
    EXPECT_EQ(disabledDuringWrite, false);

    auto quiet = disablingAnimations(binding);
    EXPECT_EQ(quiet.get(), 9);
    quiet.set(11);
    EXPECT_EQ(stored, 11);
    EXPECT_EQ(disabledDuringWrite, true);
    EXPECT_EQ(SwiftUI::Transaction::current(), nullptr);
}

}  // namespace
