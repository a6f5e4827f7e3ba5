#include <gtest/gtest.h>

#include "ControlTestSupport.hpp"
#include "AppKit/CALayer.hpp"
#include "AppKit/NSPopUpButton.hpp"
#include "Orrindle/Buttons/CursorButton.hpp"
#include "Orrindle/Buttons/DarkHighlightButton.hpp"
#include "Orrindle/Buttons/PopUpCyclingButton.hpp"
#include "Orrindle/Buttons/PopUpCyclingButtonCell.hpp"

namespace {

using namespace Orrindle;
using namespace OrrindleTest;
using AppKit::EventType;
using AppKit::NSCursor;

class CursorButtonTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        NSCursor::resetForTesting();
        button = place(Runtime::make<CursorButton>(CGRect{40, 40, 60, 24}));
    }
    void TearDown() override {
        NSCursor::resetForTesting();
        ControlTest::TearDown();
    }
    // The pointer moved to a point of the window.
    void moveTo(CGPoint p) { window->sendEvent(AppKit::NSEvent::mouseEvent(EventType::mouseMoved, p, {}, 0, window)); }
    std::shared_ptr<CursorButton> button;
};

TEST_F(CursorButtonTest, TheCursorTakesANewHotSpotOnlyWithANewImage) {
    // The application's "cursor-cycle" is not in the test program's bundle: the arrow stands in.
    EXPECT_EQ(button->cursorImage(), nullptr);
    EXPECT_EQ(button->cursor(), NSCursor::arrow());
    auto image = AppKit::NSImage::withSize({16, 16});
    button->setCursorImage(image);
    EXPECT_EQ(button->cursor()->image(), image);
    EXPECT_EQ(button->cursor()->hotSpot(), (CGPoint{3, 4}));
    button->setCursorHotSpot({8, 8});
    EXPECT_EQ(button->cursor()->hotSpot(), (CGPoint{3, 4})) << "the old hot spot until the image is set";
    button->setCursorImage(image);
    EXPECT_EQ(button->cursor()->hotSpot(), (CGPoint{8, 8}));
}

TEST_F(CursorButtonTest, OneTrackingAreaOfItsOwnCoversTheBoundsAfterAResize) {
    ASSERT_EQ(button->trackingAreas().size(), 1u) << "made when it moved into the window";
    button->setFrameSize({90, 30});
    ASSERT_EQ(button->trackingAreas().size(), 1u);
    EXPECT_EQ(button->trackingAreas()[0], button->trackingArea());
    EXPECT_EQ(button->trackingArea()->rect(), (CGRect{0, 0, 90, 30}));
    EXPECT_EQ(button->trackingArea()->options().rawValue, 0x81u);
}

TEST_F(CursorButtonTest, EnteringPushesTheCursorAndLeavingPopsOnlyWhatWasPushed) {
    button->setCursorImage(AppKit::NSImage::withSize({16, 16}));
    auto other = NSCursor::make(AppKit::NSImage::withSize({8, 8}), {0, 0});
    other->push();
    moveTo({50, 50});
    EXPECT_EQ(NSCursor::current(), button->cursor());
    EXPECT_EQ(NSCursor::stackDepth(), 2u);
    moveTo({5, 5});
    EXPECT_EQ(NSCursor::current(), other);
    // An exit without an entry pops nothing of anyone else's.
    button->mouseExited(*AppKit::NSEvent::mouseEvent(EventType::mouseExited, {5, 5}, {}, 0, window));
    EXPECT_EQ(NSCursor::stackDepth(), 1u);

    // Taken out of the window, or hidden, while the pointer is over it: its cursor goes.
    moveTo({50, 50});
    EXPECT_EQ(NSCursor::stackDepth(), 2u);
    button->removeFromSuperview();
    EXPECT_EQ(NSCursor::current(), other);
    place(button);
    moveTo({5, 5});
    moveTo({50, 50});
    button->setHidden(true);
    EXPECT_EQ(NSCursor::current(), other);
}

TEST_F(CursorButtonTest, AClickInAnInactiveWindowActsAtOnce) {
    auto receiver = Runtime::make<Receiver>();
    button->setTarget(receiver);
    button->setAction("primary:");
    auto front = AppKit::NSWindow::make({0, 0, 50, 50});
    front->makeKeyAndOrderFront();
    ASSERT_FALSE(window->isKeyWindow());
    click(*button);
    EXPECT_TRUE(window->isKeyWindow());
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"primary"}));
}

TEST_F(CursorButtonTest, TheDarkHighlightButtonsCursorCoversItsBounds) {
    auto dark = place(Runtime::make<DarkHighlightButton>(CGRect{200, 40, 40, 40}));
    auto hand = NSCursor::pointingHand();
    dark->setCustomCursor(hand);
    moveTo({210, 50});
    EXPECT_EQ(NSCursor::current(), hand);
    moveTo({300, 200});
    EXPECT_EQ(NSCursor::current(), NSCursor::arrow());
    // A new cursor waits for the rectangles to be rebuilt.
    dark->setCustomCursor(NSCursor::crosshair());
    moveTo({210, 50});
    EXPECT_EQ(NSCursor::current(), hand);
    window->invalidateCursorRects(dark.get());
    moveTo({211, 50});
    EXPECT_EQ(NSCursor::current(), NSCursor::crosshair());
}

TEST_F(CursorButtonTest, TheDarkHighlightImageDimsWhenPressedOrDisabled) {
    auto dark = place(Runtime::make<DarkHighlightButton>(CGRect{200, 40, 40, 40}));
    dark->setImage(AppKit::NSImage::withSize({16, 16}));
    dark->setImagePosition(AppKit::NSCellImagePosition::imageOnly);
    auto fraction = [&] {
        const auto list = drawn(*dark);
        return images(list).at(0)->fraction;
    };
    EXPECT_EQ(fraction(), 1);
    dark->setEnabled(false);
    EXPECT_EQ(fraction(), 0.5);
    dark->setEnabled(true);
    dark->cell()->setHighlighted(true);
    EXPECT_EQ(fraction(), 0.5);
}

// A pop-up that writes down which way it was told to move.
class Cycled : public AppKit::NSPopUpButton {
    VZ_OBJECT(Cycled, AppKit::NSPopUpButton)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("selectNextItem:", &Cycled::next), Runtime::action("selectPreviousItem:", &Cycled::previous)};
    }
    void next(Runtime::NSObject*) { moves.push_back("next"); }
    void previous(Runtime::NSObject*) { moves.push_back("previous"); }
    std::vector<std::string> moves;

protected:
    using AppKit::NSPopUpButton::NSPopUpButton;
};

// The cycling button moves its pop-up target whatever its own action; Shift moves it back. With
// a target that is no pop-up it is a plain button.
TEST_F(CursorButtonTest, TheCyclingButtonMovesItsPopUpAndIsPlainOtherwise) {
    auto cycling = place(Runtime::make<PopUpCyclingButton>(CGRect{200, 40, 60, 24}));
    EXPECT_EQ(cycling->imagePosition(), AppKit::NSCellImagePosition::imageTrailing);
    auto popUp = place(Runtime::make<Cycled>(CGRect{200, 80, 80, 24}, false));
    cycling->setTarget(popUp);
    cycling->setAction("primary:");
    click(*cycling);
    AppKit::NSEvent::setModifierFlags(AppKit::ModifierFlags::shift());
    click(*cycling, AppKit::ModifierFlags::shift());
    AppKit::NSEvent::setModifierFlags({});
    EXPECT_EQ(popUp->moves, (std::vector<std::string>{"next", "previous"}));

    auto receiver = Runtime::make<Receiver>();
    cycling->setTarget(receiver);
    click(*cycling);
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"primary"}));
}

// Records the opacity of its sender's layer at each action.
class OpacityProbe : public Runtime::NSObject {
    VZ_OBJECT(OpacityProbe, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("primary:", &OpacityProbe::primary)};
    }
    void primary(Runtime::NSObject* sender) { seen.push_back(dynamic_cast<AppKit::NSView&>(*sender).layer()->opacity()); }
    std::vector<float> seen;
};

// A press dims a layer-backed cursor button, the cycling one too, to half opacity until the
// release, in place of the platform's highlight; without a layer a press shows nothing.
TEST_F(CursorButtonTest, APressDimsTheButtonsLayerToHalfOpacity) {
    auto cycling = place(Runtime::make<PopUpCyclingButton>(CGRect{200, 40, 60, 24}));
    auto layersOf = [&](AppKit::NSView& v) {
        std::vector<double> alphas;
        const auto list = drawn(v);
        for (auto* l : list.all<Op::BeginLayer>()) alphas.push_back(l->alpha);
        return alphas;
    };
    for (AppKit::NSButton* b : {static_cast<AppKit::NSButton*>(button.get()), static_cast<AppKit::NSButton*>(cycling.get())}) {
        b->setWantsLayer(true);
        auto probe = Runtime::make<OpacityProbe>();
        b->setTarget(probe);
        b->setAction("primary:");
        b->cell()->setContinuous(true);  // an action while pressed, and the last one after the release
        click(*b);
        EXPECT_EQ(probe->seen, (std::vector<float>{0.5f, 1.0f}));
        EXPECT_FALSE(b->cell()->isHighlighted()) << "not the platform's highlight";
        b->highlight(true);
        EXPECT_EQ(layersOf(*b), std::vector<double>{0.5}) << "the pressed button is drawn at half opacity";
        b->highlight(false);
        EXPECT_TRUE(layersOf(*b).empty());
    }
    auto plain = place(Runtime::make<CursorButton>(CGRect{40, 100, 60, 24}));
    plain->highlight(true);
    EXPECT_EQ(plain->layer(), nullptr);
    EXPECT_TRUE(layersOf(*plain).empty());
    EXPECT_FALSE(plain->cell()->isHighlighted());
}

TEST_F(CursorButtonTest, TheCyclingCellKeepsADisabledImageOpaque) {
    auto cycling = place(Runtime::make<PopUpCyclingButton>(CGRect{200, 40, 60, 24}));
    cycling->setCell(Runtime::make<PopUpCyclingButtonCell>());
    cycling->setImage(AppKit::NSImage::withSize({16, 16}));
    cycling->setImagePosition(AppKit::NSCellImagePosition::imageOnly);
    auto fraction = [&] {
        const auto list = drawn(*cycling);
        return images(list).at(0)->fraction;
    };
    cycling->setEnabled(false);
    EXPECT_EQ(fraction(), 1);
    cycling->setEnabled(true);
    cycling->cell()->setHighlighted(true);
    EXPECT_EQ(fraction(), 0.5);
}

}  // namespace
