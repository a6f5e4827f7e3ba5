#include <gtest/gtest.h>

#include "AppKitTestSupport.hpp"
#include "AppKit/NSGestureRecognizer.hpp"
#include "AppKit/NSScrollView.hpp"
#include "AppKit/NSSegmentedControl.hpp"
#include "AppKit/NSSlider.hpp"
#include "AppKit/NSSplitView.hpp"
#include "Dispatch/DispatchQueue.hpp"

namespace {

using namespace AppKit;
using AppKitTest::AppKitTest;

// A view that counts its presses and may be flipped.
class RecordingViewPlain : public NSView {
    VZ_OBJECT(RecordingViewPlain, NSView)
public:
    bool flipped = false;
    int presses = 0;
    bool isFlipped() const override { return flipped; }
    void mouseDown(const NSEvent&) override { ++presses; }

protected:
    using NSView::NSView;
};

// Receives actions and writes down the current event's type with the sender's value.
class Target : public Runtime::NSObject {
    VZ_OBJECT(Target, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("act:", &Target::act)};
    }
    void act(Runtime::NSObject* sender) {
        auto e = NSApplication::shared().currentEvent();
        types.push_back(e ? int(e->type()) : 0);
        if (auto* c = dynamic_cast<NSControl*>(sender)) values.push_back(c->doubleValue());
        if (auto* g = dynamic_cast<NSGestureRecognizer*>(sender)) states.push_back(g->state());
    }
    std::vector<int> types;
    std::vector<double> values;
    std::vector<NSGestureRecognizer::State> states;
};

class ValueControls : public AppKitTest {
protected:
    void SetUp() override {
        AppKitTest::SetUp();
        window = NSWindow::make({0, 0, 400, 300});
        window->makeKeyAndOrderFront();
        target = Runtime::make<Target>();
    }
    void post(EventType type, CGPoint p, double at = 0) {
        NSApplication::shared().postEvent(NSEvent::mouseEvent(type, p, {}, at, window));
    }
    void run() { NSApplication::shared().processQueuedEvents(); }
    void drag(CGPoint from, std::initializer_list<CGPoint> through, CGPoint to) {
        post(EventType::leftMouseDown, from);
        for (auto p : through) post(EventType::leftMouseDragged, p);
        post(EventType::leftMouseUp, to);
        run();
    }
    void key(std::uint16_t code) {
        NSApplication::shared().postEvent(NSEvent::keyEvent(EventType::keyDown, {}, {}, 0, window, " ", " ", false, code));
        run();
    }
    template <class V>
    std::shared_ptr<V> place(std::shared_ptr<V> v) {
        window->contentView()->addSubview(v);
        return v;
    }
    NSWindow::Ptr window;
    std::shared_ptr<Target> target;
};

// --- Split view ----------------------------------------------------------------------------

TEST_F(ValueControls, SplitViewKeepsProportionsAndFollowsADividerDrag) {
    auto split = place(Runtime::make<NSSplitView>(CGRect{0, 0, 201, 100}));
    split->setVertical(true);
    auto a = Runtime::make<RecordingViewPlain>(CGRect{0, 0, 50, 10});
    auto b = Runtime::make<RecordingViewPlain>(CGRect{0, 0, 50, 10});
    split->addSubview(a);
    split->addSubview(b);
    split->adjustSubviews();
    EXPECT_EQ(a->frame(), (CGRect{0, 0, 100, 100}));
    EXPECT_EQ(b->frame(), (CGRect{101, 0, 100, 100}));
    // Grab the divider one point right of its left edge and drag it 40 points left, then far
    // past the right end: the divider keeps the grab offset and stops at the end.
    drag({101, 50}, {{61, 50}}, {61, 50});
    EXPECT_EQ(a->frame().width(), 60);
    EXPECT_EQ(b->frame(), (CGRect{61, 0, 140, 100}));
    drag({61, 50}, {}, {500, 50});
    EXPECT_EQ(a->frame().width(), 200);
    EXPECT_EQ(b->frame().width(), 0);
    // A click inside a pane reaches the pane, not the divider.
    EXPECT_EQ(window->hitTest({30, 50}), a);
}

// --- Gesture recognisers -------------------------------------------------------------------

TEST_F(ValueControls, ClickRecogniserFiresOnAClickButNotOnADrag) {
    auto view = place(Runtime::make<RecordingViewPlain>(CGRect{10, 10, 100, 100}));
    auto click = Runtime::make<NSClickGestureRecognizer>();
    click->setTarget(target);
    click->setAction(Runtime::Selector("act:"));
    view->addGestureRecognizer(click);
    drag({50, 50}, {}, {51, 50});
    EXPECT_EQ(target->states, (std::vector{NSGestureRecognizer::State::ended}));
    drag({50, 50}, {{70, 50}}, {50, 50});
    drag({50, 50}, {}, {300, 250});  // released outside
    EXPECT_EQ(target->states.size(), 1u);
    EXPECT_EQ(view->presses, 3) << "the view still gets every press";
}

TEST_F(ValueControls, PanRecogniserReportsItsPhasesTranslationAndVelocity) {
    auto view = place(Runtime::make<RecordingViewPlain>(CGRect{10, 10, 100, 100}));
    view->flipped = true;
    auto pan = Runtime::make<NSPanGestureRecognizer>();
    pan->setTarget(target);
    pan->setAction(Runtime::Selector("act:"));
    view->addGestureRecognizer(pan);
    const double t = Dispatch::Clock::shared().now();
    post(EventType::leftMouseDown, {50, 50}, t);
    post(EventType::leftMouseDragged, {50, 60}, t + 0.1);
    post(EventType::leftMouseDragged, {50, 62}, t + 0.2);
    run();
    using S = NSGestureRecognizer::State;
    EXPECT_EQ(target->states, (std::vector{S::began, S::changed}));
    // The view is flipped: moving up in the window is negative y in the view.
    EXPECT_EQ(pan->translation(view.get()), (CGPoint{0, -12}));
    EXPECT_NEAR(pan->velocity(view.get()).y, -20, 1e-9);
    EXPECT_NEAR(pan->velocity(nullptr).y, 20, 1e-9);
    pan->setTranslation({5, 5}, view.get());
    EXPECT_EQ(pan->translation(view.get()), (CGPoint{5, 5}));
    post(EventType::leftMouseUp, {50, 62}, t + 0.3);
    run();
    EXPECT_EQ(target->states.back(), S::ended);
    // A press and release without a drag fails, which sends nothing.
    target->states.clear();
    drag({50, 50}, {}, {50, 50});
    EXPECT_TRUE(target->states.empty());
    EXPECT_EQ(pan->state(), S::failed);
}

// --- Segmented control ---------------------------------------------------------------------

class SegmentedControl : public ValueControls {
protected:
    void SetUp() override {
        ValueControls::SetUp();
        control = place(Runtime::make<NSSegmentedControl>(CGRect{0, 0, 300, 24}));
        control->setSegmentCount(3);
        for (long s = 0; s < 3; ++s) control->setWidth(100, s);
        control->setTarget(target);
        control->setAction(Runtime::Selector("act:"));
    }
    NSSegmentedControl::Ptr control;
};

TEST_F(SegmentedControl, SelectsTheSegmentReleasedOnAndPressesItMeanwhile) {
    auto cell = control->segmentedCell();
    post(EventType::leftMouseDown, {150, 12});
    post(EventType::leftMouseDragged, {250, 12});
    post(EventType::leftMouseDragged, {160, 12});
    post(EventType::leftMouseUp, {160, 12});
    run();
    EXPECT_EQ(control->selectedSegment(), 1);
    EXPECT_EQ(cell->segmentHighlightState(1), 0);
    EXPECT_EQ(target->types.size(), 1u);
    // Released outside the pressed segment: nothing changes.
    drag({50, 12}, {}, {150, 12});
    EXPECT_EQ(control->selectedSegment(), 1);
    EXPECT_EQ(target->types.size(), 1u);
    // selectAny toggles; a disabled segment takes no click.
    control->setTrackingMode(NSSegmentSwitchTracking::selectAny);
    drag({50, 12}, {}, {50, 12});
    EXPECT_TRUE(control->isSelected(0) && control->isSelected(1));
    cell->setEnabled(false, 2);
    drag({250, 12}, {}, {250, 12});
    EXPECT_FALSE(control->isSelected(2));
}

TEST_F(SegmentedControl, HighlightStateIsTwoOnlyWhileThePointerIsOverThePressedSegment) {
    // Timers between the gesture's events (on virtual time) look at the cell mid-gesture.
    auto cell = control->segmentedCell();
    std::vector<long> seen;
    const double t = Dispatch::Clock::shared().now();
    for (double at : {0.05, 0.15, 0.25, 0.35}) Dispatch::DispatchQueue::main().asyncAfter(at, [&] { seen.push_back(cell->segmentHighlightState(0)); });
    post(EventType::leftMouseDown, {50, 12}, t + 0.01);
    post(EventType::leftMouseDragged, {250, 12}, t + 0.1);
    post(EventType::leftMouseDragged, {60, 12}, t + 0.2);
    post(EventType::leftMouseUp, {60, 12}, t + 0.3);
    run();
    loop().advance(0.1);
    EXPECT_EQ(seen, (std::vector<long>{2, 0, 2, 0}));
    EXPECT_EQ(control->selectedSegment(), 0);
}

TEST_F(SegmentedControl, ArrowKeysMoveTheKeySegmentAndSpaceSelectsIt) {
    auto cell = control->segmentedCell();
    EXPECT_EQ(cell->keySegment(), -1);
    ASSERT_TRUE(window->makeFirstResponder(control));
    EXPECT_EQ(cell->keySegment(), 0);
    key(KeyCode::rightArrow);
    key(KeyCode::rightArrow);
    key(KeyCode::rightArrow);
    EXPECT_EQ(cell->keySegment(), 2);
    key(KeyCode::leftArrow);
    key(KeyCode::space);
    EXPECT_EQ(control->selectedSegment(), 1);
    EXPECT_EQ(target->types, (std::vector{int(EventType::keyDown)}));
}

// --- Slider --------------------------------------------------------------------------------

class Slider : public ValueControls {
protected:
    void SetUp() override {
        ValueControls::SetUp();
        // Track 0...220, knob 20: the knob's centre runs from 10 to 210.
        slider = place(Runtime::make<NSSlider>(CGRect{0, 0, 220, 24}));
        slider->setMinValue(0);
        slider->setMaxValue(100);
        slider->setTarget(target);
        slider->setAction(Runtime::Selector("act:"));
    }
    NSSlider::Ptr slider;
};

TEST_F(Slider, FollowsTheMouseAndSendsTheActionWithTheCurrentEvent) {
    drag({110, 12}, {{60, 12}, {-50, 12}}, {400, 12});
    EXPECT_EQ(target->values, (std::vector<double>{50, 25, 0, 100}));
    EXPECT_EQ(target->types, (std::vector{1, 6, 6, 2}));
    EXPECT_FALSE(slider->cell()->isHighlighted());
    // Not continuous: the mouse-up alone.
    target->values.clear();
    slider->setContinuous(false);
    drag({110, 12}, {{60, 12}}, {160, 12});
    EXPECT_EQ(target->values, (std::vector<double>{75}));
}

TEST_F(Slider, KeepsItsValueInRangeAndStepsWithTheArrowKeys) {
    for (auto [given, kept] : std::vector<std::pair<double, double>>{{-5, 0}, {150, 100}, {42, 42}, {NAN, 0}}) {
        slider->setDoubleValue(given);
        EXPECT_EQ(slider->doubleValue(), kept) << given;
    }
    slider->setDoubleValue(50);
    ASSERT_TRUE(window->makeFirstResponder(slider));
    key(KeyCode::rightArrow);
    EXPECT_EQ(slider->doubleValue(), 55);
    key(KeyCode::downArrow);
    key(KeyCode::downArrow);
    EXPECT_EQ(slider->doubleValue(), 45);
    EXPECT_EQ(target->types, (std::vector{10, 10, 10}));
    slider->setMaxValue(40);
    EXPECT_EQ(slider->doubleValue(), 40) << "a narrower range takes the value with it";
}

TEST_F(Slider, DisabledSliderIgnoresTheMouseAndTheWheelGoesToTheScrollView) {
    slider->setEnabled(false);
    slider->setDoubleValue(30);
    drag({110, 12}, {}, {110, 12});
    EXPECT_EQ(slider->doubleValue(), 30);
    EXPECT_TRUE(target->types.empty());

    auto scroll = place(Runtime::make<NSScrollView>(CGRect{0, 50, 200, 100}));
    auto doc = Runtime::make<RecordingViewPlain>(CGRect{0, 0, 200, 400});
    scroll->setDocumentView(doc);
    auto inner = Runtime::make<NSSlider>(CGRect{0, 0, 200, 24});
    doc->addSubview(inner);
    NSApplication::shared().postEvent(NSEvent::scrollWheelEvent({100, 60}, 0, -30, {}, 0, window));
    run();
    EXPECT_EQ(scroll->scrollPosition().y, 0) << "clamped at the start";
    NSApplication::shared().postEvent(NSEvent::scrollWheelEvent({100, 60}, 0, 30, {}, 0, window));
    run();
    EXPECT_EQ(scroll->scrollPosition().y, 30);
}

}  // namespace
