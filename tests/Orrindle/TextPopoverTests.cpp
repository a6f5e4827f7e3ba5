#include <gtest/gtest.h>

#include "AppKit/NSAppearance.hpp"
#include "ControlTestSupport.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "Orrindle/Popovers/SimpleTextViewPopover.hpp"
#include "Orrindle/Styles/Styles.hpp"

namespace {

using namespace OrrindleTest;
using Orrindle::SimpleTextViewPopoverController;
using AppKit::NSRectEdge;

class TextPopover : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        controller = Runtime::make<SimpleTextViewPopoverController>();
        anchor = place(Runtime::make<AppKit::NSView>(CGRect{100, 100, 80, 20}));
    }
    std::shared_ptr<SimpleTextViewPopoverController> controller;
    AppKit::NSView::Ptr anchor;
};

TEST_F(TextPopover, IsSizedToItsTextPlusPaddingAndShowsAllOfIt) {
    auto popover = controller->popover();
    EXPECT_TRUE(popover->animates());
    EXPECT_EQ(popover->behavior(), AppKit::NSPopover::Behavior::applicationDefined);
    EXPECT_EQ(popover->appearance(), AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
    EXPECT_FALSE(popover->contentTextField()->isEditable());

    controller->show(std::nullopt, anchor, NSRectEdge::maxY);
    EXPECT_EQ(popover->contentTextField()->stringValue(), "");
    const auto empty = popover->contentTextField()->intrinsicContentSize();
    EXPECT_EQ(popover->contentSize(), (AppKit::CGSize{empty.width + 20, empty.height + 12}));

    controller->show("Must be between 1 and 16", anchor, NSRectEdge::maxY);
    const auto text = popover->contentTextField()->intrinsicContentSize();
    EXPECT_GT(text.width, 60);
    EXPECT_EQ(popover->contentSize(), (AppKit::CGSize{text.width + 20, text.height + 12}));
    // The field gets all the room its text needs, inside the padding.
    EXPECT_EQ(popover->contentTextField()->frame(), (CGRect{10, 6, text.width, text.height}));
    // Above the view, centred on it, in screen coordinates.
    auto shown = popover->popoverWindow();
    ASSERT_TRUE(shown);
    const CGRect anchorOnScreen{window->frame().minX() + 100, window->contentRect(window->frame()).minY() + 100, 80, 20};
    EXPECT_EQ(shown->frame().minY(), anchorOnScreen.maxY());
    EXPECT_DOUBLE_EQ(shown->frame().midX(), anchorOnScreen.midX());
    EXPECT_FALSE(shown->isKeyWindow());
    EXPECT_TRUE(window->isKeyWindow());
}

// The message in the popover style's font and colour, the small system font in "Grey 85%",
// as it is drawn, on the style's dark background.
TEST_F(TextPopover, TheMessageIsInThePopoverStylesFontAndColour) {
    auto popover = controller->popover();
    const auto style = popover->style();
    EXPECT_EQ(style->font(), Orrindle::Styles::BaseStyles::normalFont());
    ASSERT_TRUE(style->textColor());
    EXPECT_EQ(style->textColor()->name(), "Grey 85%");
    EXPECT_EQ(style->backgroundColor()->name(), "Background/Normal");
    EXPECT_EQ(style->padding(), (AppKit::CGSize{10, 6}));
    EXPECT_EQ(popover->contentTextField()->font(), style->font());
    EXPECT_EQ(popover->contentTextField()->textColor(), style->textColor());

    controller->show("Must be between 1 and 16", anchor, NSRectEdge::maxY);
    auto shown = popover->popoverWindow();
    ASSERT_TRUE(shown);
    CoreGraphics::CGContext ctx(shown->frame().size, false);
    {
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        shown->contentView()->displayInCurrentContext();
    }
    const CoreGraphics::Op::Text* message = nullptr;
    for (const auto* t : ctx.displayList().all<CoreGraphics::Op::Text>())
        if (t->text.string() == "Must be between 1 and 16") message = t;
    ASSERT_NE(message, nullptr) << "the message is drawn";
    ASSERT_EQ(message->text.runs.size(), 1u);
    EXPECT_EQ(message->text.runs[0].font, Orrindle::Styles::BaseStyles::normalFont()->font());
    EXPECT_EQ(message->text.runs[0].color, style->textColor()->cgColor());
}

TEST_F(TextPopover, ShowingAgainMovesAndRefitsAnOpenPopover) {
    auto popover = controller->popover();
    controller->show("short", anchor, NSRectEdge::maxY);
    const auto first = popover->contentSize();
    auto other = place(Runtime::make<AppKit::NSView>(CGRect{250, 50, 40, 20}));
    controller->show("a much longer message than before", other, NSRectEdge::minY);
    EXPECT_TRUE(popover->isShown());
    EXPECT_GT(popover->contentSize().width, first.width);
    EXPECT_EQ(popover->currentPositioningView(), other);
    EXPECT_EQ(popover->shownEdge(), NSRectEdge::minY);
    EXPECT_EQ(popover->popoverWindow()->frame().maxY(), window->contentRect(window->frame()).minY() + 50) << "below";
}

TEST_F(TextPopover, ClosesOnlyWhenToldAndNeverKeepsItsViewAlive) {
    auto popover = controller->popover();
    controller->show("Invalid", anchor, NSRectEdge::maxX);
    click(*window->contentView());  // a click elsewhere
    EXPECT_TRUE(popover->isShown());
    controller->close();
    EXPECT_FALSE(popover->isShown());
    EXPECT_EQ(popover->currentPositioningView(), nullptr);

    controller->show("Invalid", anchor, NSRectEdge::maxX);
    ASSERT_EQ(popover->currentPositioningView(), anchor);
    anchor->removeFromSuperview();
    anchor.reset();
    EXPECT_EQ(popover->currentPositioningView(), nullptr);
    // A refresh of the text while open keeps size and place.
    const auto size = popover->contentSize();
    popover->contentTextField()->setStringValue("Still invalid");
    EXPECT_EQ(popover->contentSize(), size);
    popover->close();
    EXPECT_FALSE(popover->isShown());
}

}  // namespace
