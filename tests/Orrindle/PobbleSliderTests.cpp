#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSEvent.hpp"
#include "CoreGraphics/ImageAsset.hpp"
#include "Orrindle/Settings/PobbleSlider.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Orrindle;
using namespace SwiftUI;
using Behaviour = SliderIconClickBehaviour;

// Icons of a size but no pixels: they lay out and take clicks like real ones.
Image icon(const char* name) { return Image(std::make_shared<CoreGraphics::ImageAsset>(name, CGSize{10, 10})); }

// A slider whose track is `track` points wide, at the graph's top left: the icons and the
// padding take 16 points on each side.
class SliderView : public TestSupport::VirtualTimeTest {
protected:
    static constexpr CGFloat inset = 2 + 14;
    void TearDown() override {
        AppKit::NSEvent::setModifierFlags({});
        TestSupport::VirtualTimeTest::TearDown();
    }
    void host(std::shared_ptr<PobbleSliderModel> m, CGFloat track = 200) {
        model = std::move(m);
        log.clear();
        model->onSlideStarted = [this](double v) { log.push_back("started " + number(v)); };
        model->onSlideOngoing = [this](double v) { log.push_back("ongoing " + number(v)); };
        model->onSlideComplete = [this](double v) { log.push_back("complete " + number(v)); };
        graph = std::make_unique<ViewGraph>(AnyView(PobbleSlider(model, icon("minus"), icon("plus"))).frame({.width = track + 2 * inset}),
                                            CGSize{track + 2 * inset, 24});
        drain();
    }
    static std::string number(double v) {
        char s[32];
        std::snprintf(s, sizeof s, "%g", v);
        return s;
    }
    // A point on the track, x from its leading edge.
    static CGPoint on(CGFloat x) { return {inset + x, 12}; }
    std::vector<const RenderNode*> images(const std::string& name) {
        return graph->renderTree().findAll([&](const RenderNode& n) { return n.kind == RenderNode::Kind::image && n.imageName == name; });
    }
    const RenderNode* fill() { return graph->renderTree().findImage("kvu-customslider-on"); }
    const RenderNode* handle() {
        auto all = images("kvu-customslider-handle");
        return all.empty() ? graph->renderTree().findImage("kvu-customslider-handle-down") : all.front();
    }
    std::optional<CGFloat> value() const { return model->value(); }

    std::shared_ptr<PobbleSliderModel> model;
    std::vector<std::string> log;
    std::unique_ptr<ViewGraph> graph;
};

struct DragCase {
    const char* name;
    CGFloat from, to;  // on the track
    int steps;         // 0: a click where it went down
    CGFloat minimum, maximum;
    bool shift;
    std::optional<CGFloat> value;
    std::vector<std::string> log;
};

// Range 0...100 (unless given) in steps of 10, at 50 before each drag: the handle's centre at 100.
TEST_F(SliderView, DragsAtTheEndsAndInTheMiddleSetTheValue) {
    const std::vector<DragCase> cases = {
        {"a click off the handle jumps there", 150, 150, 0, 0, 100, false, 75, {"started 75", "complete 75"}},
        {"a click on the handle off its centre changes nothing (a jump would give 53)", 106, 106, 0, 0, 100, false, 50,
         {"started 50", "complete 50"}},
        {"within 8 points of the end is the end", 40, 194, 2, 0, 100, false, 100, {"started 20", "ongoing 58.5", "ongoing 100", "complete 100"}},
        {"within 8 points of the start is the start", 160, 7, 1, 0, 100, false, 0, {"started 80", "ongoing 0", "complete 0"}},
        {"the middle of the track is the middle of the range", 20, 100, 1, 0, 100, false, 50, {"started 10", "ongoing 50", "complete 50"}},
        {"with Shift a fraction of 0.46 snaps to 50", 20, 92, 1, 0, 100, true, 50, {"started 10", "ongoing 50", "complete 50"}},
        {"and on -50...50 to 0", 20, 92, 1, -50, 50, true, 0, {"started -40", "ongoing 0", "complete 0"}},
        {"a snap to the value it holds tells nobody", 150, 154, 2, 0, 100, true, 80, {"started 75", "ongoing 80", "complete 80"}},
        {"with Shift an exact half step rounds away from zero", 20, 50, 1, 0, 100, true, 30, {"started 10", "ongoing 30", "complete 30"}},
        {"and on -50...50 too", 20, 50, 1, -50, 50, true, -20, {"started -40", "ongoing -20", "complete -20"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host(PobbleSliderModel::make({c.minimum + (c.maximum - c.minimum) / 2}, 0, c.minimum, c.maximum, 10, Behaviour::increment));
        AppKit::NSEvent::setModifierFlags(c.shift ? AppKit::ModifierFlags::shift() : AppKit::ModifierFlags{});
        if (c.steps == 0)
            graph->click(on(c.from));
        else
            graph->drag(on(c.from), on(c.to), c.steps);
        EXPECT_EQ(value(), c.value);
        EXPECT_EQ(log, c.log);
    }
}

TEST_F(SliderView, AGrabbedHandleKeepsItsOffsetAndWaitsForTwentyPointsOfTravel) {
    host(PobbleSliderModel::make({50}, 0, 0, 100, 10, Behaviour::increment));
    // Down 3 points right of the centre; each change adds its whole distance from the start.
    graph->mouseDown(on(103));
    graph->mouseDragged(on(113));  // 10 so far
    drain();
    graph->mouseDragged(on(109));  // 16
    drain();
    EXPECT_EQ(value(), 50);
    graph->mouseDragged(on(123));  // 36: the handle follows, 3 points left of the pointer
    drain();
    EXPECT_EQ(value(), 60);
    EXPECT_EQ(handle()->imageName, "kvu-customslider-handle-down");
    graph->mouseDragged(on(143));
    drain();
    graph->mouseUp(on(143));
    drain();
    EXPECT_EQ(value(), 70);
    EXPECT_EQ(log, (std::vector<std::string>{"started 50", "ongoing 60", "ongoing 70", "complete 70"}));
    EXPECT_EQ(handle()->imageName, "kvu-customslider-handle");
    EXPECT_EQ(handle()->frame.midX(), on(140).x);
}

// The grabbed handle waits for 20 points of travel summed over the drag's changes, each change
// counting its whole distance from where the drag began.
TEST_F(SliderView, TheTravelOfAGrabbedHandleIsSummedOverEveryChange) {
    struct Case {
        const char* name;
        std::vector<CGFloat> path;  // after going down 3 points right of the handle's centre
        CGFloat value;
    };
    for (const auto& c : std::vector<Case>{
             {"10 then 12 from the start make 22 (no change alone reaches 20)", {113, 115}, 56},
             {"12 out and 8 back make 20 (the steps in between make 16)", {115, 111}, 54},
             {"10 then 6 make 16: still", {113, 109}, 50},
             {"leftwards, 10 then 12 make 22 as well", {93, 91}, 44},
             {"12 left and 8 back make 20", {91, 95}, 46},
         }) {
        SCOPED_TRACE(c.name);
        host(PobbleSliderModel::make({50}, 0, 0, 100, 10, Behaviour::increment));
        graph->mouseDown(on(103));
        for (CGFloat x : c.path) {
            graph->mouseDragged(on(x));
            drain();
        }
        ASSERT_TRUE(value());
        EXPECT_NEAR(*value(), c.value, 1e-9);
        graph->mouseUp(on(c.path.back()));
        drain();
    }
}

// A second drag of the same slider starts afresh: the travel is counted from 0 again and the
// grab offset of the drag before is gone.
TEST_F(SliderView, ASecondDragStartsAfresh) {
    host(PobbleSliderModel::make({50}, 0, 0, 100, 10, Behaviour::increment));
    graph->drag(on(103), on(143), 4);
    ASSERT_EQ(value(), 70);
    log.clear();
    graph->mouseDown(on(143));  // 3 points right of the handle's centre again
    graph->mouseDragged(on(153));
    drain();
    EXPECT_EQ(value(), 70) << "10 points of this drag's travel";
    graph->mouseUp(on(153));
    drain();
    EXPECT_EQ(log, (std::vector<std::string>{"started 70", "complete 70"}));
    EXPECT_EQ(handle()->imageName, "kvu-customslider-handle");
    log.clear();
    graph->click(on(40));
    EXPECT_EQ(value(), 20) << "the click's own place, no offset left over";
    EXPECT_EQ(log, (std::vector<std::string>{"started 20", "complete 20"}));
}

// Without a single value the callbacks hear of none: a drag tells of a value only once it has
// set one.
TEST_F(SliderView, AMixedSliderTellsOfAValueOnlyOnceItHasOne) {
    struct Case {
        const char* name;
        CGFloat down;
        std::vector<CGFloat> path;
        std::optional<CGFloat> value;
        std::vector<std::string> log;
    };
    // Starting values 0.2, 0.5 and 0.9: the main handle at 40.
    for (const auto& c : std::vector<Case>{
             {"a click on the main handle changes nothing and tells nobody", 40, {}, std::nullopt, {}},
             {"a grabbed handle tells of its value once it moves", 43, {53, 68}, 0.325, {"ongoing 0.325", "complete 0.325"}},
             {"a click on the track sets a value and tells of it", 150, {}, 0.75, {"started 0.75", "complete 0.75"}},
         }) {
        SCOPED_TRACE(c.name);
        host(PobbleSliderModel::make({0.2, 0.5, 0.9}, 0, 0, 1, 0.1, Behaviour::increment));
        ASSERT_FALSE(value());
        graph->mouseDown(on(c.down));
        drain();
        for (CGFloat x : c.path) {
            graph->mouseDragged(on(x));
            drain();
        }
        graph->mouseUp(on(c.path.empty() ? c.down : c.path.back()));
        drain();
        EXPECT_EQ(value(), c.value);
        EXPECT_EQ(log, c.log);
    }
}

TEST_F(SliderView, AnOptionClickResetsAndTheIconsStepWithoutADrag) {
    host(PobbleSliderModel::make({50}, 30, 0, 100, 10, Behaviour::increment));
    graph->click(on(150), EventModifiers::option());
    EXPECT_EQ(value(), 30);
    EXPECT_EQ(log, (std::vector<std::string>{"complete 30"})) << "no drag callbacks";

    log.clear();
    ASSERT_TRUE(graph->clickImage("plus"));
    ASSERT_TRUE(graph->clickImage("plus"));
    ASSERT_TRUE(graph->clickImage("minus"));
    EXPECT_EQ(value(), 40);
    EXPECT_EQ(log, (std::vector<std::string>{"complete 40", "complete 50", "complete 40"}));
    EXPECT_TRUE(images("kvu-customslider-handle-down").empty()) << "an icon click is no drag";

    host(PobbleSliderModel::make({50}, 30, 0, 100, 10, Behaviour::maxMin));
    graph->clickImage("minus");
    EXPECT_EQ(value(), 0);
    graph->clickImage("plus");
    EXPECT_EQ(value(), 100);
}

TEST_F(SliderView, TheFillAndHandlesFollowTheValueOrTheStartingValues) {
    host(PobbleSliderModel::make({0}, 0, 0, 100, 10, Behaviour::increment));
    ASSERT_TRUE(fill() && handle());
    EXPECT_EQ(fill()->frame, (CGRect{inset, 4, 16, 16})) << "a fill as wide as the handle at 0";
    EXPECT_EQ(handle()->frame, (CGRect{inset, 4, 16, 16})) << "the handle centred at 8";
    model->setValue(60);
    drain();
    EXPECT_EQ(fill()->frame.width(), 120);
    EXPECT_EQ(handle()->frame.midX(), on(120).x);
    EXPECT_EQ(handle()->opacity, 1);

    host(PobbleSliderModel::make({0.2, 0.5, 0.9}, 0, 0, 1, 0.1, Behaviour::increment));
    auto faded = images("kvu-customslider-handle");
    ASSERT_EQ(faded.size(), 3u);
    for (auto [i, x] : {std::pair{0, 40.0}, std::pair{1, 100.0}, std::pair{2, 180.0}}) {
        EXPECT_EQ(faded[std::size_t(i)]->frame.midX(), on(x).x);
        EXPECT_DOUBLE_EQ(faded[std::size_t(i)]->opacity, 0.3);
    }
    EXPECT_EQ(fill()->opacity, 0) << "no fill without a value";

    host(PobbleSliderModel::make({0.2, 0.2, 0.5, 0.9, 0.1, 0.3}, 0, 0, 1, 0.1, Behaviour::increment));
    faded = images("kvu-customslider-handle");
    ASSERT_EQ(faded.size(), 1u) << "six values, repeats counted: the main handle alone";
    EXPECT_EQ(faded[0]->opacity, 0);
    EXPECT_EQ(fill()->frame.width(), 200);
    EXPECT_EQ(fill()->opacity, 1);
}

TEST_F(SliderView, ShiftWithoutAStepDragsUnsnappedAndANarrowTrackStaysPut) {
    host(PobbleSliderModel::make({50}, 0, 0, 100, 0, Behaviour::increment));
    AppKit::NSEvent::setModifierFlags(AppKit::ModifierFlags::shift());
    graph->drag(on(20), on(130), 1);
    EXPECT_EQ(value(), 65) << "no step to snap to: the drag goes on as without Shift";

    // A 12-point track: the ranges the handle is clamped to are empty; the larger bound, then
    // the smaller, decides.
    host(PobbleSliderModel::make({50}, 0, 0, 100, 10, Behaviour::increment), 12);
    PobbleSlider probe(model, icon("minus"), icon("plus"));
    probe.sliderWidth = 12.0;
    EXPECT_EQ(probe.knobXPosition(), 4);
    EXPECT_EQ(probe.fillWidth(), 12);
    EXPECT_EQ(probe.dragPosition(6), 0) << "under 8 comes first";
    EXPECT_EQ(probe.dragPosition(9), 12);
    ASSERT_TRUE(handle());
    EXPECT_EQ(handle()->frame.midX(), on(4).x);
    graph->drag(on(2), on(10), 2);
    EXPECT_EQ(value(), 100);
    EXPECT_FALSE(std::isnan(*value()));
}

}  // namespace
