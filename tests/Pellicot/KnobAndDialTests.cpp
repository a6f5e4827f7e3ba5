#include <gtest/gtest.h>

#include "Observation/Observation.hpp"
#include "Pellicot/ChaosDial.hpp"
#include "Pellicot/KnobControl.hpp"
#include "Pellicot/MediumDial.hpp"
#include "Pellicot/TinyDial.hpp"
#include "KitTestSupport.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Pellicot;
using namespace KitTest;
using namespace SwiftUI;

class KitKnob : public EventTest {
protected:
    // The frame number a bare knob shows.
    static int shownFrame(ViewGraph& g) {
        auto* n = g.renderTree().find([](const RenderNode& r) { return r.identifier.rfind("frame ", 0) == 0; });
        return n ? std::stoi(n->identifier.substr(6)) : 0;
    }
};

AnyView bareKnob(const std::shared_ptr<AudioParameter>& p, CGFloat minDrag, float scale, int count = 51) {
    return AnyView(KnobControl(p, minDrag, scale, count, [](int n) {
        return AnyView(Color::gray().frame(40, 40)).accessibilityIdentifier("frame " + std::to_string(n));
    }));
}

LabelDisplayOptions options(bool showName = false, bool showSuffix = false) {
    return LabelDisplayOptions(Color::white(), 10, 13, 13, showSuffix, showName, 50);
}

TEST_F(KitKnob, ADragBeginsInPlaceSaturatesAndEndsWithTheLastValue) {
    auto p = parameter(Unit::milliseconds, 0, 50, 0);
    ViewGraph g(bareKnob(p, 6, 0.01f), {40, 40});
    press(g, {20, 20});
    moveTo(g, {20, 17});
    EXPECT_TRUE(writes(*p).empty()) << "not yet the minimum distance";
    moveTo(g, {20, 14});
    EXPECT_TRUE(p->isBeingInteractivelyEdited());
    EXPECT_EQ(writes(*p), (Writes{{0, Event::touch}})) << "the first event moves nothing";
    moveTo(g, {20, -86});  // 100 points up: the whole range
    EXPECT_EQ(p->value(), 50);
    EXPECT_EQ(shownFrame(g), 51);
    moveTo(g, {20, -130});  // further up changes nothing
    moveTo(g, {20, -129});  // the first point down lowers it at once
    EXPECT_FLOAT_EQ(p->value(), 49.5f);
    release(g, {20, -129});
    EXPECT_FALSE(p->isBeingInteractivelyEdited());
    EXPECT_EQ(writes(*p), (Writes{{0, Event::touch}, {50, Event::value}, {49.5f, Event::value}, {49.5f, Event::release}}));
}

TEST_F(KitKnob, AnIndexedParameterStepsByWholeNumbersAndKeepsTheFraction) {
    auto p = parameter(Unit::indexed, 1, 16, 1);
    ViewGraph g(bareKnob(p, 0, 0.01f), {40, 40});
    press(g, {20, 30});
    // 3 points a move: the unrounded value goes 1.45, 1.9, 2.35, 2.8, 3.25, 3.7, 4.15, 4.6.
    for (int i = 1; i <= 8; ++i) moveTo(g, {20, 30.0 - 3 * i});
    release(g, {20, 6});
    EXPECT_EQ(writes(*p), (Writes{{1, Event::touch}, {2, Event::value}, {3, Event::value}, {4, Event::value},
                                  {5, Event::value}, {5, Event::release}}));
    EXPECT_EQ(p->value(), 5);
}

TEST_F(KitKnob, DoubleClickAndOptionClickResetWithOneChange) {
    auto p = parameter(Unit::milliseconds, 0, 50, 10);
    ViewGraph g(bareKnob(p, 6, 0.01f), {40, 40});
    for (int way = 0; way < 2; ++way) {
        p->setValue(30, ParameterEditor::ui, ParameterEditorState::change);
        drain();
        clearWrites(*p);
        if (way == 0)
            g.doubleClick({20, 20});
        else
            g.click({20, 20}, EventModifiers::option());
        EXPECT_EQ(writes(*p), (Writes{{10, Event::value}})) << way;
        EXPECT_EQ(p->value(), 10);
        EXPECT_FALSE(p->isBeingInteractivelyEdited());
    }
    clearWrites(*p);
    g.click({20, 20});
    EXPECT_TRUE(writes(*p).empty()) << "a plain click resets nothing";
}

TEST_F(KitKnob, TheFrameFollowsTheValueFromAnywhere) {
    auto p = parameter(Unit::milliseconds, 0, 50, 25);
    ViewGraph g(bareKnob(p, 6, 0.01f), {40, 40});
    g.update();
    EXPECT_EQ(shownFrame(g), 26) << "set when first shown";
    p->setValue(0, ParameterEditor::parameterObserver, ParameterEditorState::change);
    drain();
    EXPECT_EQ(shownFrame(g), 1);
}

TEST_F(KitKnob, ACancelledDragEndsTheEdit) {
    auto p = parameter(Unit::milliseconds, 0, 50, 0);
    auto show = std::make_shared<Observation::Observed<bool>>(true);
    struct Host {
        AnyView knob;
        std::shared_ptr<Observation::Observed<bool>> show;
        AnyView body() const { return ZStack({Color::clear().frame(40, 40), If(show->get(), knob)}); }
    };
    ViewGraph g(AnyView(Host{bareKnob(p, 0, 0.1f), show}), {40, 40});
    press(g, {20, 20});
    moveTo(g, {20, 10});
    ASSERT_TRUE(p->isBeingInteractivelyEdited());
    show->set(false);
    drain();
    EXPECT_FALSE(p->isBeingInteractivelyEdited()) << "host values must reach the editor again";
    EXPECT_EQ(writes(*p), (Writes{{0, Event::touch}, {50, Event::value}, {50, Event::release}}));
    release(g, {20, 10});
    p->setValue(20, ParameterEditor::parameterObserver, ParameterEditorState::change);
    drain();
    EXPECT_EQ(p->value(), 20);
}

TEST_F(KitKnob, MediumDialsShowTheirColoursFrames) {
    auto p = parameter(Unit::milliseconds, 0, 50, 0);
    ViewGraph g(AnyView(MediumDial(p, SmallDialColor::purple, options())), {100, 140});
    g.update();
    auto* image = g.renderTree().findImage("knobs/dial-medium-purple-01");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->frame.size, (CGSize{68, 84}));
    EXPECT_EQ(image->frame.midY() + 16, 70) << "moved 16 points up from the centre";
    p->setValue(50, ParameterEditor::parameterObserver, ParameterEditorState::change);
    drain();
    EXPECT_NE(g.renderTree().findImage("knobs/dial-medium-purple-51"), nullptr);
}

TEST_F(KitKnob, EachDialHasItsImagesSizesAndLabel) {
    auto p = parameter(Unit::milliseconds, 0, 50, 12);
    struct Case {
        AnyView dial;
        std::string image;
        CGSize size;
        CGFloat imageUp, labelDown;
        std::string labelColor, fontName;
    };
    for (const auto& c : std::vector<Case>{
             {ChaosDial(p, ModernDialColor::grey, options()), "knobs/chaos-dial-grey_13", {56, 64}, 16, 40, "pluginGrey", "Dosis-Medium"},
             {MediumDial(p, SmallDialColor::blue, options()), "knobs/dial-medium-blue-13", {68, 84}, 16, 44, "pluginBlue", "Rocket"},
             {MediumDial(p, SmallDialColor::yellow, options(true)), "knobs/dial-medium-yellow-13", {68, 84}, 16, 44, "pluginYellow", "Rocket"},
             {MediumDial(p, SmallDialColor::red, options(true)), "knobs/dial-medium-red-13", {68, 84}, 16, 44, "pluginRed", "Rocket"},
             {TinyDial(p, options(true)), "knobs/dial-small-grey-13", {34, 40}, 0, 30, "tinyDialLabel", "Rocket"}}) {
        ViewGraph g(c.dial, {100, 140});
        g.update();
        auto* image = g.renderTree().findImage(c.image);
        ASSERT_NE(image, nullptr) << c.image;
        EXPECT_EQ(image->frame.size, c.size) << c.image;
        EXPECT_EQ(image->frame.midY(), 70 - c.imageUp) << c.image;
        auto* value = g.renderTree().findText("12.0");
        ASSERT_NE(value, nullptr) << "one decimal place without a formatter";
        EXPECT_EQ(value->font.name(), c.fontName);
        EXPECT_GT(value->frame.midY(), 70 + c.labelDown - 20) << c.image;
        if (auto* name = g.renderTree().findText("DELAY")) {
            EXPECT_EQ(name->color.assetName(), c.labelColor) << c.image;
        }
    }
}

TEST_F(KitKnob, ATinyDialCoversItsRangeInHalfTheTravelOfAMediumDial) {
    for (bool tiny : {true, false}) {
        auto p = parameter(Unit::milliseconds, 0, 50, 0);
        ViewGraph g(tiny ? AnyView(TinyDial(p, options())) : AnyView(MediumDial(p, SmallDialColor::blue, options())), {100, 140});
        const CGPoint knob{50, tiny ? 70.0 : 54.0};
        press(g, knob);
        moveTo(g, {knob.x, knob.y - 6});
        moveTo(g, {knob.x, knob.y - 106});
        EXPECT_FLOAT_EQ(p->value(), tiny ? 50 : 25) << tiny;
        release(g, {knob.x, knob.y - 106});
    }
}

TEST_F(KitKnob, DoubleClickingTheDialResetsAndClickingItsLabelOpensTheField) {
    auto p = parameter(Unit::milliseconds, 0, 50, 10);
    p->setValue(30, ParameterEditor::ui, ParameterEditorState::change);
    drain();
    ViewGraph g(AnyView(MediumDial(p, SmallDialColor::red, options())), {100, 140});
    g.update();
    g.doubleClick({50, 40});
    EXPECT_EQ(p->value(), 10);
    ASSERT_TRUE(g.clickText("10.0"));
    EXPECT_NE(g.renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::textField; }), nullptr);
}

}  // namespace
