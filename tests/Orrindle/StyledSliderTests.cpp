#include <gtest/gtest.h>

#include <cmath>

#include "AppKit/NSScrollView.hpp"
#include "ControlTestSupport.hpp"
#include "Orrindle/Sliders/StyledSlider.hpp"

namespace {

using namespace OrrindleTest;
using Orrindle::StyledControlState;
using Orrindle::StyledScrollableSlider;
using Orrindle::StyledSlider;
using Orrindle::StyledSliderCell;
using S = StyledControlState;
using AppKit::EventType;

class StyledSliderTest : public ControlTest {
protected:
    template <class Slider = StyledSlider>
    std::shared_ptr<Slider> make(CGRect frame = {10, 10, 200, 20}) {
        auto s = place(Runtime::make<Slider>(frame));
        s->onSlideStarted = [this](double v) { log.push_back("started " + std::to_string(int(v * 100))); };
        s->onSlideOngoing = [this](double v) { log.push_back("ongoing " + std::to_string(int(v * 100))); };
        s->onSlideComplete = [this](double v) { log.push_back("complete " + std::to_string(int(v * 100))); };
        return s;
    }
    void scroll(double dx, double dy, bool inverted = false, CGPoint at = {100, 20}) {
        auto e = AppKit::NSEvent::scrollWheelEvent(at, dx, dy, {}, 0, window);
        e->setDirectionInvertedFromDevice(inverted);
        AppKit::NSApplication::shared().postEvent(e);
        AppKit::NSApplication::shared().processQueuedEvents();
    }
    // Replaces the shared style's bar images for one test.
    struct BarImages {
        explicit BarImages(Orrindle::ImageTable t) : saved(StyledSliderCell::sharedStyle()->barImages()) {
            StyledSliderCell::sharedStyle()->setBarImages(std::move(t));
        }
        ~BarImages() { StyledSliderCell::sharedStyle()->setBarImages(saved); }
        Orrindle::ImageTable saved;
    };
    // The filled part ("kvu-slider") of a drawn slider, if any.
    static const Op::Image* fill(const DisplayList& list) {
        for (auto* i : list.all<Op::Image>())
            if (i->name == "kvu-slider") return i;
        return nullptr;
    }
    std::vector<std::string> log;
};

TEST_F(StyledSliderTest, ADragReportsStartedOngoingAndCompleteAndKeysReportNothing) {
    auto s = make();
    auto& app = AppKit::NSApplication::shared();
    const auto knob = s->styledCell()->knobThickness();
    // The knob's centre travels from knob/2 to 200 - knob/2.
    auto at = [&](double f) { return CGPoint{knob / 2 + f * (200 - knob), 10}; };
    app.postEvent(event(EventType::leftMouseDown, *s, at(0.25)));
    app.postEvent(event(EventType::leftMouseDragged, *s, at(0.5)));
    app.postEvent(event(EventType::leftMouseDragged, *s, at(0.75)));
    app.postEvent(event(EventType::leftMouseUp, *s, at(1.5)));
    app.processQueuedEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"started 25", "ongoing 50", "ongoing 75", "complete 100"}));
    log.clear();
    ASSERT_TRUE(window->makeFirstResponder(s));
    app.postEvent(AppKit::NSEvent::keyEvent(EventType::keyDown, {}, {}, 0, window, "", "", false, AppKit::KeyCode::leftArrow));
    app.processQueuedEvents();
    EXPECT_LT(s->doubleValue(), 1.0);
    s->setDoubleValue(0.3);
    s->sliderValueChanged(nullptr);  // no current event: nothing
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(s->target(), s);
}

TEST_F(StyledSliderTest, TheWheelMovesAScrollableSliderByAQuarterOfAHundredthOfTheRangePerPoint) {
    auto s = make<StyledScrollableSlider>();
    int actions = 0;
    s->onSlideStarted = nullptr;
    auto receiver = Runtime::make<Receiver>();
    s->setTarget(receiver);
    s->setAction(Runtime::Selector("primary:"));
    struct Row {
        double dx, dy;
        bool inverted;
        AppKit::NSUserInterfaceLayoutDirection direction;
        double change;
    };
    using D = AppKit::NSUserInterfaceLayoutDirection;
    for (auto r : std::vector<Row>{{0, 10, false, D::leftToRight, 0.025},
                                   {0, 10, true, D::leftToRight, -0.025},
                                   {10, 0, false, D::leftToRight, -0.025},
                                   {10, 0, false, D::rightToLeft, 0.025},
                                   {4, 10, false, D::leftToRight, 0.015}}) {
        s->setDoubleValue(0.5);
        s->setUserInterfaceLayoutDirection(r.direction);
        scroll(r.dx, r.dy, r.inverted);
        EXPECT_NEAR(s->doubleValue() - 0.5, r.change, 1e-12) << r.dx << " " << r.dy << r.inverted;
        ++actions;
    }
    s->setDoubleValue(1.0);
    scroll(0, 10);
    ++actions;
    EXPECT_EQ(s->doubleValue(), 1.0);
    EXPECT_EQ(int(receiver->log.size()), actions) << "sent also when the value stays";
    EXPECT_TRUE(log.empty());
    // The cell always reports a horizontal, linear slider.
    s->setVertical(true);
    s->setSliderType(AppKit::NSSliderType::circular);
    EXPECT_FALSE(s->isVertical());
    EXPECT_EQ(s->sliderType(), AppKit::NSSliderType::linear);
}

TEST_F(StyledSliderTest, ADisabledScrollableSliderSwallowsTheWheel) {
    auto scrollView = place(Runtime::make<AppKit::NSScrollView>(CGRect{0, 0, 300, 100}));
    auto doc = Runtime::make<Orrindle::StyledSlider>(CGRect{0, 0, 300, 400});  // any tall view
    scrollView->setDocumentView(doc);
    auto s = Runtime::make<StyledScrollableSlider>(CGRect{10, 10, 200, 20});
    doc->addSubview(s);
    s->setEnabled(false);
    s->setDoubleValue(0.5);
    scroll(0, 30, false, {50, 20});
    EXPECT_EQ(s->doubleValue(), 0.5);
    EXPECT_EQ(scrollView->scrollPosition().y, 0);
}

TEST_F(StyledSliderTest, ImagesByStateAtHalfOpacityWhenDisabled) {
    auto s = make();
    s->setDoubleValue(0.5);
    auto names = [](const DisplayList& list) {
        std::vector<std::string> n;
        for (auto* i : list.all<Op::Image>()) n.push_back(i->name);
        return n;
    };
    auto list = drawn(*s);
    EXPECT_EQ(names(list), (std::vector<std::string>{"kvu-slider-alley", "kvu-slider", "kvu-slider-handle"}));
    for (auto* i : list.all<Op::Image>()) EXPECT_EQ(i->fraction, 1.0);
    EXPECT_TRUE(list.all<Op::Image>()[2]->respectFlipped);
    s->cell()->setHighlighted(true);
    EXPECT_EQ(names(drawn(*s))[2], "kvu-slider-handle-down");
    EXPECT_EQ(s->styledCell()->controlState().rawValue(), 9u);
    s->setEnabled(false);
    EXPECT_EQ(s->styledCell()->controlState().rawValue(), 3u) << "pressed counts only while enabled";
    list = drawn(*s);
    EXPECT_EQ(names(list), (std::vector<std::string>{"kvu-slider-alley", "kvu-slider", "kvu-slider-handle"}));
    for (auto* i : list.all<Op::Image>()) EXPECT_EQ(i->fraction, 0.5);
}

TEST_F(StyledSliderTest, BarAndKnobGeometry) {
    auto s = make(CGRect{10, 10, 200, 20});
    auto cell = s->styledCell();
    const auto bar = StyledSliderCell::sharedStyle()->barImage(S::default_)->size();
    const auto knob = StyledSliderCell::sharedStyle()->knobImage(S::default_)->size();
    const CGRect b = cell->barRect(false);
    // The platform bar (2 points in at each end) less 2 more at each end.
    EXPECT_EQ(b, (CGRect{4, std::round(10 - bar.height / 2), 192, bar.height}));
    for (double v : {0.0, 0.5, 1.0}) {
        s->setDoubleValue(v);
        const CGRect k = cell->knobRect(false);
        EXPECT_EQ(k.size, knob);
        EXPECT_GE(k.minX(), b.minX()) << v;
        EXPECT_LE(k.maxX(), b.maxX()) << v;
        EXPECT_EQ(k.minY(), std::round(b.midY() - knob.height / 2));
    }
    // The knob reaches both ends of the bar.
    s->setDoubleValue(0);
    EXPECT_EQ(cell->knobRect(false).minX(), b.minX());
    s->setDoubleValue(1);
    EXPECT_EQ(cell->knobRect(false).maxX(), b.maxX());
    // The knob travels the bar: its image's width is the knob thickness.
    s->setDoubleValue(0);
    const double left = cell->knobRect(false).minX();
    s->setDoubleValue(1);
    EXPECT_GT(cell->knobRect(false).minX() - left, 150);
    // At the minimum the fill is empty, not drawn before the track.
    s->setDoubleValue(0);
    const auto list = drawn(*s);
    for (auto* i : list.all<Op::Image>()) EXPECT_GE(i->destination.minX(), 0) << i->name;
}

TEST_F(StyledSliderTest, TheKnobMovesWithEveryValueUpToTheMaximumAndTheFillEndsAtItsCentre) {
    auto s = make(CGRect{10, 10, 120, 20});
    auto cell = s->styledCell();
    const CGRect b = cell->barRect(s->isFlipped());
    double last = -1;
    for (double v : {0.8, 0.9, 0.93, 1.0}) {
        s->setDoubleValue(v);
        const CGRect k = cell->knobRect(s->isFlipped());
        EXPECT_GT(k.minX(), last) << "a higher value puts the knob further right: " << v;
        last = k.minX();
        // The fill runs from the start of the track to the knob's centre.
        const DisplayList list = drawn(*s);
        const Op::Image* filled = fill(list);
        ASSERT_TRUE(filled) << v;
        EXPECT_EQ(filled->destination.minX(), b.minX()) << v;
        EXPECT_EQ(filled->destination.maxX(), std::ceil(k.midX())) << v;
    }
    EXPECT_EQ(last + cell->knobRect(s->isFlipped()).width(), b.maxX()) << "at the maximum the knob ends where the bar does";
}

// No value near either end leaves the knob standing: it moves with the first half point of
// travel, from the bar's start at the minimum to the bar's end at the maximum, and at the
// minimum nothing is filled.
TEST_F(StyledSliderTest, EveryValueMovesTheKnobAlongTheBarAndTheMinimumFillsNothing) {
    auto s = make(CGRect{10, 10, 120, 20});
    auto cell = s->styledCell();
    const bool flipped = s->isFlipped();
    const CGRect b = cell->barRect(flipped);
    const double travel = b.width() - cell->knobRect(flipped).width();
    const double tiny = 0.6 / travel;  // a little over half a point
    double last = -1;
    for (double v : {0.0, tiny, 0.02, 0.037, 0.5, 0.963, 0.97, 1.0}) {
        s->setDoubleValue(v);
        const CGRect k = cell->knobRect(flipped);
        EXPECT_GT(k.minX(), last) << "a higher value puts the knob further right: " << v;
        last = k.minX();
        const DisplayList list = drawn(*s);
        const Op::Image* filled = fill(list);
        if (v == 0) {
            EXPECT_EQ(k.minX(), b.minX()) << "on the bar's start";
            EXPECT_TRUE(!filled || filled->destination.width() <= 0) << "nothing to peek out round the knob";
        } else {
            ASSERT_TRUE(filled) << v;
            EXPECT_EQ(filled->destination.minX(), b.minX()) << v;
            EXPECT_GT(filled->destination.maxX(), k.minX()) << "the fill reaches the knob: " << v;
        }
        if (v == 0.5) {
            EXPECT_LE(std::abs(k.midX() - b.midX()), 0.5) << "halfway along the bar";
        }
        if (v == 1.0) {
            EXPECT_EQ(k.maxX(), b.maxX()) << "at the maximum the knob ends where the bar does";
        }
    }

    // Tracking reads the same geometry: a press on the knob's centre leaves the knob where it is.
    auto& app = AppKit::NSApplication::shared();
    for (double v : {0.0, 0.3, 1.0}) {
        s->setDoubleValue(v);
        const CGRect k = cell->knobRect(flipped);
        app.postEvent(event(EventType::leftMouseDown, *s, {k.midX(), 10}));
        app.postEvent(event(EventType::leftMouseUp, *s, {k.midX(), 10}));
        app.processQueuedEvents();
        EXPECT_EQ(cell->knobRect(flipped), k) << v;
        EXPECT_NEAR(s->doubleValue(), v, 0.5 / travel) << v;
    }
}

TEST_F(StyledSliderTest, FixedWidthIsTheIntrinsicWidthUnlessTheBarImageIsWider) {
    auto s = make();
    EXPECT_EQ(s->intrinsicContentSize(), s->AppKit::NSSlider::intrinsicContentSize());
    s->setFixedWidth(40);
    for (auto [barWidth, width] : std::vector<std::pair<double, double>>{{60, 60}, {20, 40}}) {
        BarImages images({{S::default_, AppKit::NSImage::withSize({barWidth, 4})}});
        const auto size = s->intrinsicContentSize();
        EXPECT_EQ(size.width, width) << barWidth;
        EXPECT_EQ(size.height, std::max(4.0, StyledSliderCell::sharedStyle()->knobImage(S::default_)->size().height));
    }
}

}  // namespace
