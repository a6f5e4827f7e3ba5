#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "AppKit/NSCursor.hpp"
#include "Combine/Sink.hpp"
#include "ControlTestSupport.hpp"
#include "Orrindle/Sliders/TrackingSlider.hpp"

namespace {

using namespace OrrindleTest;
using Orrindle::TrackingSlider;
using AppKit::EventType;

// A container that writes down the scroll events that reach it.
class WheelCatcher : public AppKit::NSView {
    VZ_OBJECT(WheelCatcher, AppKit::NSView)
public:
    std::vector<AppKit::CGFloat> deltas;
    void scrollWheel(const AppKit::NSEvent& e) override { deltas.push_back(e.scrollingDeltaY()); }

protected:
    using AppKit::NSView::NSView;
};

class TrackingSliderTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        AppKit::NSCursor::resetForTesting();
        slider = place(Runtime::make<TrackingSlider>(CGRect{10, 10, 40, 40}));
        receiver = Runtime::make<Receiver>();
        slider->setTarget(receiver);
        slider->setAction(Runtime::Selector("primary:"));
        slider->clicked()->sink([this](std::monostate) { log.push_back("clicked"); }).store(subscriptions);
        slider->onSlideStarted = [this](double v) { log.push_back("started " + std::to_string(v).substr(0, 4)); };
        slider->onSlideComplete = [this](double v) { log.push_back("complete " + std::to_string(v).substr(0, 4)); };
    }
    void TearDown() override {
        AppKit::NSCursor::resetForTesting();
        ControlTest::TearDown();
    }
    // A vertical drag from the slider's middle: `steps` moves of `dy` points each, `dt` seconds
    // apart.
    void dragBy(int steps, double dy, double dt) {
        auto& app = AppKit::NSApplication::shared();
        CGPoint p{20, 20};
        app.postEvent(event(EventType::leftMouseDown, *slider, p, 0.001));
        for (int i = 1; i <= steps; ++i) {
            p.y += dy;
            app.postEvent(event(EventType::leftMouseDragged, *slider, p, 0.001 + i * dt));
        }
        app.postEvent(event(EventType::leftMouseUp, *slider, p, 0.001 + (steps + 0.5) * dt));
        app.processQueuedEvents();
    }
    void scroll(double dx, double dy, bool inverted = false) {
        auto e = AppKit::NSEvent::scrollWheelEvent(slider->convertTo(CGPoint{20, 20}, nullptr), dx, dy, {}, 0, window);
        e->setDirectionInvertedFromDevice(inverted);
        AppKit::NSApplication::shared().postEvent(e);
        AppKit::NSApplication::shared().processQueuedEvents();
    }
    TrackingSlider::Ptr slider;
    std::shared_ptr<Receiver> receiver;
    std::vector<std::string> log;
    std::vector<Combine::AnyCancellable> subscriptions;
};

TEST_F(TrackingSliderTest, ValuesAreClampedTruncatedAndSaturated) {
    struct Row {
        double min, max, set;
        double value;
        int intValue;
    };
    for (auto r : std::vector<Row>{{0, 1, 5, 1.0, 1},
                                   {0, 1, 0.99, 0.99, 0},
                                   {0, 1, -3, 0, 0},
                                   {0, 1, NAN, 0, 0},
                                   {-10, 10, -2.7, -2.7, -2},
                                   // Bounds set one at a time may be reversed for a while.
                                   {5, 1, 3, 3, 3},
                                   {5, 1, 9, 5, 5},
                                   {0, 1e12, 1e11, 1e11, std::numeric_limits<int>::max()},
                                   {-1e12, 0, -1e11, -1e11, std::numeric_limits<int>::min()}}) {
        slider->setMinimumValue(r.min);
        slider->setMaximumValue(r.max);
        slider->setDoubleValue(r.set);
        EXPECT_DOUBLE_EQ(slider->doubleValue(), r.value) << r.set;
        EXPECT_EQ(slider->intValue(), r.intValue) << r.set;
        EXPECT_EQ(slider->integerValue(), std::int64_t(std::trunc(r.value))) << r.set;
    }
    slider->setMinimumValue(0);
    slider->setMaximumValue(1e300);
    slider->setDoubleValue(1e300);
    EXPECT_EQ(slider->integerValue(), std::numeric_limits<std::int64_t>::max());
    EXPECT_TRUE(receiver->log.empty()) << "setting a value sends nothing";
    EXPECT_EQ(TrackingSlider::movementDirection(0), TrackingSlider::MovementDirection::horizontal);
    EXPECT_EQ(TrackingSlider::movementDirection(2), std::nullopt);
}

TEST_F(TrackingSliderTest, AFastDragStepsOncePerUpdateWithinTheRangeAndASlowOneNever) {
    dragBy(30, 0.4, 0.1);  // 4 points a second
    EXPECT_EQ(slider->doubleValue(), 0);
    EXPECT_FALSE(slider->valueWasEdited());
    dragBy(30, 2, 0.1);  // 20 points a second, upwards
    EXPECT_NEAR(slider->doubleValue(), 0.29, 1e-9) << "one step per update after the first";
    slider->setDoubleValue(0.95);
    dragBy(20, 30, 0.1);
    EXPECT_EQ(slider->doubleValue(), 1.0);
    EXPECT_TRUE(slider->valueWasEdited());
    dragBy(200, -30, 0.1);
    EXPECT_EQ(slider->doubleValue(), 0.0);
    // Horizontal sliders follow x alone.
    slider->setHorizontalDirection(true);
    dragBy(10, 30, 0.1);
    EXPECT_EQ(slider->doubleValue(), 0.0);
}

// Only a drag faster than 5 points a second steps: exactly 5 does not. The times and moves are
// binary fractions, so the speed is exactly what the row says.
TEST_F(TrackingSliderTest, ADragMustBeFasterThanFivePointsASecondToStep) {
    struct Row {
        double dy;  // points per quarter second
        double value;
    };
    for (const auto r : {Row{1.25, 0}, Row{-1.25, 0.5}, Row{1.375, 0.03}, Row{-1.375, 0.47}}) {
        slider->setDoubleValue(r.dy < 0 ? 0.5 : 0);
        auto& app = AppKit::NSApplication::shared();
        CGPoint p{20, 20};
        app.postEvent(event(EventType::leftMouseDown, *slider, p, 0.25));
        for (int i = 1; i <= 4; ++i) {
            p.y += r.dy;
            app.postEvent(event(EventType::leftMouseDragged, *slider, p, 0.25 * (i + 1)));
        }
        app.postEvent(event(EventType::leftMouseUp, *slider, p, 1.5));
        app.processQueuedEvents();
        EXPECT_NEAR(slider->doubleValue(), r.value, 1e-9) << r.dy * 4 << " points a second";
    }
}

TEST_F(TrackingSliderTest, APanReportsItsStartAndEndAndTheActionFollowsIsContinuous) {
    slider->setDoubleValue(0.5);
    dragBy(3, 2, 0.1);
    EXPECT_EQ(log, (std::vector<std::string>{"clicked", "started 0.50", "complete 0.52"}));
    EXPECT_EQ(receiver->log.size(), 1u) << "not continuous: once, at the end";
    receiver->log.clear();
    slider->setContinuous(true);
    dragBy(3, 2, 0.1);
    EXPECT_EQ(receiver->log.size(), 3u) << "two steps and the end";
    EXPECT_EQ(receiver->lastSender, slider.get());
}

TEST_F(TrackingSliderTest, ACancelledPanReportsAClickOnly) {
    auto& app = AppKit::NSApplication::shared();
    app.postEvent(event(EventType::leftMouseDown, *slider, {20, 20}, 0.001));
    app.postEvent(event(EventType::leftMouseDragged, *slider, {20, 30}, 0.1));
    app.postEvent(event(EventType::leftMouseDragged, *slider, {20, 40}, 0.2));
    app.processQueuedEvents();
    ASSERT_TRUE(slider->valueWasEdited());
    log.clear();
    slider->panGestureRecognizer()->setEnabled(false);
    EXPECT_EQ(log, (std::vector<std::string>{"clicked"}));
    EXPECT_FALSE(slider->valueWasEdited());
    app.postEvent(event(EventType::leftMouseUp, *slider, {20, 40}, 0.3));
    app.processQueuedEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"clicked"}));
}

TEST_F(TrackingSliderTest, EveryScrollSendsTheActionAndOnlyItsSignCounts) {
    slider->setDoubleValue(0.995);
    scroll(0, 3);
    scroll(0, 40);  // at the end already: sent all the same
    EXPECT_EQ(slider->doubleValue(), 1.0);
    EXPECT_EQ(receiver->log.size(), 2u);
    scroll(0, 3, true);  // natural scrolling: the vertical delta turns round
    EXPECT_NEAR(slider->doubleValue(), 0.99, 1e-9);
    scroll(0, 0);  // the end of a momentum phase
    EXPECT_EQ(receiver->log.size(), 3u);
    slider->setHorizontalDirection(true);
    scroll(-5, 0, true);  // horizontal deltas are never turned round
    EXPECT_NEAR(slider->doubleValue(), 0.98, 1e-9);
    EXPECT_TRUE(log.empty()) << "no closure and no click from the wheel";
}

// The wheel steps the slider and still reaches the views behind it (a scroll view around the
// slider goes on scrolling), also while the slider is disabled.
TEST_F(TrackingSliderTest, TheWheelIsPassedOnToTheViewBehind) {
    auto behind = place(Runtime::make<WheelCatcher>(CGRect{0, 0, 200, 200}));
    slider->removeFromSuperview();
    behind->addSubview(slider);
    scroll(0, 3);
    EXPECT_NEAR(slider->doubleValue(), 0.01, 1e-9);
    slider->setEnabled(false);
    scroll(0, -4);
    EXPECT_EQ(behind->deltas, (std::vector<AppKit::CGFloat>{3, -4}));
}

TEST_F(TrackingSliderTest, ADisabledSliderIgnoresDragsAndScrolls) {
    slider->setEnabled(false);
    dragBy(5, 10, 0.1);
    scroll(0, 5);
    EXPECT_EQ(slider->doubleValue(), 0);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(receiver->log.empty());
}

TEST_F(TrackingSliderTest, ItsCursorShowsWhileThePointerIsOverItAndNothingElseIsPopped) {
    auto& app = AppKit::NSApplication::shared();
    auto move = [&](CGPoint p) {
        app.postEvent(AppKit::NSEvent::mouseEvent(EventType::mouseMoved, p, {}, 0, window));
        app.processQueuedEvents();
    };
    ASSERT_TRUE(slider->trackingArea());
    EXPECT_EQ(slider->trackingArea()->options().rawValue, 0x81u);
    auto other = AppKit::NSCursor::crosshair();
    other->push();
    move({30, 30});
    EXPECT_EQ(AppKit::NSCursor::current(), slider->cursor());
    EXPECT_EQ(slider->cursor()->hotSpot(), (CGPoint{3, 4}));
    move({300, 200});
    EXPECT_EQ(AppKit::NSCursor::current(), other);
    // An exit without an entry, and removal while hovered, leave the other cursor in place.
    slider->mouseExited(*AppKit::NSEvent::mouseEvent(EventType::mouseExited, {}, {}, 0, window));
    EXPECT_EQ(AppKit::NSCursor::current(), other);
    move({30, 30});
    slider->removeFromSuperview();
    EXPECT_EQ(AppKit::NSCursor::current(), other);
    // Bounds changes replace the one area.
    slider->setFrameSize({60, 60});
    EXPECT_EQ(slider->trackingAreas().size(), 1u);
    EXPECT_FALSE(slider->acceptsFirstResponder());
    EXPECT_FALSE(slider->mouseDownCanMoveWindow());
}

}  // namespace
