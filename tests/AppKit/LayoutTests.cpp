#include <gtest/gtest.h>

#include "AppKitTestSupport.hpp"

using namespace AppKit;

namespace {

using LayoutTest = AppKitTest::AppKitTest;

class FlippableView : public NSView {
    VZ_OBJECT(FlippableView, NSView)
public:
    bool flipped = false;
    CGSize intrinsic{NSViewNoIntrinsicMetric, NSViewNoIntrinsicMetric};
    bool isFlipped() const override { return flipped; }
    CGSize intrinsicContentSize() const override { return intrinsic; }

protected:
    using NSView::NSView;
};

void pin(const NSView::Ptr& v, const NSView::Ptr& to, NSEdgeInsets insets) {
    v->setTranslatesAutoresizingMaskIntoConstraints(false);
    NSLayoutConstraint::activate({
        v->leadingAnchor().constraint(to->leadingAnchor(), insets.left),
        v->trailingAnchor().constraint(to->trailingAnchor(), -insets.right),
        v->bottomAnchor().constraint(to->bottomAnchor(), -insets.bottom),
        v->topAnchor().constraint(to->topAnchor(), insets.top),
    });
}

TEST_F(LayoutTest, EdgesPinnedWithInsetsFollowTheSuperviewInBothOrientations) {
    for (bool flipped : {false, true}) {
        auto parent = Runtime::make<FlippableView>(CGRect{0, 0, 200, 100});
        parent->flipped = flipped;
        auto child = Runtime::make<NSView>();
        parent->addSubview(child);
        pin(child, parent, {10, 20, 30, 40});  // top, left, bottom, right
        parent->layoutSubtreeIfNeeded();
        // Unflipped, y grows upward: the 30-point bottom inset is the frame's origin.
        EXPECT_EQ(child->frame(), flipped ? CGRect(20, 10, 140, 60) : CGRect(20, 30, 140, 60)) << flipped;
        parent->setFrameSize({300, 300});
        parent->layoutSubtreeIfNeeded();
        EXPECT_EQ(child->frame().size, (CGSize{240, 260}));
    }
    auto c = Runtime::make<NSView>();
    auto p = Runtime::make<NSView>();
    p->addSubview(c);
    pin(c, p, {});
    EXPECT_EQ(p->constraints().size(), 4u);
    EXPECT_EQ(p->constraints()[1]->firstAttribute(), LayoutAttribute::trailing);
    EXPECT_EQ(p->constraints()[1]->secondItem(), p);
    EXPECT_FALSE(c->translatesAutoresizingMaskIntoConstraints());
}

TEST_F(LayoutTest, FixedSizesCentresAndSiblingChains) {
    auto parent = Runtime::make<FlippableView>(CGRect{0, 0, 300, 200});
    parent->flipped = true;
    auto a = Runtime::make<NSView>(), b = Runtime::make<NSView>();
    parent->addSubview(a);
    parent->addSubview(b);
    a->setTranslatesAutoresizingMaskIntoConstraints(false);
    b->setTranslatesAutoresizingMaskIntoConstraints(false);
    NSLayoutConstraint::activate({
        // b is declared against a before a is placed: the pass must order them.
        b->leadingAnchor().constraint(a->trailingAnchor(), 8),
        b->widthAnchor().constraint(a->widthAnchor(), 2, 0),
        b->topAnchor().constraint(a->topAnchor()),
        b->heightAnchor().constraint(a->heightAnchor()),
        a->widthAnchor().constraint(50.0),
        a->heightAnchor().constraint(40.0),
        a->centerYAnchor().constraint(parent->centerYAnchor()),
        a->leadingAnchor().constraint(parent->leadingAnchor(), 10),
    });
    parent->layoutSubtreeIfNeeded();
    EXPECT_EQ(a->frame(), (CGRect{10, 80, 50, 40}));
    EXPECT_EQ(b->frame(), (CGRect{68, 80, 100, 40}));
    EXPECT_EQ(a->constraints().size(), 2u);  // fixed sizes live on the view itself
}

TEST_F(LayoutTest, OneEquationKeepsTheOtherDimensionOrTakesTheIntrinsicSize) {
    auto parent = Runtime::make<NSView>(CGRect{0, 0, 300, 200});
    auto label = Runtime::make<FlippableView>(CGRect{0, 0, 10, 10});
    label->intrinsic = {80, 20};
    parent->addSubview(label);
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    NSLayoutConstraint::activate({label->centerXAnchor().constraint(parent->centerXAnchor()),
                                  label->topAnchor().constraint(parent->topAnchor(), 5)});
    parent->layoutSubtreeIfNeeded();
    EXPECT_EQ(label->frame(), (CGRect{110, 175, 80, 20}));
}

TEST_F(LayoutTest, DeactivatingAndRemovingDropConstraints) {
    auto parent = Runtime::make<NSView>(CGRect{0, 0, 100, 100});
    auto child = Runtime::make<NSView>(CGRect{1, 2, 3, 4});
    parent->addSubview(child);
    child->setTranslatesAutoresizingMaskIntoConstraints(false);
    auto width = child->widthAnchor().constraint(parent->widthAnchor());
    NSLayoutConstraint::activate({width});
    parent->layoutSubtreeIfNeeded();
    EXPECT_EQ(child->frame(), (CGRect{1, 2, 100, 4}));
    width->setConstant(-50);
    parent->layoutSubtreeIfNeeded();
    EXPECT_EQ(child->frame().size.width, 50);
    child->removeFromSuperview();
    EXPECT_FALSE(width->isActive());
    EXPECT_TRUE(parent->constraints().empty());
}

}  // namespace
