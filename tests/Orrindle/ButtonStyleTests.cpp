#include <gtest/gtest.h>

#include <memory>

#include "Orrindle/Styles/Styles.hpp"
#include "Orrindle/SwiftUI/DefaultTessikButtonStyle.hpp"
#include "Orrindle/SwiftUI/QuorvaneButtonStyle.hpp"
#include "SwiftUI/SwiftUI.hpp"

namespace {

using namespace SwiftUI;
using Orrindle::DefaultTessikButtonStyle;
using Orrindle::QuorvaneButtonStyle;
namespace Styles = Orrindle::Styles;

// The label as the welcome window gives it: 180 points wide.
AnyView label() {
    AnyView::FrameSpec width;
    width.width = 180;
    return AnyView(Text(std::string("Help"))).frame(width);
}

std::unique_ptr<ViewGraph> styled(const ButtonStyle& style, bool pressed) {
    auto g = std::make_unique<ViewGraph>(style.makeBody({label(), pressed}), CGSize{300, 80});
    g->update();
    return g;
}

CoreGraphics::CGColor value(const AppKit::NSColor::Ptr& colour) { return colour->cgColor(); }

TEST(QuorvaneButtonStyle, BoldRoundedLabelOnTheKitBezel) {
    for (bool pressed : {false, true}) {
        auto g = styled(QuorvaneButtonStyle(), pressed);
        auto* text = g->renderTree().findText("Help");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->font, Font::system(12, Font::Weight::bold, Font::Design::rounded));
        EXPECT_EQ(text->color.resolved(),
                  value(pressed ? Styles::Control::highlightedTextColor() : Styles::Control::textColor()));
        auto* bezel = g->renderTree().findImage(pressed ? "kvu-button-down" : "kvu-button");
        ASSERT_NE(bezel, nullptr) << pressed;
        EXPECT_EQ(bezel->frame.size, (CGSize{180, 24})) << "the bezel at its own size";
        EXPECT_NEAR(bezel->frame.midX(), text->frame.midX(), 1e-9) << "centred behind the label";
        EXPECT_NEAR(bezel->frame.midY(), text->frame.midY(), 1e-9);
        EXPECT_EQ(g->renderTree().findImage(pressed ? "kvu-button" : "kvu-button-down"), nullptr);
    }
}

TEST(QuorvaneButtonStyle, TheButtonTakesTwoPointsLessOnEachSide) {
    auto body = QuorvaneButtonStyle().makeBody({label(), false});
    ViewGraph g(AnyView(HStack(VerticalAlignment::center, 0, {body, AnyView(Color::red().frame(10, 10))})), CGSize{400, 80});
    g.update();
    auto* bezel = g.renderTree().findImage("kvu-button");
    auto* neighbour = g.renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::color; });
    ASSERT_NE(bezel, nullptr);
    ASSERT_NE(neighbour, nullptr);
    EXPECT_NEAR(neighbour->frame.minX() - bezel->frame.maxX(), -2, 1e-9) << "the next view starts 2 points inside the bezel";
}

TEST(DefaultTessikButtonStyle, DimsItsLabelOnlyWhenDisabled) {
    for (bool enabled : {true, false}) {
        for (bool pressed : {false, true}) {
            auto body = DefaultTessikButtonStyle().makeBody({label(), pressed});
            ViewGraph g(AnyView(VStack({body}).disabled(!enabled)), CGSize{300, 80});
            g.update();
            auto* text = g.renderTree().findText("Help");
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->font, Font::system(11));
            auto expected = value(pressed ? Styles::Control::highlightedTextColor() : Styles::Control::textColor());
            if (!enabled) expected = expected.withAlpha(expected.alpha() * 0.5);
            EXPECT_EQ(text->color.resolved(), expected) << "enabled " << enabled << ", pressed " << pressed;
            EXPECT_NE(g.renderTree().findImage(pressed ? "kvu-button-down" : "kvu-button"), nullptr);
        }
    }
}

TEST(QuorvaneButtonStyle, AButtonShowsItsPressedLookWhileTheMouseIsDown) {
    bool clicked = false;
    ViewGraph g(AnyView(Button([&] { clicked = true; }, label()).buttonStyle(QuorvaneButtonStyle())), CGSize{300, 80});
    g.update();
    auto* bezel = g.renderTree().findImage("kvu-button");
    ASSERT_NE(bezel, nullptr);
    const CGPoint centre = bezel->frame.center();
    g.mouseDown(centre);
    g.update();
    EXPECT_NE(g.renderTree().findImage("kvu-button-down"), nullptr);
    g.mouseUp(centre);
    g.update();
    EXPECT_TRUE(clicked);
    EXPECT_NE(g.renderTree().findImage("kvu-button"), nullptr);
}

}  // namespace
