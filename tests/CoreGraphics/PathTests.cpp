#include <gtest/gtest.h>

#include "CoreGraphics/Path.hpp"

using namespace CoreGraphics;

TEST(Path, RoundedRectKeepsItsRadiiAsData) {
    auto p = CGPath::roundedRect({10, 20, 100, 40}, CornerRadii{4, 0, 8, 2}, CornerStyle::continuous);
    ASSERT_EQ(p.shapes().size(), 1u);
    EXPECT_EQ(p.shapes()[0].kind, CGPath::ShapeKind::roundedRect);
    EXPECT_EQ(p.shapes()[0].rect, CGRect(10, 20, 100, 40));
    EXPECT_EQ(p.shapes()[0].radii, (CornerRadii{4, 0, 8, 2}));
    EXPECT_EQ(p.shapes()[0].style, CornerStyle::continuous);
    EXPECT_EQ(p.boundingBoxOfPath(), CGRect(10, 20, 100, 40));
}

TEST(Path, RadiiAreClampedSoNoCornerSpikesOrCrosses) {
    auto p = CGPath::roundedRect({0, 0, 20, 10}, CornerRadii{-5, 50, NAN, 3});
    EXPECT_EQ(p.shapes()[0].radii, (CornerRadii{0, 5, 0, 3}));
    auto box = p.boundingBoxOfPath();
    EXPECT_NEAR(box.minX(), 0, 1e-9);
    EXPECT_NEAR(box.maxX(), 20, 1e-9);
    EXPECT_NEAR(box.maxY(), 10, 1e-9);
    // The first point is the top edge after the (square) top-left corner.
    EXPECT_EQ(p.elements()[0].type, CGPath::ElementType::moveToPoint);
    EXPECT_EQ(p.elements()[0].points[0], (CGPoint{0, 0}));
}

TEST(Path, RoundedCornerExcludesTheCornerPixel) {
    auto p = CGPath::roundedRect({0, 0, 40, 40}, 10);
    EXPECT_FALSE(p.contains({1, 1}));
    EXPECT_TRUE(p.contains({5, 5}));
    EXPECT_TRUE(p.contains({20, 0.5}));
    EXPECT_FALSE(p.contains({41, 20}));
    auto capsule = CGPath::capsule({0, 0, 60, 20});
    EXPECT_EQ(capsule.shapes()[0].kind, CGPath::ShapeKind::capsule);
    EXPECT_EQ(capsule.shapes()[0].radii, CornerRadii::all(10));
    EXPECT_FALSE(capsule.contains({1, 1}));
}

TEST(Path, ArcsFollowTheDirectionAndJoinTheCurrentPoint) {
    CGPath p;
    p.move({0, 0});
    p.addArc({10, 0}, 5, 0, pi / 2, false);  // increasing angle: through (15,0) to (10,5)
    ASSERT_GE(p.elements().size(), 3u);
    EXPECT_EQ(p.elements()[1].type, CGPath::ElementType::addLineToPoint);
    EXPECT_EQ(p.elements()[1].points[0], (CGPoint{15, 0}));
    auto end = p.currentPoint();
    EXPECT_NEAR(end.x, 10, 1e-9);
    EXPECT_NEAR(end.y, 5, 1e-9);
    EXPECT_NEAR(p.boundingBoxOfPath().maxY(), 5, 1e-6);

    CGPath cw;
    cw.addArc({0, 0}, 1, 0, pi / 2, true);  // the long way round: three quarters
    auto box = cw.boundingBoxOfPath();
    EXPECT_NEAR(box.minX(), -1, 1e-3);
    EXPECT_NEAR(box.minY(), -1, 1e-3);
}

TEST(Path, EllipseAndEvenOddContainment) {
    auto ring = CGPath::ellipse({0, 0, 100, 100});
    ring.addEllipse({25, 25, 50, 50});
    EXPECT_TRUE(ring.contains({50, 50}));  // nonzero: both turn the same way
    EXPECT_FALSE(ring.contains({50, 50}, true));
    EXPECT_TRUE(ring.contains({10, 50}, true));
    EXPECT_FALSE(ring.contains({2, 2}));
    auto moved = ring.transformed(CGAffineTransform::translation(10, 0));
    EXPECT_EQ(moved.shapes()[1].rect, CGRect(35, 25, 50, 50));
    EXPECT_TRUE(ring.transformed(CGAffineTransform::scale(2, 2)).shapes().empty());
}
