#include <gtest/gtest.h>

#include "Editor/EditorTestSupport.hpp"
#include "Vantrel_Zellow_Extension/Editor/StepControls.hpp"
#include "Vantrel_Zellow_Extension/Editor/VerticalSlider.hpp"

namespace {

using namespace EditorTest;
using namespace SwiftUI;
using Vantrel_Zellow_Extension::VerticalSlider;

// One slider over a step velocity, alone in a graph, its handle's middle at the track's middle
// plus the thumb offset.
class Slider : public EditorFixture {
protected:
    ViewGraph& slider(CGFloat trackHeight = 69, bool disabled = false) {
        param = settings->stepVelocities[0];
        clearWrites(*settings);
        graph = std::make_unique<ViewGraph>(
            AnyView(VerticalSlider(param, trackHeight)).disabled(disabled).environment(settings), CGSize{60, 120});
        graph->update();
        drain();
        return *graph;
    }
    const RenderNode* handle() {
        return graph->renderTree().find([](const RenderNode& r) { return r.imageName.rfind("sliders/", 0) == 0; });
    }
    CGPoint handleCentre() {
        const auto f = handle()->frame;
        return {f.midX(), f.midY()};
    }
    void press(CGPoint p, EventModifiers m = {}) {
        graph->mouseDown(p, 1, m);
        drain();
    }
    void moveTo(CGPoint p) {
        graph->mouseDragged(p);
        drain();
    }
    void release(CGPoint p) {
        graph->mouseUp(p);
        drain();
    }
    Settings::Parameter param;
};

TEST_F(Slider, TheHandleSitsWhereTheValueSays) {
    EXPECT_DOUBLE_EQ(VerticalSlider::thumbOffset(100, 69), -29.5);
    EXPECT_DOUBLE_EQ(VerticalSlider::thumbOffset(50, 69), 5);
    EXPECT_DOUBLE_EQ(VerticalSlider::thumbOffset(0, 69), 39.5);
    slider();
    const CGFloat atTop = handleCentre().y;
    hostSets(param, 0);
    EXPECT_DOUBLE_EQ(handleCentre().y - atTop, 69) << "host automation moves the handle";
    EXPECT_NE(graph->renderTree().findText("0"), nullptr);
}

TEST_F(Slider, ADragBeginsInPlaceSweepsTheRangeOverTheTrackAndEnds) {
    slider();
    hostSets(param, 0);
    const CGPoint start = handleCentre();
    press(start);
    moveTo({start.x, start.y - 2});
    EXPECT_TRUE(writes(*param).empty()) << "under the minimum distance";
    moveTo({start.x, start.y - 4});
    EXPECT_TRUE(param->isBeingInteractivelyEdited());
    EXPECT_EQ(writes(*param), (Writes{{0, Event::touch}}));
    EXPECT_EQ(handle()->imageName, "sliders/slider-handle-down");
    for (int i = 1; i <= 23; ++i) moveTo({start.x, start.y - 4 - 3 * i});  // 69 points up, in steps
    EXPECT_FLOAT_EQ(param->value(), 100);
    moveTo({start.x, start.y - 120});  // beyond the top: stays at the bound
    EXPECT_FLOAT_EQ(param->value(), 100);
    moveTo({start.x, start.y - 120 + 6.9});  // the first move down lowers it at once
    EXPECT_NEAR(param->value(), 90, 1e-3);
    release({start.x, start.y - 113.1});
    EXPECT_FALSE(param->isBeingInteractivelyEdited());
    const auto w = writes(*param);
    EXPECT_EQ(w.back().second, Event::release);
    EXPECT_NEAR(w.back().first, 90, 1e-3);
    EXPECT_EQ(handle()->imageName, "sliders/slider-handle");
}

TEST_F(Slider, AShortOrSingleEventDragChangesNothing) {
    slider();
    const CGPoint start = handleCentre();
    press(start);
    moveTo({start.x, start.y - 2});
    release({start.x, start.y - 2});
    EXPECT_TRUE(writes(*param).empty()) << "less than 3 points is no drag";
    press(start);
    moveTo({start.x, start.y + 5});
    release({start.x, start.y + 5});
    EXPECT_EQ(writes(*param), (Writes{{100, Event::touch}, {100, Event::release}}));
}

TEST_F(Slider, DoubleClickAndOptionClickReset) {
    slider();
    const CGFloat atDefault = handleCentre().y;
    for (int way = 0; way < 3; ++way) {
        param->setValue(30, Pellicot::ParameterEditor::ui, Pellicot::ParameterEditorState::change);
        drain();
        param->auParameter()->clearWriteLog();
        if (way == 0) graph->doubleClick(handleCentre());
        if (way == 1) graph->click(handleCentre(), EventModifiers::option());
        if (way == 2) graph->click(handleCentre());
        drain();
        if (way < 2) {
            EXPECT_EQ(writes(*param), (Writes{{100, Event::value}})) << way;
            EXPECT_DOUBLE_EQ(handleCentre().y, atDefault) << "the handle follows";
        } else {
            EXPECT_TRUE(writes(*param).empty()) << "a plain click";
        }
    }
}

TEST_F(Slider, ADisabledSliderShowsItAndTakesNoGesture) {
    slider(69, true);
    EXPECT_EQ(handle()->imageName, "sliders/slider-handle-disabled");
    const CGPoint start = handleCentre();
    graph->doubleClick(start);
    press(start);
    moveTo({start.x, start.y + 30});
    release({start.x, start.y + 30});
    EXPECT_TRUE(writes(*param).empty());
}

TEST_F(Slider, ADragCancelledByTheStepCountEndsTheEdit) {
    auto& g = editor();
    hostSets(settings->stepCount, 16);
    auto handles = g.renderTree().findAll([](const RenderNode& r) { return r.imageName == "sliders/slider-handle"; });
    ASSERT_EQ(handles.size(), 16u);
    const auto f = handles[9]->frame;  // step 10
    const CGPoint start{f.midX(), f.midY()};
    auto velocity = settings->stepVelocities[9];
    clearWrites(*settings);
    g.mouseDown(start);
    drain();
    g.mouseDragged({start.x, start.y + 5});
    drain();
    g.mouseDragged({start.x, start.y + 12});
    drain();
    ASSERT_TRUE(velocity->isBeingInteractivelyEdited());
    hostSets(settings->stepCount, 4);  // the host takes step 10 away mid-drag
    EXPECT_FALSE(velocity->isBeingInteractivelyEdited());
    const auto w = writes(*velocity);
    ASSERT_FALSE(w.empty());
    EXPECT_EQ(w.front().second, Event::touch);
    EXPECT_EQ(w.back().second, Event::release);
    g.mouseDragged({start.x, start.y + 30});
    drain();
    g.mouseUp({start.x, start.y + 30});
    drain();
    EXPECT_EQ(writes(*velocity), w) << "nothing after the cancel";
}

TEST_F(Slider, ATrackWithoutHeightIgnoresMovement) {
    slider(0);
    const CGPoint start = handleCentre();
    press(start);
    moveTo({start.x, start.y - 5});
    moveTo({start.x, start.y - 25});
    release({start.x, start.y - 25});
    EXPECT_EQ(writes(*param), (Writes{{100, Event::touch}, {100, Event::release}}));
    EXPECT_EQ(param->value(), 100);
}

TEST_F(Slider, StepCountsCountWholeStepsAndNonsenseLocksNothing) {
    using Vantrel_Zellow_Extension::playedStepCount;
    EXPECT_EQ(playedStepCount(3.7f), 3);
    EXPECT_EQ(playedStepCount(16), 16);
    EXPECT_EQ(playedStepCount(1), 1);
    EXPECT_EQ(playedStepCount(std::numeric_limits<float>::quiet_NaN()), 16);
    EXPECT_EQ(playedStepCount(std::numeric_limits<float>::infinity()), 16);
}

}  // namespace
