#include <gtest/gtest.h>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSBeep.hpp"
#include "AppKit/NSTrackingArea.hpp"
#include "AppKitTestSupport.hpp"
#include "TestSupport/FatalErrorCapture.hpp"

using namespace AppKit;
using AppKitTest::RecordingView;

namespace {

class EventRoutingTest : public AppKitTest::AppKitTest {
protected:
    void SetUp() override {
        AppKitTest::SetUp();
        window = NSWindow::make({100, 100, 200, 100});
        left = make("left", {0, 0, 100, 100});
        right = make("right", {100, 0, 100, 100});
        inner = make("inner", {10, 10, 30, 30});
        right->addSubview(inner);
        window->contentView()->addSubview(left);
        window->contentView()->addSubview(right);
        window->makeKeyAndOrderFront();
    }
    std::shared_ptr<RecordingView> make(const std::string& name, CGRect frame) {
        auto v = Runtime::make<RecordingView>(frame);
        v->name = name;
        v->log = &log;
        return v;
    }
    NSWindow::Ptr window;
    std::shared_ptr<RecordingView> left, right, inner;
    std::vector<std::string> log;
};

TEST_F(EventRoutingTest, HitTestFindsTheDeepestFrontmostViewWithPlatformEdges) {
    struct Case { CGPoint p; const NSView* expected; };
    const Case cases[] = {
        {{50, 50}, left.get()},
        {{115, 15}, inner.get()},
        {{150, 80}, right.get()},
        {{100, 50}, right.get()},  // the left edge belongs to the view
        {{99.5, 50}, left.get()},
        {{50, 100}, left.get()},   // unflipped: the top edge is inside ...
        {{50, 0}, nullptr},                 // ... the bottom edge is not
    };
    for (auto& c : cases) EXPECT_EQ(window->hitTest(c.p).get(), c.expected) << c.p.x << "," << c.p.y;
    inner->setHidden(true);
    EXPECT_EQ(window->hitTest({115, 15}).get(), right.get());
}

TEST_F(EventRoutingTest, TheViewHitOnMouseDownGetsTheDragsAndTheUpWherever) {
    auto& app = NSApplication::shared();
    app.postEvent(mouse(EventType::leftMouseDown, {20, 20}, window));
    app.postEvent(mouse(EventType::leftMouseDragged, {150, 50}, window));
    app.postEvent(mouse(EventType::leftMouseUp, {180, 90}, window));
    app.postEvent(mouse(EventType::leftMouseDown, {150, 50}, window));
    EXPECT_EQ(app.processQueuedEvents(), 4u);
    EXPECT_EQ(log, (std::vector<std::string>{"left down @20,20", "left dragged @150,50", "left up @180,90",
                                             "right down @50,50"}));
    EXPECT_EQ(window->mouseCaptureView(), right);
    EXPECT_EQ(NSEvent::pressedMouseButtons(), 1u);
}

TEST_F(EventRoutingTest, UnhandledEventsTravelUpTheResponderChain) {
    // `inner` does not override right-mouse methods: the event goes to its superview, then on.
    auto plain = Runtime::make<NSView>(CGRect{0, 0, 10, 10});
    inner->addSubview(plain);
    window->sendEvent(mouse(EventType::leftMouseDown, {112, 12}, window));
    EXPECT_EQ(log, (std::vector<std::string>{"inner down @2,2"}));
    EXPECT_EQ(plain->nextResponder(), inner);
    EXPECT_EQ(window->contentView()->nextResponder(), window);
}

TEST_F(EventRoutingTest, KeysGoToTheFirstResponderAndFallBackToTheWindowChain) {
    left->acceptsFocus = true;
    window->sendEvent(mouse(EventType::leftMouseDown, {20, 20}, window));  // focuses `left`
    window->sendEvent(key("a", window));
    ASSERT_EQ(window->firstResponder(), left);
    EXPECT_EQ(log.back(), "left key a");

    ASSERT_TRUE(window->makeFirstResponder(nullptr));
    EXPECT_EQ(window->firstResponder(), window);
    int beeps = beepCount();
    window->sendEvent(key("b", window));
    EXPECT_EQ(beepCount(), beeps + 1);  // nobody handled it
}

TEST_F(EventRoutingTest, FirstResponderChangesAskTheOldOneThenTheNewOne) {
    left->acceptsFocus = right->acceptsFocus = true;
    ASSERT_TRUE(window->makeFirstResponder(left));
    ASSERT_TRUE(window->makeFirstResponder(right));
    EXPECT_EQ(log, (std::vector<std::string>{"left become", "left resign", "right become"}));

    log.clear();
    right->refusesResign = true;
    EXPECT_FALSE(window->makeFirstResponder(left));
    EXPECT_EQ(window->firstResponder(), right);
    EXPECT_EQ(log, (std::vector<std::string>{"right resign"}));

    right->refusesResign = false;
    inner->acceptsFocus = false;
    log.clear();
    EXPECT_FALSE(window->makeFirstResponder(inner));  // refuses: the window takes it
    EXPECT_EQ(window->firstResponder(), window);
    EXPECT_EQ(log, (std::vector<std::string>{"right resign"}));
}

TEST_F(EventRoutingTest, RemovingTheFirstResponderFromTheWindowClearsIt) {
    left->acceptsFocus = true;
    ASSERT_TRUE(window->makeFirstResponder(left));
    left->removeFromSuperview();
    EXPECT_EQ(window->firstResponder(), window);
}

TEST_F(EventRoutingTest, ActivatingClickReachesTheViewOnlyWhenItAcceptsFirstMouse) {
    auto other = NSWindow::make({400, 100, 100, 100});
    other->makeKeyAndOrderFront();
    ASSERT_FALSE(window->isKeyWindow());
    window->sendEvent(mouse(EventType::leftMouseDown, {20, 20}, window));
    EXPECT_TRUE(window->isKeyWindow());
    EXPECT_TRUE(log.empty());

    other->makeKeyAndOrderFront();
    left->firstMouse = true;
    window->sendEvent(mouse(EventType::leftMouseDown, {20, 20}, window));
    EXPECT_EQ(log, (std::vector<std::string>{"left down @20,20"}));
}

// A view with a tracking loop that pulls its own drags, as controls do.
class TrackingView : public NSView {
    VZ_OBJECT(TrackingView, NSView)
public:
    std::vector<CGPoint> points;
    void mouseDown(const NSEvent& e) override {
        points.push_back(e.locationInWindow());
        auto w = window();
        for (;;) {
            auto next = w->nextEvent(EventTypeMask::leftMouseDragged() | EventTypeMask::leftMouseUp());
            points.push_back(next->locationInWindow());
            if (next->type() == EventType::leftMouseUp) break;
        }
    }

protected:
    using NSView::NSView;
};

TEST_F(EventRoutingTest, TrackingLoopsPullQueuedEventsAndLeaveTheRest) {
    auto tracker = Runtime::make<TrackingView>(CGRect{0, 0, 50, 50});
    left->addSubview(tracker);
    auto& app = NSApplication::shared();
    app.postEvent(mouse(EventType::leftMouseDown, {5, 5}, window));
    app.postEvent(mouse(EventType::leftMouseDragged, {6, 7}, window));
    app.postEvent(key("x", window));
    app.postEvent(mouse(EventType::leftMouseUp, {8, 9}, window));
    app.processQueuedEvents();
    EXPECT_EQ(tracker->points, (std::vector<CGPoint>{{5, 5}, {6, 7}, {8, 9}}));
    EXPECT_EQ(app.queuedEventCount(), 0u);  // the key event was sent after the loop
}

TEST_F(EventRoutingTest, ATrackingLoopOnAnEmptyQueueFailsLoudlyInsteadOfWaiting) {
    TestSupport::CaptureFatalErrors capture;
    auto tracker = Runtime::make<TrackingView>(CGRect{0, 0, 50, 50});
    left->addSubview(tracker);
    try {
        window->sendEvent(mouse(EventType::leftMouseDown, {5, 5}, window));
        FAIL() << "the loop waited";
    } catch (const TestSupport::FatalErrorThrown& e) {
        EXPECT_NE(std::string(e.what()).find("nextEvent(matching: 0x44)"), std::string::npos) << e.what();
    }
}

TEST_F(EventRoutingTest, TrackingAreasReportEnteringAndLeaving) {
    right->addTrackingArea(NSTrackingArea::make(right->bounds(), NSTrackingArea::Options::mouseEnteredAndExited() |
                                                                     NSTrackingArea::Options::activeAlways(),
                                                right));
    for (CGPoint p : {CGPoint{50, 50}, CGPoint{150, 50}, CGPoint{160, 60}, CGPoint{20, 50}})
        window->sendEvent(mouse(EventType::mouseMoved, p, window));
    EXPECT_EQ(log, (std::vector<std::string>{"right entered", "right exited"}));
}

TEST_F(EventRoutingTest, FlippedViewsConvertWithYDown) {
    auto flippedView = make("flipped", {0, 0, 100, 100});
    flippedView->flipped = true;
    left->addSubview(flippedView);
    EXPECT_EQ(flippedView->convert(CGPoint{10, 90}, nullptr), (CGPoint{10, 10}));
    EXPECT_EQ(flippedView->convertTo(CGPoint{10, 10}, nullptr), (CGPoint{10, 90}));
    EXPECT_EQ(inner->convertTo(CGPoint{0, 0}, nullptr), (CGPoint{110, 10}));
    EXPECT_EQ(inner->convert(CGPoint{0, 0}, flippedView.get()), (CGPoint{-110, 90}));

    // A flipped view inside a flipped one: its frame is in y-down coordinates already, so it
    // is only moved, never turned over again.
    auto nested = make("nested", {20, 30, 40, 20});
    nested->flipped = true;
    flippedView->addSubview(nested);
    EXPECT_EQ(nested->convert(CGPoint{0, 0}, flippedView.get()), (CGPoint{-20, -30}));
    EXPECT_EQ(nested->convertTo(CGPoint{0, 0}, flippedView.get()), (CGPoint{20, 30}));
    EXPECT_EQ(nested->convertTo(CGPoint{0, 5}, nullptr), (CGPoint{20, 65}));
    EXPECT_EQ(flippedView->hitTest(CGPoint{25, 65}), nested) << "hit where it is drawn";
}

}  // namespace
