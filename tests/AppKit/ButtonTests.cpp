#include <gtest/gtest.h>

#include "AppKit/NSButton.hpp"
#include "AppKitTestSupport.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "Dispatch/Timer.hpp"
#include "TestSupport/FatalErrorCapture.hpp"

using namespace AppKit;
using Mask = NSCellStyleMask;
using CoreGraphics::CGContext;

namespace {

class Receiver : public Runtime::NSObject {
    VZ_OBJECT(Receiver, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("press:", &Receiver::press)};
    }
    void press(Runtime::NSObject*) { ++presses; }
    int presses = 0;
};

class ButtonTest : public AppKitTest::AppKitTest {
protected:
    void SetUp() override {
        AppKitTest::SetUp();
        window = NSWindow::make({0, 0, 200, 100});
        button = Runtime::make<NSButton>(CGRect{20, 20, 100, 30});
        window->contentView()->addSubview(button);
        receiver = Runtime::make<Receiver>();
        button->setTarget(receiver);
        button->setAction("press:");
        window->makeKeyAndOrderFront();
    }
    // A press and release at window points, delivered.
    void click(CGPoint down, CGPoint up) {
        auto& app = NSApplication::shared();
        app.postEvent(mouse(EventType::leftMouseDown, down, window));
        app.postEvent(mouse(EventType::leftMouseUp, up, window));
        app.processQueuedEvents();
    }
    // What the cell draws in a frame of the button's size.
    CoreGraphics::DisplayList drawCell(NSButtonCell& cell, CGRect frame) {
        CGContext ctx({200, 100}, true);
        CGContext::CurrentScope scope(&ctx);
        cell.draw(frame, *button);
        return ctx.takeDisplayList();
    }

    NSWindow::Ptr window;
    NSButton::Ptr button;
    std::shared_ptr<Receiver> receiver;
};

TEST_F(ButtonTest, ButtonTypesSetTheMasksOfThePlatform) {
    struct Row {
        NSButtonType type;
        Mask highlights, shows;
        bool bordered;
    };
    const Row rows[] = {
        {NSButtonType::momentaryPushIn, Mask::pushIn() | Mask::changeGray(), Mask::none(), true},
        {NSButtonType::momentaryLight, Mask::changeBackground(), Mask::none(), true},
        {NSButtonType::momentaryChange, Mask::contents(), Mask::none(), true},
        {NSButtonType::pushOnPushOff, Mask::pushIn() | Mask::changeGray(), Mask::changeBackground(), true},
        {NSButtonType::onOff, Mask::changeBackground(), Mask::changeBackground(), true},
        {NSButtonType::toggle, Mask::pushIn() | Mask::contents(), Mask::contents(), true},
        {NSButtonType::switch_, Mask::contents(), Mask::contents(), false},
        {NSButtonType::radio, Mask::contents(), Mask::contents(), false},
    };
    for (const auto& row : rows) {
        auto b = Runtime::make<NSButton>(CGRect{0, 0, 80, 24});
        b->setButtonType(row.type);
        auto cell = b->buttonCell();
        EXPECT_EQ(cell->highlightsBy(), row.highlights) << int(row.type);
        EXPECT_EQ(cell->showsStateBy(), row.shows) << int(row.type);
        EXPECT_EQ(b->isBordered(), row.bordered) << int(row.type);
    }
    auto plain = Runtime::make<NSButton>(CGRect{});
    EXPECT_EQ(plain->title(), "Button");
    EXPECT_EQ(plain->bezelStyle(), NSBezelStyle::push);
    EXPECT_TRUE(plain->isFlipped());
    EXPECT_EQ(plain->imagePosition(), NSCellImagePosition::noImage);
}

TEST_F(ButtonTest, AClickMovesTheStateOnlyOfAButtonThatShowsItsState) {
    // A momentary button keeps its state; the action still goes out.
    click({30, 30}, {40, 35});
    EXPECT_EQ(button->state(), NSControlStateValue::off);
    EXPECT_EQ(receiver->presses, 1);

    button->setButtonType(NSButtonType::toggle);
    click({30, 30}, {40, 35});
    EXPECT_EQ(button->state(), NSControlStateValue::on);
    click({30, 30}, {40, 35});
    EXPECT_EQ(button->state(), NSControlStateValue::off);
    // Released outside: no state change, no action.
    click({30, 30}, {150, 90});
    EXPECT_EQ(button->state(), NSControlStateValue::off);
    EXPECT_EQ(receiver->presses, 3);

    button->setAllowsMixedState(true);
    std::vector<NSControlStateValue> seen;
    for (int i = 0; i < 3; ++i) {
        button->performClick();
        seen.push_back(button->state());
    }
    // The platform's order with three states: on, off, mixed, on.
    EXPECT_EQ(seen, (std::vector{NSControlStateValue::mixed, NSControlStateValue::on, NSControlStateValue::off}));
    EXPECT_FALSE(button->isHighlighted());
}

TEST_F(ButtonTest, TheImageAndTitleShareTheDrawingRectangleByPosition) {
    auto cell = button->buttonCell();
    cell->setBordered(false);
    cell->setImage(NSImage::withSize({10, 8}));
    const CGRect frame{0, 0, 100, 30};
    struct Row {
        NSCellImagePosition position;
        CGRect image, title;
    };
    // NSButton is flipped: "above" is the low y edge.
    const Row rows[] = {
        {NSCellImagePosition::noImage, {50, 15, 0, 0}, {0, 0, 100, 30}},
        {NSCellImagePosition::imageOnly, {45, 11, 10, 8}, {50, 15, 0, 0}},
        {NSCellImagePosition::imageOverlaps, {45, 11, 10, 8}, {0, 0, 100, 30}},
        {NSCellImagePosition::imageLeft, {0, 11, 10, 8}, {14, 0, 86, 30}},
        {NSCellImagePosition::imageLeading, {0, 11, 10, 8}, {14, 0, 86, 30}},
        {NSCellImagePosition::imageRight, {90, 11, 10, 8}, {0, 0, 86, 30}},
        {NSCellImagePosition::imageAbove, {45, 0, 10, 8}, {0, 12, 100, 18}},
        {NSCellImagePosition::imageBelow, {45, 22, 10, 8}, {0, 0, 100, 18}},
    };
    for (const auto& row : rows) {
        cell->setImagePosition(row.position);
        EXPECT_EQ(cell->imageRect(frame), row.image) << int(row.position);
        EXPECT_EQ(cell->titleRect(frame), row.title) << int(row.position);
    }
}

TEST_F(ButtonTest, ImageScalingFitsALargeImageOrKeepsIt) {
    auto cell = button->buttonCell();
    cell->setBordered(false);
    cell->setImage(NSImage::withSize({40, 20}));
    cell->setImagePosition(NSCellImagePosition::imageOnly);
    const CGRect frame{0, 0, 20, 20};
    struct Row {
        NSImageScaling scaling;
        CGSize size;
    };
    const Row rows[] = {{NSImageScaling::scaleProportionallyDown, {20, 10}},
                        {NSImageScaling::scaleProportionallyUpOrDown, {20, 10}},
                        {NSImageScaling::scaleAxesIndependently, {20, 20}},
                        {NSImageScaling::scaleNone, {40, 20}}};
    for (const auto& row : rows) {
        cell->setImageScaling(row.scaling);
        EXPECT_EQ(cell->imageRect(frame).size, row.size) << int(row.scaling);
    }
    // A small image is not blown up by "proportionally down", but is by "up or down".
    cell->setImage(NSImage::withSize({5, 5}));
    cell->setImageScaling(NSImageScaling::scaleProportionallyDown);
    EXPECT_EQ(cell->imageRect(frame).size, (CGSize{5, 5}));
    cell->setImageScaling(NSImageScaling::scaleProportionallyUpOrDown);
    EXPECT_EQ(cell->imageRect(frame).size, (CGSize{20, 20}));
}

TEST_F(ButtonTest, TheInteriorShowsTheAlternateContentWhileOnOrPressedByTheMasks) {
    auto cell = button->buttonCell();
    cell->setImage(NSImage::withSize({8, 8}));
    cell->setAlternateImage(NSImage::withSize({9, 9}));
    cell->setAlternateTitle("On");
    cell->setImagePosition(NSCellImagePosition::imageLeft);
    cell->setButtonType(NSButtonType::toggle);
    EXPECT_EQ(cell->imageToDisplay(), cell->image());
    EXPECT_EQ(cell->titleToDisplay(), "Button");
    cell->setState(NSControlStateValue::on);
    EXPECT_EQ(cell->imageToDisplay(), cell->alternateImage());
    EXPECT_EQ(cell->titleToDisplay(), "On");
    // A momentary-change button shows it while pressed only.
    cell->setButtonType(NSButtonType::momentaryChange);
    EXPECT_EQ(cell->imageToDisplay(), cell->image());
    cell->setHighlighted(true);
    EXPECT_EQ(cell->imageToDisplay(), cell->alternateImage());

    // Image only: no title drawn; no image position: no image drawn.
    cell->setHighlighted(false);
    cell->setImagePosition(NSCellImagePosition::imageOnly);
    auto list = drawCell(*cell, {0, 0, 100, 30});
    EXPECT_EQ(list.all<CoreGraphics::Op::Image>().size(), 1u);
    EXPECT_TRUE(list.texts().empty());
    cell->setImagePosition(NSCellImagePosition::noImage);
    list = drawCell(*cell, {0, 0, 100, 30});
    EXPECT_TRUE(list.all<CoreGraphics::Op::Image>().empty());
    EXPECT_EQ(list.texts(), (std::vector<std::string>{"Button"}));
}

TEST_F(ButtonTest, RawValuesFromOutsideAreCheckedWhereTheyEnter) {
    EXPECT_EQ(buttonType(3), NSButtonType::switch_);
    EXPECT_EQ(buttonType(10), std::nullopt);
    EXPECT_EQ(bezelStyle(6), NSBezelStyle::shadowlessSquare);
    EXPECT_EQ(bezelStyle(3), std::nullopt);
    EXPECT_EQ(bezelStyle(0), std::nullopt);
    EXPECT_EQ(imagePosition(8), NSCellImagePosition::imageTrailing);
    EXPECT_EQ(imagePosition(9), std::nullopt);
    EXPECT_EQ(imageScaling(3), NSImageScaling::scaleProportionallyUpOrDown);
    EXPECT_EQ(imageScaling(4), std::nullopt);
}

// nextEvent(matching:until:inMode:dequeue:) on virtual time.
class NextEventTest : public AppKitTest::AppKitTest {
protected:
    void SetUp() override {
        AppKitTest::SetUp();
        window = NSWindow::make({0, 0, 100, 100});
    }
    std::shared_ptr<NSEvent> up(double at) {
        return NSEvent::mouseEvent(EventType::leftMouseUp, {5, 5}, {}, at, window);
    }
    double now() const { return Dispatch::Clock::shared().now(); }
    NSWindow::Ptr window;
};

TEST_F(NextEventTest, WithNothingQueuedTheClockRunsToTheDeadlineFiringTimers) {
    const double start = now();
    int fired = 0;
    auto timer = Dispatch::Timer::scheduledTimer(0.2, false, [&](Dispatch::Timer&) { ++fired; });
    auto e = window->nextEvent(EventTypeMask::leftMouseUp(), start + 0.5, Dispatch::RunLoop::Mode::defaultMode, false);
    EXPECT_EQ(e, nullptr);
    EXPECT_DOUBLE_EQ(now(), start + 0.5);
    EXPECT_EQ(fired, 1);
}

TEST_F(NextEventTest, AQueuedEventArrivesAtItsTimestampIfThatIsNotAfterTheDeadline) {
    auto& app = NSApplication::shared();
    const double start = now();
    app.postEvent(up(start + 0.3));
    auto e = window->nextEvent(EventTypeMask::leftMouseUp(), start + 0.5, Dispatch::RunLoop::Mode::defaultMode, false);
    ASSERT_NE(e, nullptr);
    EXPECT_DOUBLE_EQ(now(), start + 0.3);
    EXPECT_EQ(app.queuedEventCount(), 1u) << "not dequeued";
    // One stamped after the deadline has not happened by then.
    app.discardEvents(EventTypeMask::any());
    app.postEvent(up(now() + 0.8));
    EXPECT_EQ(window->nextEvent(EventTypeMask::leftMouseUp(), now() + 0.5, Dispatch::RunLoop::Mode::defaultMode, true), nullptr);
    EXPECT_EQ(app.queuedEventCount(), 1u);
    // An unstamped event is already there, and dequeuing takes it.
    app.discardEvents(EventTypeMask::any());
    app.postEvent(up(0));
    EXPECT_NE(window->nextEvent(EventTypeMask::leftMouseUp(), now() + 0.5, Dispatch::RunLoop::Mode::defaultMode, true), nullptr);
    EXPECT_EQ(app.queuedEventCount(), 0u);
}

TEST_F(NextEventTest, WaitingForEverOnAnEmptyQueueFailsLoudly) {
    TestSupport::CaptureFatalErrors capture;
    EXPECT_THROW(window->nextEvent(EventTypeMask::leftMouseUp(), std::numeric_limits<double>::infinity(),
                                   Dispatch::RunLoop::Mode::defaultMode, true),
                 TestSupport::FatalErrorThrown);
}

}  // namespace
