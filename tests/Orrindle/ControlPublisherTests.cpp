#include <gtest/gtest.h>

#include <vector>

#include "AppKit/NSButton.hpp"
#include "AppKit/NSSlider.hpp"
#include "ControlTestSupport.hpp"
#include "Orrindle/Publishers/ControlPublishers.hpp"
#include "Orrindle/Sliders/TrackingSlider.hpp"

namespace {

using AppKit::CGRect;
using AppKit::NSButton;
using AppKit::NSControl;
using namespace Orrindle;

class ControlPublisherTest : public OrrindleTest::ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        button = place(Runtime::make<NSButton>(CGRect{20, 20, 100, 30}));
    }
    void fire(NSControl& control) { control.sendAction(control.action(), control.target().get()); }
    std::shared_ptr<NSButton> button;
};

TEST_F(ControlPublisherTest, OnePublisherPerControlSharedByEverySubscriberWithoutReplay) {
    auto first = controlEventPublisher(*button);
    int early = 0, late = 0;
    auto a = first.sink([&](const std::shared_ptr<NSButton>& b) {
        EXPECT_EQ(b, button);
        ++early;
    });
    fire(*button);
    fire(*button);
    // Asked again, and through the base class: the same object (one untyped publisher).
    auto again = controlEventPublisher(static_cast<NSControl&>(*button));
    EXPECT_EQ(again.publisher(), first.publisher());
    EXPECT_EQ(button->target(), first.publisher());
    EXPECT_EQ(button->action(), Runtime::Selector("controlActionWithSender:"));
    auto b = again.sink([&](const NSControl::Ptr&) { ++late; });
    EXPECT_EQ(late, 0) << "no replay of earlier actions";
    fire(*button);
    EXPECT_EQ(early, 3);
    EXPECT_EQ(late, 1);
}

TEST_F(ControlPublisherTest, ReleasingTheControlFinishesEverySubscription) {
    int finished = 0;
    Combine::Cancellables keep;
    controlEventPublisher(*button).sink([&](auto) { ++finished; }, [](auto) {}).store(keep);
    doubleValuePublisher(*button).sink([&](auto) { ++finished; }, [](double) {}).store(keep);
    std::weak_ptr<NSControlPublisher> publisher = controlPublisher(*button);
    button->removeFromSuperview();
    button.reset();
    EXPECT_EQ(finished, 2);
    EXPECT_TRUE(publisher.expired());
}

TEST_F(ControlPublisherTest, KeyPathPublishersReadTheValueAtEachAction) {
    std::vector<double> values;
    std::vector<AppKit::NSControlStateValue> states;
    auto v = doubleValuePublisher(*button).sink([&](double d) { values.push_back(d); });
    auto s = controlStatePublisher(*button).sink([&](AppKit::NSControlStateValue st) { states.push_back(st); });
    button->setDoubleValue(0.25);
    fire(*button);
    button->setState(AppKit::NSControlStateValue::on);
    fire(*button);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(states.back(), AppKit::NSControlStateValue::on);
}

// Each action delivers the slider's own double value of that moment, whole: values a float
// or an integer would round, and one that changes between actions.
TEST_F(ControlPublisherTest, TheValuePublisherSendsEachSlidersValueAtItsAction) {
    struct Case {
        const char* name;
        std::shared_ptr<NSControl> slider;
    };
    auto tracking = Runtime::make<TrackingSlider>(CGRect{20, 60, 40, 40});
    tracking->setMaximumValue(100);
    auto plain = Runtime::make<AppKit::NSSlider>(CGRect{20, 110, 120, 20});
    plain->setMaxValue(100);
    const std::vector<double> set{0.3, 42.125, 1.0 / 3, 0.3};
    for (const auto& c : {Case{"a platform slider", plain}, Case{"a tracking slider", tracking}}) {
        SCOPED_TRACE(c.name);
        place(c.slider);
        std::vector<double> values;
        auto sink = doubleValuePublisher(*c.slider).sink([&](double d) { values.push_back(d); });
        for (double v : set) {
            c.slider->setDoubleValue(v);
            fire(*c.slider);
        }
        EXPECT_EQ(values, set);
    }
}

TEST_F(ControlPublisherTest, MakeFirstResponderMakesTheWindowKeyThenFocusesTheControl) {
    auto other = AppKit::NSWindow::make({0, 0, 200, 100});
    other->makeKeyAndOrderFront();
    ASSERT_FALSE(window->isKeyWindow());
    auto trigger = Combine::PassthroughSubject<int>::make();
    auto focus = makeFirstResponder(*trigger, button);
    trigger->send(1);
    EXPECT_TRUE(window->isKeyWindow());
    EXPECT_EQ(window->firstResponder(), button);

    // A control outside any window, or gone, is left alone.
    focus.cancel();
    auto loose = Runtime::make<NSButton>(CGRect{0, 0, 10, 10});
    auto none = makeFirstResponder(*trigger, loose);
    other->makeKeyAndOrderFront();
    trigger->send(2);
    EXPECT_TRUE(other->isKeyWindow());
    EXPECT_EQ(window->firstResponder(), button);
    loose.reset();
    trigger->send(3);  // the control is gone: nothing
    EXPECT_TRUE(other->isKeyWindow());
}

TEST_F(ControlPublisherTest, ClosureActionsReplaceEachOtherAndThePublisher) {
    int publisherFires = 0, firstClosure = 0, secondClosure = 0;
    auto p = controlEventPublisher(*button).sink([&](auto) { ++publisherFires; });
    std::weak_ptr<Runtime::NSObject> firstTrampoline;
    setAction<NSButton>(*button, [&](NSButton& b) {
        EXPECT_EQ(&b, button.get());
        ++firstClosure;
    });
    firstTrampoline = button->target();
    setAction<NSButton>(*button, [&](NSButton&) { ++secondClosure; });
    EXPECT_TRUE(firstTrampoline.expired()) << "the replaced closure is released";
    button->performClick();
    EXPECT_EQ(firstClosure, 0);
    EXPECT_EQ(secondClosure, 1);
    EXPECT_EQ(publisherFires, 0) << "the publisher stays attached but no longer receives";

    auto receiver = Runtime::make<OrrindleTest::Receiver>();
    setAction(*button, "primary:", receiver);
    EXPECT_EQ(button->target(), receiver);
    EXPECT_EQ(button->action(), Runtime::Selector("primary:"));
    setAction(*button, Runtime::Selector(), nullptr);
    EXPECT_EQ(button->target(), nullptr);
    EXPECT_FALSE(button->action());
}

}  // namespace
