#pragma once
#include <atomic>
#include <memory>
#include <vector>

#include "AudioToolbox/AUAudioUnitBusArray.hpp"
#include "AudioToolbox/AUAudioUnitFactory.hpp"
#include "AudioToolbox/AUParameterTree.hpp"
#include "AppKit/NSViewController.hpp"
#include "AppKit/NSWorkspace.hpp"
#include "Host/AudioHost/UnitSource.hpp"
#include "SwiftUI/Menu.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "SwiftUI/SwiftUI.hpp"

namespace AudioHostTests {

// What the host told the unit at the start of one cycle.
struct CycleRecord {
    double sampleTime, tempo, numerator, beat, downbeat;
    long denominator;
    AudioToolbox::AUAudioFrameCount frames;
    int events;
};

// A small effect for host tests: sends every note message `shift` samples later (parameter 0,
// 0...1000 samples), everything else unchanged, and records each cycle's context. With
// `spare` (parameter 1) at 1 it also sends a MIDI clock at the start of every cycle.
class ShiftUnit : public AudioToolbox::AUAudioUnit {
    VZ_OBJECT(ShiftUnit, AudioToolbox::AUAudioUnit)
public:
    struct State {
        std::atomic<float> shift{0};
        std::atomic<float> spare{0};
        std::vector<CycleRecord> cycles;
        AudioToolbox::AUHostMusicalContextBlock context;
        AudioToolbox::AUMIDIOutputEventBlock output;
        bool bypass = false;
    };

    explicit ShiftUnit(const AudioToolbox::AudioComponentDescription& description) : AUAudioUnit(description) {
        using namespace AudioToolbox;
        auto format = AVAudioFormat::standardFormat(44100, 2);
        output_ = AUAudioUnitBus::make(format);
        outputs_ = Runtime::make<AUAudioUnitBusArray>(*this, AUAudioUnitBusType::output, std::vector{output_});
    }

    std::shared_ptr<AudioToolbox::AUAudioUnitBusArray> outputBusses() override { return outputs_; }

    void allocateRenderResources() override {
        state_->context = musicalContextBlock();
        state_->output = MIDIOutputEventBlock();
        state_->bypass = shouldBypassEffect();
        state_->cycles.reserve(1 << 16);
        AUAudioUnit::allocateRenderResources();
    }

    AudioToolbox::AURenderBlock internalRenderBlock() override {
        using namespace AudioToolbox;
        return [s = state_.get()](AudioUnitRenderActionFlags*, const AudioTimeStamp* timestamp, AUAudioFrameCount frames, long,
                                  AudioBufferList*, const AURenderEvent* events, const AURenderPullInputBlock*) -> OSStatus {
            CycleRecord record{timestamp->mSampleTime, 0, 0, 0, 0, 0, frames, 0};
            if (!s->context || !s->context(&record.tempo, &record.numerator, &record.denominator, &record.beat, nullptr,
                                           &record.downbeat))
                return kAudioUnitErr_CannotDoInCurrentContext;
            if (s->spare.load() > 0.5f && s->output) {
                const std::uint8_t clock = 0xF8;
                s->output(AUEventSampleTime(timestamp->mSampleTime), 0, 1, &clock);
            }
            for (const AURenderEvent* e = events; e; e = e->head.next) {
                ++record.events;
                if (e->head.eventType == AURenderEventType::Parameter) {
                    if (e->parameter.parameterAddress == 0) s->shift = e->parameter.value;
                    continue;
                }
                const AUMIDIEvent& m = e->MIDI;
                const bool note = (m.data[0] & 0xE0) == 0x80;
                const AUEventSampleTime time = m.eventSampleTime + (note && !s->bypass ? AUEventSampleTime(s->shift.load()) : 0);
                if (s->output) s->output(time, m.cable, m.length, m.data);
            }
            if (s->cycles.size() < s->cycles.capacity()) s->cycles.push_back(record);
            return noErr;
        };
    }

    const std::shared_ptr<State>& state() const { return state_; }

private:
    std::shared_ptr<State> state_ = std::make_shared<State>();
    std::shared_ptr<AudioToolbox::AUAudioUnitBus> output_;
    std::shared_ptr<AudioToolbox::AUAudioUnitBusArray> outputs_;
};

// Makes ShiftUnits with their parameter tree, and remembers each one it made. Each factory is
// also the unit's editor, as an extension's principal class is: a view with a menu labelled
// "Presets" whose items write the shift as an editor does, and a link to a web page.
class ShiftSource : public AudioHost::UnitSource {
public:
    class Factory : public AppKit::NSViewController, public AudioToolbox::AUAudioUnitFactory {
        VZ_OBJECT(Factory, AppKit::NSViewController)
    public:
        explicit Factory(ShiftSource& source) : source_(source) {}

        std::shared_ptr<AudioToolbox::AUAudioUnit> createAudioUnit(const AudioToolbox::AudioComponentDescription& d) override {
            using namespace AudioToolbox;
            auto unit = Runtime::make<ShiftUnit>(d);
            auto shift = AUParameterTree::createParameter("shift", "Shift", 0, 0, 1000, AudioUnitParameterUnit::sampleFrames,
                                                          std::nullopt, 0, std::nullopt, std::nullopt);
            auto spare = AUParameterTree::createParameter("spare", "Spare", 1, 0, 1, AudioUnitParameterUnit::generic,
                                                          std::nullopt, 0, std::nullopt, std::nullopt);
            auto tree = AUParameterTree::createTree({shift, spare});
            std::weak_ptr<ShiftUnit::State> state = unit->state();
            tree->setImplementorValueObserver([state](const AUParameter& p, AUValue v) {
                if (auto s = state.lock()) (p.address() == 0 ? s->shift : s->spare) = v;
            });
            tree->setImplementorValueProvider([state](const AUParameter& p) {
                auto s = state.lock();
                return s ? (p.address() == 0 ? s->shift.load() : s->spare.load()) : 0.0f;
            });
            unit->setParameterTree(tree);
            source_.made.push_back(unit->state());
            shift_ = shift;
            return unit;
        }

        void loadView() override {
            using namespace SwiftUI;
            auto write = [weak = shift_](float value) {
                return [weak, value] {
                    if (auto p = weak.lock()) p->setValue(value, nullptr, 0, AudioToolbox::AUParameterAutomationEventType::value);
                };
            };
            ViewList items;
            items.push_back(AnyView(Button("None", write(0))));
            items.push_back(AnyView(Button("Ten Milliseconds", write(441))));
            items.push_back(AnyView(Divider()));
            items.push_back(AnyView(Button("Our Web Site", [] { AppKit::NSWorkspace::shared().open(*Foundation::URL::fromString("https://example.com/shift")); })));
            setView(NSHostingView::make(AnyView(Menu(std::move(items), AnyView(Text("Presets"))))));
            setPreferredContentSize({200, 100});
        }

    private:
        ShiftSource& source_;
        std::weak_ptr<AudioToolbox::AUParameter> shift_;
    };

    std::shared_ptr<AudioToolbox::AUAudioUnitFactory> makeFactory() override { return Runtime::make<Factory>(*this); }
    AudioToolbox::AudioComponentDescription componentDescription() const override {
        return {AudioToolbox::kAudioUnitType_MIDIProcessor, AudioToolbox::fourCC("shft"), AudioToolbox::fourCC("Test"), 0, 0};
    }

    // The render state of every unit made, which outlives the unit.
    std::vector<std::shared_ptr<ShiftUnit::State>> made;
};

}  // namespace AudioHostTests
