#include <gtest/gtest.h>

#include "AppKit/CALayer.hpp"
#include "AppKit/NSControl.hpp"
#include "Combine/Sink.hpp"
#include "ControlTestSupport.hpp"
#include "Orrindle/Views/ClickableImageView.hpp"
#include "Orrindle/Views/FlippedView.hpp"
#include "Orrindle/Views/NoDividerSplitView.hpp"
#include "Orrindle/Views/StyledFlippedView.hpp"

namespace {

using namespace OrrindleTest;
using Orrindle::ClickableImageView;

// A control that notes whether its window was key when it became first responder.
class FocusProbe : public AppKit::NSControl {
    VZ_OBJECT(FocusProbe, AppKit::NSControl)
public:
    bool acceptsFirstResponder() const override { return true; }
    bool becomeFirstResponder() override {
        windowWasKey.push_back(window() && window()->isKeyWindow());
        return true;
    }
    std::vector<bool> windowWasKey;

protected:
    using AppKit::NSControl::NSControl;
};

class Views : public ControlTest {
protected:
    ClickableImageView::Ptr imageView(CGRect frame = {10, 10, 40, 40}) {
        auto v = place(Runtime::make<ClickableImageView>(frame));
        v->clicked()->sink([this](std::monostate) { ++clicks; }).store(subscriptions);
        return v;
    }
    int clicks = 0;
    std::vector<Combine::AnyCancellable> subscriptions;
};

TEST_F(Views, ClickableImageViewReportsClicksAndDimsWhilePressedWhenEnabled) {
    auto v = imageView();
    auto& app = AppKit::NSApplication::shared();
    app.postEvent(event(AppKit::EventType::leftMouseDown, *v, {20, 20}));
    app.processQueuedEvents();
    EXPECT_EQ(v->alphaValue(), 0.5);
    app.postEvent(event(AppKit::EventType::leftMouseUp, *v, {20, 20}));
    app.processQueuedEvents();
    EXPECT_EQ(v->alphaValue(), 1.0);
    EXPECT_EQ(clicks, 1);
    // Disabled: the click is still reported, the alpha is left alone.
    v->setEnabled(false);
    v->setAlphaValue(0.8);
    click(*v);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(v->alphaValue(), 0.8);
    EXPECT_EQ(v->allowedTouchTypes(), 3u);
    // A new subject: the old one's subscribers hear no more.
    v->setClicked(ClickableImageView::Clicked::make());
    click(*v);
    EXPECT_EQ(clicks, 2);
}

TEST_F(Views, ClickOnTheImageFocusesItsControlMakingTheControlsWindowKeyFirst) {
    auto v = imageView();
    auto other = AppKit::NSWindow::make({500, 0, 200, 100});
    other->orderFront();
    auto control = Runtime::make<FocusProbe>(CGRect{0, 0, 50, 20});
    other->contentView()->addSubview(control);
    auto homeless = Runtime::make<FocusProbe>(CGRect{0, 0, 50, 20});
    auto homelessImage = imageView({60, 10, 40, 40});
    auto gone = Runtime::make<FocusProbe>(CGRect{0, 0, 50, 20});
    auto goneImage = imageView({110, 10, 40, 40});
    std::vector<Combine::AnyCancellable> cancellables;
    ClickableImageView::makeFirstResponderOnClick({{v, control}, {homelessImage, homeless}, {goneImage, gone}}, cancellables);
    gone.reset();
    ASSERT_FALSE(other->isKeyWindow());

    click(*v);
    EXPECT_TRUE(other->isKeyWindow());
    EXPECT_EQ(other->firstResponder(), control);
    EXPECT_EQ(control->windowWasKey, (std::vector{true}));

    window->makeKeyAndOrderFront();
    click(*homelessImage);  // no window: nothing, and no failure
    click(*goneImage);      // released: nothing
    EXPECT_TRUE(homeless->windowWasKey.empty());
    EXPECT_TRUE(window->isKeyWindow());
    // The subscriptions end with the set.
    cancellables.clear();
    click(*v);
    EXPECT_TRUE(window->isKeyWindow());
}

TEST_F(Views, NoDividerSplitViewPutsItsPanesEdgeToEdgeAndDrawsNothingBetween) {
    auto split = place(Runtime::make<Orrindle::NoDividerSplitView>(CGRect{0, 0, 200, 100}));
    split->setVertical(true);
    auto a = Runtime::make<Orrindle::FlippedView>(CGRect{0, 0, 30, 100});
    auto b = Runtime::make<Orrindle::FlippedView>(CGRect{0, 0, 70, 100});
    split->addSubview(a);
    split->addSubview(b);
    split->adjustSubviews();
    EXPECT_EQ(a->frame(), (CGRect{0, 0, 60, 100}));
    EXPECT_EQ(b->frame(), (CGRect{60, 0, 140, 100}));
    const auto list = drawn(*split);
    EXPECT_TRUE(list.all<Op::Fill>().empty() && list.all<Op::Stroke>().empty() && list.all<Op::Image>().empty());
    EXPECT_TRUE(split->isOpaque());
    EXPECT_TRUE(a->isFlipped());
}

TEST_F(Views, StyledFlippedViewPaintsItsLayerWithTheSharedStyleWhicheverWayItIsMade) {
    using Orrindle::StyledFlippedView;
    const auto colour = StyledFlippedView::sharedStyle()->backgroundColor()->cgColor();
    auto& registry = Runtime::ClassRegistry::shared();
    if (!registry.contains("StyledFlippedView")) registry.registerClass<StyledFlippedView>();
    auto byName = std::dynamic_pointer_cast<StyledFlippedView>(registry.create("StyledFlippedView"));
    auto inCode = Runtime::make<StyledFlippedView>(CGRect{0, 0, 20, 20});
    for (const auto& v : {byName, inCode}) {
        ASSERT_TRUE(v && v->layer());
        EXPECT_EQ(v->layer()->backgroundColor(), colour);
        EXPECT_FALSE(v->translatesAutoresizingMaskIntoConstraints());
        EXPECT_TRUE(v->isFlipped());
    }
    // A new shared style reaches only views made afterwards.
    auto saved = StyledFlippedView::sharedStyle();
    auto red = std::make_shared<Orrindle::BaseStyle>();
    red->setBackgroundColor(AppKit::NSColor::sRGB(1, 0, 0));
    StyledFlippedView::setSharedStyle(red);
    auto later = Runtime::make<StyledFlippedView>(CGRect{0, 0, 20, 20});
    StyledFlippedView::setSharedStyle(saved);
    EXPECT_EQ(later->layer()->backgroundColor(), AppKit::NSColor::sRGB(1, 0, 0)->cgColor());
    EXPECT_EQ(inCode->layer()->backgroundColor(), colour);
    // The layer's colour is what the view paints first.
    auto list = drawn(*inCode);
    ASSERT_FALSE(list.all<Op::Fill>().empty());
    EXPECT_EQ(list.all<Op::Fill>().front()->color, colour);
}

}  // namespace
