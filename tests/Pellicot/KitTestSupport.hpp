#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AudioToolbox/AUParameter.hpp"
#include "Pellicot/AudioParameter.hpp"
#include "SwiftUI/ViewGraph.hpp"
#include "TestSupport/KeptParameterWriteLogs.hpp"
#include "TestSupport/MainLoop.hpp"

namespace KitTest {

using Unit = AudioToolbox::AudioUnitParameterUnit;
using Event = AudioToolbox::AUParameterAutomationEventType;
using ValueIncrement = Pellicot::AudioParameter::ValueIncrement;

inline std::shared_ptr<Pellicot::AudioParameter> parameter(Unit units, float lower, float upper, float defaultValue,
                                                           ValueIncrement increment = ValueIncrement::linear(),
                                                           std::optional<std::vector<std::string>> valueStrings = std::nullopt,
                                                           std::string name = "Delay") {
    auto p = Pellicot::AudioParameter::make(0, "p", std::move(name), units, {lower, upper}, defaultValue, increment,
                                            std::move(valueStrings));
    p->auParameter()->clearWriteLog();  // the default set at creation is no control's write
    return p;
}

// What a control wrote to the host, in order: (value, event type).
using Writes = std::vector<std::pair<float, Event>>;
inline Writes writes(const Pellicot::AudioParameter& p) {
    Writes out;
    for (const auto& w : p.auParameter()->writeLog()) out.emplace_back(w.value, w.eventType);
    return out;
}
inline void clearWrites(const Pellicot::AudioParameter& p) { p.auParameter()->clearWriteLog(); }

// Pointer events one at a time, each followed by a drained main loop, as between two mouse
// events on the platform.
class EventTest : public TestSupport::VirtualTimeTest {
protected:
    static void press(SwiftUI::ViewGraph& g, SwiftUI::CGPoint p, SwiftUI::EventModifiers m = {}) {
        g.mouseDown(p, 1, m);
        drain();
    }
    static void moveTo(SwiftUI::ViewGraph& g, SwiftUI::CGPoint p) {
        g.mouseDragged(p);
        drain();
    }
    static void release(SwiftUI::ViewGraph& g, SwiftUI::CGPoint p) {
        g.mouseUp(p);
        drain();
    }
};

}  // namespace KitTest
