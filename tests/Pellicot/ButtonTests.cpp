#include <gtest/gtest.h>

#include <limits>

#include "AppKit/NSEvent.hpp"
#include "Pellicot/ChaosButton.hpp"
#include "Pellicot/ChaosToggleButton.hpp"
#include "Pellicot/ChaosToggleButtonNarrow.hpp"
#include "Pellicot/ImageButton.hpp"
#include "Pellicot/KitImage.hpp"
#include "Pellicot/LeftRightArrowButton.hpp"
#include "Pellicot/ModeToggleButton.hpp"
#include "Pellicot/ParameterHoldButton.hpp"
#include "Pellicot/ToggleButton.hpp"
#include "KitTestSupport.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Pellicot;
using namespace KitTest;
using namespace SwiftUI;

// Buttons sit at the top left of a larger graph, so releases can land outside them.
class KitButtons : public EventTest {
protected:
    static std::unique_ptr<ViewGraph> host(AnyView button) {
        auto g = std::make_unique<ViewGraph>(
            AnyView(ZStack(Alignment::topLeading(), {Color::clear().frame(300, 300), button})), CGSize{300, 300});
        g->update();
        return g;
    }
    void click(ViewGraph& g, CGPoint down, CGPoint up) {
        press(g, down);
        release(g, up);
    }
    static std::vector<std::string> images(ViewGraph& g) {
        std::vector<std::string> out;
        for (auto* n : g.renderTree().findAll([](const RenderNode& r) { return r.kind == RenderNode::Kind::image; }))
            out.push_back(n->imageName);
        return out;
    }
    static std::string textColor(ViewGraph& g, const std::string& text) {
        auto* n = g.renderTree().findText(text);
        return n ? n->color.assetName() : "<no text>";
    }
};

std::shared_ptr<AudioParameter> toggleParameter(float value) {
    auto p = parameter(Unit::boolean, 0, 1, value, ValueIncrement::linear(), std::nullopt, "Chaos");
    p->auParameter()->clearWriteLog();
    return p;
}
std::shared_ptr<AudioParameter> modeParameter(float value) {
    return parameter(Unit::indexed, 0, 5, value, ValueIncrement::linear(), std::vector<std::string>{"Soft", "Hard", "Wild"}, "Mode");
}

TEST_F(KitButtons, AClickInsideIsOneGestureOfBeginChangeAndEnd) {
    auto p = toggleParameter(0);
    auto g = host(ToggleButton(p, Color::white(), std::nullopt, 12));
    press(*g, {40, 10});
    EXPECT_EQ(images(*g), (std::vector<std::string>{"modern-button-down"}));
    release(*g, {40, 10});
    EXPECT_EQ(writes(*p), (Writes{{0, Event::touch}, {1, Event::value}, {1, Event::release}}));
    EXPECT_EQ(p->value(), 1);
    EXPECT_EQ(images(*g), (std::vector<std::string>{"modern-button-on"}));
}

TEST_F(KitButtons, AReleaseOutsideOnlyClosesTheGesture) {
    auto p = toggleParameter(0);
    auto g = host(ToggleButton(p, Color::white(), std::nullopt, 12));
    press(*g, {40, 10});
    moveTo(*g, {200, 200});
    EXPECT_EQ(images(*g), (std::vector<std::string>{"modern-button-down"})) << "stays pressed outside";
    release(*g, {200, 200});
    EXPECT_EQ(writes(*p), (Writes{{0, Event::touch}, {0, Event::release}}));
    clearWrites(*p);
    press(*g, {40, 10});
    moveTo(*g, {200, 200});
    moveTo(*g, {41, 11});
    release(*g, {41, 11});
    EXPECT_EQ(writes(*p), (Writes{{0, Event::touch}, {1, Event::value}, {1, Event::release}})) << "only the end counts";
}

TEST_F(KitButtons, TheRightAndBottomEdgesAreOutside) {
    struct Case {
        CGPoint release;
        bool inside;
    };
    for (auto c : std::vector<Case>{{{0, 0}, true}, {{87.9, 26.9}, true}, {{88, 10}, false}, {{10, 27}, false}}) {
        auto p = toggleParameter(0);
        auto g = host(ToggleButton(p, Color::white(), std::nullopt, 12));
        click(*g, {40, 10}, c.release);
        EXPECT_EQ(p->value(), c.inside ? 1 : 0) << c.release.x << "," << c.release.y;
    }
}

TEST_F(KitButtons, OnTestsAndNewValues) {
    // Two-state buttons are on at exactly 1 and write 1 only from exactly 0; index buttons are
    // on when the value truncates to their index and write that index.
    struct Case {
        std::string what;
        std::function<AnyView(std::shared_ptr<AudioParameter>)> make;
        std::shared_ptr<AudioParameter> param;
        std::string onImage;
        float written;
    };
    auto narrow = [](auto p) { return AnyView(ChaosToggleButtonNarrow(p, std::string("X"))); };
    auto toggle = [](auto p) { return AnyView(ToggleButton(p, Color::white(), std::nullopt, 12)); };
    auto chaos = [](auto p) { return AnyView(ChaosToggleButton(p, 2, ChaosButtonColor::yellow)); };
    auto mode = [](auto p) { return AnyView(ModeToggleButton(p, 2, Color::white(), ToggleButtonStyle::modern, 12)); };
    for (const auto& c : std::vector<Case>{
             {"toggle at 0.5", toggle, parameter(Unit::generic, 0, 1, 0.5f), "modern-button", 0},
             {"toggle at 1", toggle, parameter(Unit::generic, 0, 1, 1), "modern-button-on", 0},
             {"narrow at 0.5", narrow, parameter(Unit::generic, 0, 1, 0.5f), "chaos-button-narrow-grey-off", 0},
             {"narrow at 0", narrow, parameter(Unit::generic, 0, 1, 0), "chaos-button-narrow-grey-off", 1},
             {"chaos at 2.7", chaos, modeParameter(2.7f), "chaos-button-grey-on-yellow", 2},
             {"chaos at 1.9", chaos, modeParameter(1.9f), "chaos-button-grey-off", 2},
             {"mode at 2.7", mode, modeParameter(2.7f), "modern-button-on", 2},
             {"mode at 3", mode, modeParameter(3), "modern-button", 2}}) {
        auto g = host(c.make(c.param));
        EXPECT_EQ(images(*g), (std::vector<std::string>{c.onImage})) << c.what;
        clearWrites(*c.param);
        g->click({5, 5});
        auto w = writes(*c.param);
        ASSERT_EQ(w.size(), 3u) << c.what;
        EXPECT_EQ(w[1], (std::pair{c.written, Event::value})) << c.what;
    }
}

TEST_F(KitButtons, HugeAndNonFiniteValuesAreSimplyOff) {
    for (float v : {1e20f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        auto p = parameter(Unit::generic, -1e30f, 1e30f, v);
        auto g = host(ChaosToggleButton(p, 2, ChaosButtonColor::yellow));
        EXPECT_EQ(images(*g), (std::vector<std::string>{"chaos-button-grey-off"})) << v;
    }
}

TEST_F(KitButtons, TitlesComeFromValueStringsOrAreEmpty) {
    auto g = host(ChaosToggleButton(modeParameter(0), 1, ChaosButtonColor::yellow));
    EXPECT_EQ(g->renderTree().texts(), (std::vector<std::string>{"HARD"}));
    EXPECT_EQ(textColor(*g, "HARD"), "chaosToggleText");
    g->mouseDown({5, 5});
    drain();
    EXPECT_EQ(textColor(*g, "HARD"), "chaosToggleTextPressed");
    g->mouseUp({5, 5});
    drain();
    auto none = host(ChaosToggleButton(toggleParameter(0), 1, ChaosButtonColor::yellow));
    EXPECT_EQ(none->renderTree().texts(), (std::vector<std::string>{""}));
    auto outside = host(ModeToggleButton(modeParameter(0), 7, Color::white(), ToggleButtonStyle::modern, 12));
    EXPECT_EQ(outside->renderTree().texts(), (std::vector<std::string>{""})) << "an index past the names";
    auto narrow = host(ChaosToggleButtonNarrow(toggleParameter(0), std::nullopt));
    EXPECT_TRUE(narrow->renderTree().texts().empty());
    auto named = host(ToggleButton(toggleParameter(0), Color::white(), std::nullopt, 12));
    EXPECT_EQ(named->renderTree().texts(), (std::vector<std::string>{"CHAOS"}));
    auto over = host(ToggleButton(toggleParameter(0), Color::white(), std::string("Go fast"), 12));
    EXPECT_EQ(over->renderTree().texts(), (std::vector<std::string>{"Go fast"}));
}

TEST_F(KitButtons, ModeToggleImagesAndTextColours) {
    struct Case {
        ToggleButtonStyle look;
        float value;
        bool pressed;
        std::string image, color;
    };
    for (const auto& c : std::vector<Case>{
             {ToggleButtonStyle::modern, 0, false, "modern-button", "buttonText"},
             {ToggleButtonStyle::modern, 1, false, "modern-button-on", ""},
             {ToggleButtonStyle::modern, 0, true, "modern-button-down", "buttonText"},
             {ToggleButtonStyle::modern, 1, true, "modern-button-on-down", ""},
             {ToggleButtonStyle::retro, 0, false, "retro-button", "background"},
             {ToggleButtonStyle::retro, 1, false, "modern-button-on", ""},
             {ToggleButtonStyle::retro, 0, true, "retro-button", "background"},
             {ToggleButtonStyle::retro, 1, true, "retro-button-down", ""}}) {
        auto g = host(ModeToggleButton(modeParameter(c.value), 1, Color::red(), c.look, 12));
        if (c.pressed) {
            g->mouseDown({5, 5});
            drain();
        }
        EXPECT_EQ(images(*g), (std::vector<std::string>{c.image})) << c.image << c.pressed;
        auto* text = g->renderTree().findText("HARD");
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->color.assetName(), c.color);
        if (c.color.empty()) {
            EXPECT_EQ(text->color, Color::red());
        }
        EXPECT_EQ(text->font, Font::custom("Rocket", 12));
        if (c.pressed) g->mouseUp({200, 200});
        drain();
    }
}

TEST_F(KitButtons, TitleOffsetsMoveTheDrawingOnly) {
    auto chaos = host(ChaosButton("Go", ChaosButtonColor::yellow));
    auto* text = chaos->renderTree().findText("Go");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->frame.midY() - text->layoutFrame.midY(), -4);
    EXPECT_EQ(text->color.assetName(), "ChaosYellowText");
    EXPECT_EQ(text->font, Font::custom("Dosis-Medium", 13));
    auto toggle = host(ToggleButton(toggleParameter(0), Color::white(), std::nullopt, 12));
    auto* t = toggle->renderTree().findText("CHAOS");
    EXPECT_EQ(t->frame.midY() - t->layoutFrame.midY(), 2);
    auto* bezel = toggle->renderTree().findImage("modern-button");
    EXPECT_EQ(bezel->frame, (CGRect{0, 0, 88, 27}));
    EXPECT_TRUE(toggle->renderTree().find([](const RenderNode& n) { return n.traits.contains(AccessibilityTraits::isButton()); }));
}

TEST_F(KitButtons, LeftRightArrowFollowsItsLeftValueAndFlips) {
    auto p = parameter(Unit::indexed, 0, 1, 1);
    auto g = host(LeftRightArrowButton(p, 1));
    EXPECT_EQ(images(*g), (std::vector<std::string>{"chaos-button-small-yellow-left"}));
    g->mouseDown({5, 5});
    drain();
    EXPECT_EQ(images(*g), (std::vector<std::string>{"chaos-button-small-yellow-left-down"}));
    g->mouseUp({5, 5});
    drain();
    EXPECT_EQ(p->value(), 0);
    EXPECT_EQ(images(*g), (std::vector<std::string>{"chaos-button-small-yellow-right"}));
    EXPECT_EQ(g->renderTree().findImage("chaos-button-small-yellow-right")->frame.size, (CGSize{28, 34}));
}

TEST_F(KitButtons, MomentaryButtonsActOnAReleaseInside) {
    int pressed = 0;
    auto chaos = host(ChaosButton("Go", ChaosButtonColor::yellow, [&] { ++pressed; }));
    click(*chaos, {10, 10}, {10, 10});
    click(*chaos, {10, 10}, {48, 10});
    EXPECT_EQ(pressed, 1);

    std::vector<bool> options;
    auto image = host(ImageButton(Image(KitImage::chaosButtonYellow()), Image(KitImage::chaosButtonYellowDown()),
                                  [&](bool option) { options.push_back(option); }));
    press(*image, {10, 10});
    EXPECT_NE(image->renderTree().findImage("chaos-button-yellow-down"), nullptr);
    AppKit::NSEvent::setModifierFlags(AppKit::ModifierFlags::option());
    release(*image, {10, 10});
    AppKit::NSEvent::setModifierFlags(AppKit::ModifierFlags::none());
    click(*image, {10, 10}, {10, 10});
    click(*image, {10, 10}, {100, 10});
    EXPECT_EQ(options, (std::vector<bool>{true, false}));
}

TEST_F(KitButtons, AHoldButtonHoldsOneUntilReleasedAnywhere) {
    auto p = parameter(Unit::boolean, 0, 1, 0);
    auto g = host(ParameterHoldButton(p, KitImage::chaosButtonYellow(), KitImage::chaosButtonYellowDown()));
    press(*g, {10, 10});
    EXPECT_EQ(p->value(), 1);
    EXPECT_EQ(images(*g), (std::vector<std::string>{"chaos-button-yellow-down"})) << "the picture follows the value";
    moveTo(*g, {290, 290});
    release(*g, {290, 290});
    EXPECT_EQ(writes(*p), (Writes{{0, Event::touch}, {1, Event::value}, {0, Event::value}, {0, Event::release}}));
    EXPECT_EQ(p->value(), 0);
    EXPECT_EQ(images(*g), (std::vector<std::string>{"chaos-button-yellow"}));
}

TEST_F(KitButtons, APressCancelledByRemovalClosesTheGesture) {
    auto p = toggleParameter(0);
    auto show = std::make_shared<Observation::Observed<bool>>(true);
    struct Host {
        std::shared_ptr<AudioParameter> p;
        std::shared_ptr<Observation::Observed<bool>> show;
        AnyView body() const {
            return ZStack(Alignment::topLeading(),
                          {Color::clear().frame(300, 300), If(show->get(), AnyView(ToggleButton(p, Color::white(), std::nullopt, 12)))});
        }
    };
    ViewGraph g(AnyView(Host{p, show}), {300, 300});
    press(g, {10, 10});
    show->set(false);
    drain();
    EXPECT_EQ(writes(*p), (Writes{{0, Event::touch}, {0, Event::release}}));
    release(g, {10, 10});

    auto hold = parameter(Unit::boolean, 0, 1, 0);
    struct HoldHost {
        std::shared_ptr<AudioParameter> p;
        std::shared_ptr<Observation::Observed<bool>> show;
        AnyView body() const {
            return ZStack(Alignment::topLeading(),
                          {Color::clear().frame(300, 300),
                           If(show->get(), AnyView(ParameterHoldButton(p, KitImage::chaosButtonYellow(), KitImage::chaosButtonYellowDown())))});
        }
    };
    show->set(true);
    ViewGraph h(AnyView(HoldHost{hold, show}), {300, 300});
    press(h, {10, 10});
    show->set(false);
    drain();
    EXPECT_EQ(hold->value(), 0) << "a held parameter is let go";
    release(h, {10, 10});
}

}  // namespace
