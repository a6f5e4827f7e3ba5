#pragma once
#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "AppKit/NSEvent.hpp"
#include "AudioToolbox/AUParameter.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/KeptParameterWriteLogs.hpp"
#include "TestSupport/MainLoop.hpp"
#include "Vantrel_Zellow_Extension/Editor/MainView.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace EditorTest {

using Vantrel_Zellow_Extension::Settings;
using Event = AudioToolbox::AUParameterAutomationEventType;
using Writes = std::vector<std::pair<float, Event>>;

inline Writes writes(const Pellicot::AudioParameter& p) {
    Writes out;
    for (const auto& w : p.auParameter()->writeLog()) out.emplace_back(w.value, w.eventType);
    return out;
}

// Every parameter of the settings, in tree order, for checks over all 39.
inline std::vector<Settings::Parameter> allParameters(const Settings& s) {
    std::vector<Settings::Parameter> out{s.stepCount, s.delay, s.randomness, s.seed, s.swingOneFour, s.swingOneEight, s.swingOneSixteen};
    out.insert(out.end(), s.steps.begin(), s.steps.end());
    out.insert(out.end(), s.stepVelocities.begin(), s.stepVelocities.end());
    return out;
}

// The value a dial's label shows under the dial's name (none when there is no such dial).
inline const SwiftUI::RenderNode* valueUnder(const SwiftUI::RenderNode& tree, const std::string& name) {
    const auto* label = tree.findText(name);
    if (!label) return nullptr;
    const auto at = label->frame;
    return tree.find([&](const SwiftUI::RenderNode& n) {
        return n.kind == SwiftUI::RenderNode::Kind::text && n.text != name && std::abs(n.frame.midX() - at.midX()) < 20 &&
               n.frame.minY() > at.minY() && n.frame.minY() < at.maxY() + 30;
    });
}

// A seeded stand-in for the system's random source that also counts its draws.
struct SeededRandom {
    std::shared_ptr<std::mt19937> engine = std::make_shared<std::mt19937>(7);
    std::shared_ptr<std::vector<std::pair<int, int>>> ranges = std::make_shared<std::vector<std::pair<int, int>>>();
    int operator()(int lower, int upper) const {
        ranges->emplace_back(lower, upper);
        return std::uniform_int_distribution<int>(lower, upper)(*engine);
    }
};

// Settings without an update check, an editor over them in a 640 x 480 graph, and the
// event helpers that drain the main loop after each event as the platform does.
class EditorFixture : public TestSupport::VirtualTimeTest {
protected:
    void SetUp() override {
        TestSupport::VirtualTimeTest::SetUp();
        Settings::setDefaultUpdateFeedURL(std::nullopt);
        settings = Settings::make();
    }
    void TearDown() override {
        AppKit::NSEvent::setModifierFlags(AppKit::ModifierFlags::none());
        graph.reset();
        TestSupport::VirtualTimeTest::TearDown();
    }

    SwiftUI::ViewGraph& editor(SwiftUI::CGSize size = {640, 480}) {
        clearWrites(*settings);  // the defaults set at creation are nobody's edit
        graph = std::make_unique<SwiftUI::ViewGraph>(
            SwiftUI::AnyView(Vantrel_Zellow_Extension::MainView(random)).environment(settings), size);
        graph->update();
        drain();
        return *graph;
    }
    static void clearWrites(const Settings& s) {
        for (const auto& p : allParameters(s)) p->auParameter()->clearWriteLog();
    }
    // A value from the host, as the poll delivers it.
    void hostSets(const Settings::Parameter& p, float value) {
        settings->setValue(value, p->address(), Pellicot::ParameterEditor::parameterObserver);
        drain();
    }

    std::shared_ptr<Settings> settings;
    SeededRandom random;
    std::unique_ptr<SwiftUI::ViewGraph> graph;
};

}  // namespace EditorTest
