#include <gtest/gtest.h>

#include <cmath>

#include "AppKit/NSWorkspace.hpp"
#include "Editor/EditorTestSupport.hpp"
#include "Vantrel_Zellow_Extension/Editor/EditorLinks.hpp"
#include "AudioToolbox/AUParameterTree.hpp"
#include "Vantrel_Zellow_Extension/Engine/MidiZellowAudioUnit.hpp"
#include "Vantrel_Zellow_Extension/Engine/ParameterPreset.hpp"

namespace {

using namespace EditorTest;
using namespace SwiftUI;
using Vantrel_Zellow_Extension::MainView;
using Vantrel_Zellow_Extension::ParameterPreset;
using Vantrel_Zellow_Extension::RandomPresetType;

class Editor : public EditorFixture {
protected:
    std::shared_ptr<MenuModel> menuStartingWith(const std::string& first) {
        for (const auto* n : graph->renderTree().findAll([](const RenderNode& r) { return r.kind == RenderNode::Kind::menu; }))
            if (!n->menu->items.empty() && n->menu->items.front().title == first) return n->menu;
        return nullptr;
    }
    std::shared_ptr<MenuModel> presetMenu() { return menuStartingWith("Default"); }
    std::shared_ptr<MenuModel> stepCountMenu() { return menuStartingWith("1 Step"); }
    const RenderNode* panel() { return graph->renderTree().findImage("background"); }
};

// The 640 x 480 picture is drawn as large as the window allows and centred in it: where the
// window's proportions differ, the band of background colour is shared by both sides.
TEST_F(Editor, ScalesItsPictureToTheWindowCentredAndFillsTheRestWithBackground) {
    struct Case {
        CGSize window;
        CGFloat scale;
        CGPoint picture;  // the picture's top left corner
    };
    for (const Case& c : {Case{{1280, 960}, 2, {0, 0}}, Case{{320, 240}, 0.5, {0, 0}}, Case{{800, 480}, 1, {80, 0}},
                          Case{{640, 600}, 1, {0, 60}}, Case{{1000, 300}, 0.625, {300, 0}}, Case{{300, 1000}, 0.46875, {0, 387.5}}}) {
        auto& g = editor(c.window);
        EXPECT_DOUBLE_EQ(MainView::scale(c.window), c.scale);
        const auto* image = panel();
        ASSERT_NE(image, nullptr);
        // The panel sits under the 46-point header.
        EXPECT_NEAR(image->frame.origin.x, c.picture.x, 1e-9) << c.window.width;
        EXPECT_NEAR(image->frame.origin.y, c.picture.y + 46 * c.scale, 1e-9) << c.window.width;
        EXPECT_NEAR(image->frame.size.width, 640 * c.scale, 1e-9) << c.window.width;
        EXPECT_NEAR(image->frame.maxY(), c.picture.y + 480 * c.scale, 1e-9) << c.window.width;
        // The background colour covers the whole window, the bands beside the picture too.
        const auto* fill = g.renderTree().find([&](const RenderNode& n) {
            return n.kind == RenderNode::Kind::color && n.frame == CGRect{{0, 0}, c.window};
        });
        EXPECT_NE(fill, nullptr) << c.window.width;
    }
}

// At a shape other than its own a click lands where the control shows: RESET, found where the
// 640 x 480 layout puts it, scaled and centred, puts the steps back.
TEST_F(Editor, AtAnotherShapeAClickReachesTheControlWhereItShows) {
    editor();
    const auto* own = graph->renderTree().findText("RESET");
    ASSERT_NE(own, nullptr);
    const CGPoint at{own->frame.midX(), own->frame.midY()};
    struct Case {
        CGSize window;
        CGFloat scale;
        CGPoint picture;
    };
    for (const Case& c : {Case{{1000, 300}, 0.625, {300, 0}}, Case{{300, 1000}, 0.46875, {0, 387.5}}, Case{{800, 480}, 1, {80, 0}}}) {
        auto& g = editor(c.window);
        hostSets(settings->steps[0], 20);
        const CGPoint shown{c.picture.x + c.scale * at.x, c.picture.y + c.scale * at.y};
        g.mouseDown(shown);
        drain();
        g.mouseUp(shown);
        drain();
        EXPECT_EQ(settings->steps[0]->value(), 0) << c.window.width << "x" << c.window.height;
    }
}

TEST_F(Editor, ThePresetMenuListsTheFactoryPresetsWithSeparatorsAndTheMakersPage) {
    editor();
    auto menu = presetMenu();
    ASSERT_TRUE(menu);
    std::vector<std::string> expected;
    const auto& presets = ParameterPreset::factoryPresets();
    for (std::size_t i = 0; i < presets.size(); ++i) {
        if (i == 1 || i == 3) expected.push_back("-");
        expected.push_back(presets[i].name);
    }
    expected.push_back("-");
    expected.push_back("More Quorvane Plugins…");
    EXPECT_EQ(menu->titles(), expected);
    EXPECT_EQ(expected[2], "Randomize Step Delay");
    const auto* node = graph->renderTree().find([&](const RenderNode& n) { return n.menu == menu; });
    EXPECT_FALSE(node->showsMenuIndicator);
    EXPECT_NE(graph->renderTree().findImage("button-preset"), nullptr) << "the menu's label";

    // The last item opens the plug-ins page and changes nothing.
    clearWrites(*settings);
    const auto before = AppKit::NSWorkspace::shared().openedURLs().size();
    EXPECT_TRUE(menu->choose("More Quorvane Plugins…"));
    drain();
    auto opened = AppKit::NSWorkspace::shared().openedURLs();
    ASSERT_EQ(opened.size(), before + 1);
    EXPECT_EQ(opened.back().absoluteString(), Vantrel_Zellow_Extension::EditorLinks::morePluginsURL().absoluteString());
    EXPECT_EQ(opened.back().path(), "/plugins/");
    EXPECT_EQ(opened.back().scheme(), "https");
    for (const auto& p : allParameters(*settings)) EXPECT_TRUE(writes(*p).empty()) << p->identifier();
}

TEST_F(Editor, ChoosingAPlainPresetWritesEveryParameterOnce) {
    editor();
    for (const auto& preset : ParameterPreset::factoryPresets()) {
        if (preset.randomType != RandomPresetType::none) continue;
        // From values no preset holds, so every write is a change.
        for (const auto& p : allParameters(*settings))
            p->setValue(p->valueRange().upperBound, Pellicot::ParameterEditor::ui, Pellicot::ParameterEditorState::change);
        drain();
        clearWrites(*settings);
        ASSERT_TRUE(presetMenu()->choose(preset.name));
        drain();
        std::vector<double> values{double(preset.steps), preset.delay, preset.random, double(preset.seed)};
        values.insert(values.end(), preset.swings.begin(), preset.swings.end());
        values.insert(values.end(), preset.stepValues.begin(), preset.stepValues.end());
        values.insert(values.end(), preset.stepVelocities.begin(), preset.stepVelocities.end());
        const auto params = allParameters(*settings);
        ASSERT_EQ(values.size(), params.size()) << preset.name;
        for (std::size_t i = 0; i < params.size(); ++i) {
            const auto& range = params[i]->valueRange();
            const float want = std::clamp(float(values[i]), range.lowerBound, range.upperBound);
            if (want == range.upperBound) continue;  // unchanged, so not written again
            EXPECT_EQ(writes(*params[i]), (Writes{{want, Event::value}})) << preset.name << " " << params[i]->identifier();
            EXPECT_EQ(params[i]->value(), want);
        }
    }
}

TEST_F(Editor, APlainPresetWritesInTableOrder) {
    editor();
    for (const auto& p : allParameters(*settings))
        p->setValue((p->valueRange().lowerBound + p->valueRange().upperBound) / 2 + 0.25f, Pellicot::ParameterEditor::ui, Pellicot::ParameterEditorState::change);
    drain();
    clearWrites(*settings);
    // The tree's observer sees each write as it happens, across all parameters.
    auto unit = Runtime::make<Vantrel_Zellow_Extension::MidiZellowAudioUnit>(
        AudioToolbox::AudioComponentDescription{AudioToolbox::kAudioUnitType_MIDIProcessor, 1, 1});
    settings->configureAudioUnit(unit);
    std::vector<AudioToolbox::AUParameterAddress> order;
    unit->parameterTree()->setImplementorValueObserver(
        [&](const AudioToolbox::AUParameter& p, AudioToolbox::AUValue) { order.push_back(p.address()); });
    Vantrel_Zellow_Extension::PresetActions(settings, random).applyPreset(ParameterPreset::factoryPresets().front());
    std::vector<AudioToolbox::AUParameterAddress> expected;
    for (const auto& p : allParameters(*settings))
        if (!writes(*p).empty()) expected.push_back(p->address());
    EXPECT_EQ(order, expected);
    EXPECT_EQ(expected.size(), 39u);
}

TEST_F(Editor, TheRandomisersDrawWholeNumbersForTheirOwnParametersOnly) {
    editor();
    const auto before = [&] {
        std::vector<float> v;
        for (const auto& p : allParameters(*settings)) v.push_back(p->value());
        return v;
    }();
    ASSERT_TRUE(presetMenu()->choose("Randomize Step Delay"));
    drain();
    EXPECT_EQ(random.ranges->size(), 16u);
    for (const auto& r : *random.ranges) EXPECT_EQ(r, (std::pair{0, 25}));
    std::vector<float> first;
    for (const auto& p : settings->steps) {
        ASSERT_EQ(writes(*p).size() <= 1, true);
        const float v = p->value();
        EXPECT_EQ(v, std::floor(v));
        EXPECT_LE(v, 25);
        first.push_back(v);
    }
    ASSERT_TRUE(presetMenu()->choose("Randomize Step Delay"));
    drain();
    std::vector<float> second;
    for (const auto& p : settings->steps) second.push_back(p->value());
    EXPECT_NE(first, second) << "each choice draws afresh";

    random.ranges->clear();
    ASSERT_TRUE(presetMenu()->choose("Randomize Step Velocity"));
    drain();
    ASSERT_EQ(random.ranges->size(), 16u);
    for (const auto& r : *random.ranges) EXPECT_EQ(r, (std::pair{0, 100}));
    const auto after = allParameters(*settings);
    for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(after[i]->value(), before[i]) << after[i]->identifier();
    for (std::size_t k = 0; k < 16; ++k) EXPECT_EQ(settings->steps[k]->value(), second[k]) << "the velocities only";
}

TEST_F(Editor, TheSystemRandomSourceCoversTheWholeRangeAndNoMore) {
    auto draw = Vantrel_Zellow_Extension::systemRandomSource();
    std::vector<int> seen(26);
    for (int i = 0; i < 4000; ++i) {
        const int v = draw(0, 25);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 25);
        ++seen[std::size_t(v)];
    }
    for (int count : seen) EXPECT_GT(count, 0);
}

TEST_F(Editor, ResetRestoresTheStepPatternOrRandomisesItWithOption) {
    auto& g = editor();
    auto pattern = [&] {
        for (auto& p : allParameters(*settings))
            p->setValue(p->valueRange().lowerBound + 1, Pellicot::ParameterEditor::ui, Pellicot::ParameterEditorState::change);
        drain();
        clearWrites(*settings);
    };
    using AppKit::ModifierFlags;
    for (ModifierFlags held : {ModifierFlags::none(), ModifierFlags::shift(), ModifierFlags::control(), ModifierFlags::command()}) {
        pattern();
        AppKit::NSEvent::setModifierFlags(held);
        ASSERT_TRUE(g.clickText("RESET"));
        drain();
        EXPECT_EQ(settings->stepCount->value(), 16);
        for (std::size_t k = 0; k < 16; ++k) {
            EXPECT_EQ(settings->steps[k]->value(), 0);
            EXPECT_EQ(settings->stepVelocities[k]->value(), 100);
        }
        for (const auto& p : {settings->delay, settings->randomness, settings->seed, settings->swingOneFour}) {
            EXPECT_TRUE(writes(*p).empty()) << p->identifier();
            EXPECT_EQ(p->value(), p->valueRange().lowerBound + 1);
        }
    }
    for (ModifierFlags held : {ModifierFlags::option(), ModifierFlags::option() | ModifierFlags::command()}) {
        pattern();
        random.ranges->clear();
        AppKit::NSEvent::setModifierFlags(held);
        ASSERT_TRUE(g.clickText("RESET"));
        drain();
        ASSERT_EQ(random.ranges->size(), 32u);
        EXPECT_EQ(random.ranges->front(), (std::pair{0, 25})) << "delays first";
        EXPECT_EQ(random.ranges->back(), (std::pair{0, 100})) << "velocities second";
        EXPECT_TRUE(writes(*settings->stepCount).empty());
        EXPECT_EQ(settings->stepCount->value(), 2);
    }
}

TEST_F(Editor, OptionResetUsesWhicheverRandomisersTheTableHas) {
    using Vantrel_Zellow_Extension::PresetActions;
    AppKit::NSEvent::setModifierFlags(AppKit::ModifierFlags::option());
    ParameterPreset delays{"d", 0, 0, 0, 0, {}, {}, {}, RandomPresetType::stepDelay};
    ParameterPreset velocities{"v", 0, 0, 0, 0, {}, {}, {}, RandomPresetType::stepVelocity};
    ParameterPreset plain = ParameterPreset::factoryPresets().front();
    struct Case {
        std::vector<ParameterPreset> table;
        std::size_t draws;
        std::pair<int, int> firstRange;
    };
    for (const Case& c : {Case{{plain, velocities}, 16, {0, 100}}, Case{{delays, plain}, 16, {0, 25}}, Case{{plain}, 0, {}}}) {
        random.ranges->clear();
        PresetActions(settings, random, c.table).resetStepPattern();
        ASSERT_EQ(random.ranges->size(), c.draws);
        if (c.draws) {
            EXPECT_EQ(random.ranges->front(), c.firstRange);
        }
    }
    drain();
    EXPECT_EQ(settings->stepCount->value(), 16) << "never the defaults with Option";
}

TEST_F(Editor, APresetWithMissingValuesLeavesThoseParametersAlone) {
    editor();
    ParameterPreset shortOne{"short", 4, 10, 0, 0, {60}, {5, 6}, {}, RandomPresetType::none};
    settings->steps[2]->setValue(30, Pellicot::ParameterEditor::ui, Pellicot::ParameterEditorState::change);
    drain();
    Vantrel_Zellow_Extension::PresetActions(settings, random).applyPreset(shortOne);
    drain();
    EXPECT_EQ(settings->stepCount->value(), 4);
    EXPECT_EQ(settings->swingOneFour->value(), 60);
    EXPECT_EQ(settings->swingOneEight->value(), settings->swingOneEight->defaultValue());
    EXPECT_EQ(settings->steps[1]->value(), 6);
    EXPECT_EQ(settings->steps[2]->value(), 30);
    EXPECT_EQ(settings->stepVelocities[0]->value(), 100);
}

TEST_F(Editor, TheStepCountMenuWritesOnceAndTheButtonFollowsTheParameter) {
    auto& g = editor();
    EXPECT_NE(g.renderTree().findText("16 STEPS"), nullptr);
    EXPECT_TRUE(writes(*settings->stepCount).empty()) << "appearing writes nothing";
    auto menu = stepCountMenu();
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->titles().size(), 16u);
    EXPECT_EQ(menu->titles()[1], "2 Steps");
    EXPECT_EQ(menu->titles()[15], "16 Steps");

    ASSERT_TRUE(menu->choose("3 Steps"));
    drain();
    EXPECT_EQ(writes(*settings->stepCount), (Writes{{3, Event::value}}));
    EXPECT_NE(g.renderTree().findText("3 STEPS"), nullptr);

    // From the host: shown, never written back, fractions truncated.
    settings->stepCount->auParameter()->clearWriteLog();
    hostSets(settings->stepCount, 5);
    EXPECT_NE(g.renderTree().findText("5 STEPS"), nullptr);
    hostSets(settings->stepCount, 3.7f);
    EXPECT_NE(g.renderTree().findText("3 STEPS"), nullptr);
    hostSets(settings->stepCount, 1);
    EXPECT_NE(g.renderTree().findText("1 STEP"), nullptr);
    EXPECT_TRUE(writes(*settings->stepCount).empty());
}

TEST_F(Editor, StepControlsBeyondTheStepCountAreDisabledAndKeepTheirValues) {
    auto& g = editor();
    auto dialOpacities = [&] {
        std::vector<double> out;
        for (const auto* n : g.renderTree().findAll([](const RenderNode& r) { return r.imageName.rfind("knobs/dial-small-grey-", 0) == 0; }))
            out.push_back(n->opacity);
        return out;
    };
    auto handles = [&](const std::string& name) {
        return g.renderTree().findAll([&](const RenderNode& r) { return r.imageName == name; }).size();
    };
    settings->steps[6]->setValue(12, Pellicot::ParameterEditor::ui, Pellicot::ParameterEditorState::change);
    struct Case {
        float count;
        std::size_t enabled;
    };
    for (const Case& c : {Case{16, 16}, Case{4, 4}, Case{1, 1}, Case{4.9f, 4}, Case{8, 8}}) {
        hostSets(settings->stepCount, c.count);
        const auto opacities = dialOpacities();
        ASSERT_EQ(opacities.size(), 16u);
        for (std::size_t k = 0; k < 16; ++k) EXPECT_EQ(opacities[k], k < c.enabled ? 1.0 : 0.3) << c.count << " step " << k + 1;
        EXPECT_EQ(handles("sliders/slider-handle"), c.enabled) << c.count;
        EXPECT_EQ(handles("sliders/slider-handle-disabled"), 16 - c.enabled) << c.count;
    }
    EXPECT_EQ(settings->steps[6]->value(), 12) << "step 7 kept its delay while disabled";
}

TEST_F(Editor, TheIndicatorDotsFollowThePlayingStep) {
    auto& g = editor();
    auto lit = [&] {
        std::vector<std::size_t> out;
        auto dots = g.renderTree().findAll([](const RenderNode& r) { return r.kind == RenderNode::Kind::shape && r.frame.size == CGSize{6, 6}; });
        for (std::size_t i = 0; i < dots.size(); ++i)
            if (dots[i]->opacity == 1) out.push_back(i);
        EXPECT_EQ(dots.size(), 16u);
        return out;
    };
    EXPECT_TRUE(lit().empty()) << "nothing played yet";
    auto unit = Runtime::make<Vantrel_Zellow_Extension::MidiZellowAudioUnit>(
        AudioToolbox::AudioComponentDescription{AudioToolbox::kAudioUnitType_MIDIProcessor, 1, 1});
    settings->configureAudioUnit(unit);
    for (int step : {0, 5, 15}) {
        unit->midiProcessor().displayStep = step;
        settings->pollTick();
        drain();
        EXPECT_EQ(lit(), (std::vector<std::size_t>{std::size_t(step)}));
    }
    hostSets(settings->stepCount, 2);
    EXPECT_EQ(lit(), (std::vector<std::size_t>{15})) << "the dots do not depend on the step count";
}

TEST_F(Editor, TheRowOfDotsTakesNoHeight) {
    auto& g = editor();
    const auto* dot = g.renderTree().find([](const RenderNode& r) { return r.kind == RenderNode::Kind::shape && r.frame.size == CGSize{6, 6}; });
    const auto* reset = g.renderTree().findImage("button");
    ASSERT_TRUE(dot && reset);
    // The row of dots sits where the first row ends, 22 points down: over the dial row, which
    // starts right there.
    EXPECT_DOUBLE_EQ(dot->frame.midY(), reset->frame.maxY() + 22);
}

TEST_F(Editor, TheUpdateLinkIsTheApplicationsSchemeAndHostAlone) {
    const auto& url = Vantrel_Zellow_Extension::EditorLinks::openAndUpdateURL();
    EXPECT_EQ(url.absoluteString(), "vantrelzellow://openAndUpdate");
    EXPECT_EQ(url.scheme(), "vantrelzellow");
    EXPECT_EQ(url.host(), "openAndUpdate");
    using Vantrel_Zellow_Extension::stepCountLabel;
    EXPECT_EQ(stepCountLabel(1), "1 Step");
    EXPECT_EQ(stepCountLabel(2), "2 Steps");
    EXPECT_EQ(stepCountLabel(16), "16 Steps");
    EXPECT_EQ(stepCountLabel(0), "0 Steps");
    EXPECT_EQ(stepCountLabel(-1), "-1 Steps");
}

TEST_F(Editor, TheResetBezelSinksWhileHeldAndItsTextSitsOnePointLow) {
    auto& g = editor();
    const auto* text = g.renderTree().findText("RESET");
    ASSERT_NE(text, nullptr);
    const CGPoint at{text->frame.midX(), text->frame.midY()};
    auto bezelUnder = [&](const std::string& name) {
        for (const auto* n : g.renderTree().findAll([&](const RenderNode& r) { return r.imageName == name; }))
            if (n->frame.contains(at)) return n;
        return static_cast<const RenderNode*>(nullptr);
    };
    const auto* up = bezelUnder("button");
    ASSERT_NE(up, nullptr);
    EXPECT_DOUBLE_EQ(text->frame.midY(), up->frame.midY() + 1);
    g.mouseDown(at);
    drain();
    EXPECT_NE(bezelUnder("button-down"), nullptr);
    g.mouseUp(at);
    drain();
    EXPECT_NE(bezelUnder("button"), nullptr);
    EXPECT_EQ(bezelUnder("button-down"), nullptr);
}

TEST_F(Editor, TheSwingDialsShowTheirValuesWithoutTheUnit) {
    auto& g = editor();
    const auto texts = g.renderTree().texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "50.0"), 3) << "the three swings";
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return t.find("MS") != std::string::npos; }), 2)
        << "delay and random";
    EXPECT_NE(g.renderTree().findText("1/16 SWING"), nullptr);
}

}  // namespace
