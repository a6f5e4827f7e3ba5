#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

#include <vector>

#include "AudioToolbox/AUParameterTree.hpp"
#include "Dispatch/DispatchQueue.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Foundation/URLSession.hpp"
#include "Pellicot/SimpleSparklerChecker.hpp"
#include "Pellicot/VersionWeight.hpp"
#include "Vantrel_Zellow_Extension/Engine/MidiZellowAudioUnit.hpp"

namespace Vantrel_Zellow_Extension {

using AudioToolbox::AudioUnitParameterUnit;
using Pellicot::AudioParameter;

struct Settings::Parameters {
    std::array<Parameter, ParameterAddress::count> byAddress;
};

namespace {

Settings::Parameter makeParameter(std::uint64_t address, std::string identifier, std::string name,
                                  AudioUnitParameterUnit units, float lower, float upper, float defaultValue) {
    return AudioParameter::make(address, std::move(identifier), std::move(name), units, {lower, upper}, defaultValue,
                                AudioParameter::ValueIncrement::linear());
}

template <std::size_t N>
std::array<Settings::Parameter, N> slice(const std::array<Settings::Parameter, ParameterAddress::count>& all,
                                         std::size_t first) {
    std::array<Settings::Parameter, N> part;
    for (std::size_t i = 0; i < N; ++i) part[i] = all[first + i];
    return part;
}

// The update check's own session: a feed is a few hundred kilobytes at most, and anything far
// larger is not one.
Foundation::URLSession& feedSession() {
    static Foundation::URLSession* session = [] {
        auto* made = new Foundation::URLSession;  // usable from workers still running at exit
        made->setMaximumBodySize(Settings::maximumFeedSize);
        return made;
    }();
    return *session;
}

// The newer version a loaded feed lists, if any. Its newest being one that cannot be read, the
// application's check would answer only that: nothing is announced.
std::optional<Pellicot::UpdateAvailableDetails> newerVersion(const Foundation::Data& feed, const std::string& current) {
    auto checker = Runtime::make<Pellicot::SimpleSparklerChecker>();
    checker->parse(feed);
    const auto latest = checker->latestVersion();
    if (latest && Pellicot::canReadVersion(*latest) &&
        Pellicot::convertVersionToWeight(current) < Pellicot::convertVersionToWeight(*latest)) {
        return Pellicot::UpdateAvailableDetails{*latest};
    }
    return std::nullopt;
}

}  // namespace

std::shared_ptr<Settings> Settings::make() {
    using Unit = AudioUnitParameterUnit;
    Parameters p;
    auto add = [&p](std::uint64_t address, std::string identifier, std::string name, Unit units, float lower,
                    float upper, float defaultValue) {
        p.byAddress[address] = makeParameter(address, std::move(identifier), std::move(name), units, lower, upper, defaultValue);
    };
    // Created in the order 0 ... 21, 38, 22 ... 37; the list itself is in address order.
    add(ParameterAddress::delay, "delay", "Delay", Unit::milliseconds, 0, 50, 0);
    add(ParameterAddress::random, "random", "Random", Unit::milliseconds, 0, 50, 0);
    add(ParameterAddress::seed, "seed", "Seed", Unit::indexed, 0, 999, 0);
    add(ParameterAddress::swingOneFour, "swingOneFour", "1/4 Swing", Unit::percent, 50, 75, 50);
    add(ParameterAddress::swingOneEight, "swingOneEight", "1/8 Swing", Unit::percent, 50, 75, 50);
    add(ParameterAddress::swingOneSixteen, "swingOneSixteen", "1/16 Swing", Unit::percent, 50, 75, 50);
    for (int i = 0; i < MidiProcessor::maxSteps; ++i) {
        const std::string n = std::to_string(i + 1);
        add(ParameterAddress::stepDelay(i), "step" + n, "Step " + n, Unit::milliseconds, 0, 50, 0);
    }
    add(ParameterAddress::stepCount, "stepCount", "Steps", Unit::indexed, 1, 16, 16);
    for (int i = 0; i < MidiProcessor::maxSteps; ++i) {
        const std::string n = std::to_string(i + 1);
        add(ParameterAddress::stepVelocity(i), "step" + n + "Velocity", "Step " + n + " Velocity", Unit::percent, 0,
            100, 100);
    }
    return std::shared_ptr<Settings>(new Settings(std::move(p)));
}

Settings::Settings(Parameters p)
    : delay(p.byAddress[ParameterAddress::delay]),
      randomness(p.byAddress[ParameterAddress::random]),
      seed(p.byAddress[ParameterAddress::seed]),
      swingOneFour(p.byAddress[ParameterAddress::swingOneFour]),
      swingOneEight(p.byAddress[ParameterAddress::swingOneEight]),
      swingOneSixteen(p.byAddress[ParameterAddress::swingOneSixteen]),
      steps(slice<16>(p.byAddress, ParameterAddress::firstStepDelay)),
      stepVelocities(slice<16>(p.byAddress, ParameterAddress::firstStepVelocity)),
      stepCount(p.byAddress[ParameterAddress::stepCount]),
      byAddress_(p.byAddress) {
    setupParameters(std::vector<Parameter>(p.byAddress.begin(), p.byAddress.end()));
}

const char* const Settings::defaultUpdateFeedURL = VZ_UPDATE_FEED_URL;

std::optional<Foundation::URL>& Settings::defaultFeed() {
    static std::optional<Foundation::URL> feed = Foundation::URL::fromString(defaultUpdateFeedURL);
    return feed;
}

void Settings::setDefaultUpdateFeedURL(std::optional<Foundation::URL> url) { defaultFeed() = std::move(url); }

Settings::~Settings() {
    if (pollTimer_) pollTimer_->invalidate();
}

void Settings::configureAudioUnit(const std::shared_ptr<Pellicot::PelliAudioUnit>& unit) {
    ParameterSettings::configureAudioUnit(unit);
    auto zellow = std::dynamic_pointer_cast<MidiZellowAudioUnit>(unit);
    if (!zellow) return;
    zellowAU_ = zellow;

    if (pollTimer_) pollTimer_->invalidate();
    std::weak_ptr<Settings> weakSelf = std::static_pointer_cast<Settings>(shared_from_this());
    pollTimer_ = Dispatch::Timer::make(1.0 / 60.0, true, [weakSelf](Dispatch::Timer&) {
        if (auto self = weakSelf.lock()) self->pollTick();
    });
    Dispatch::RunLoop::main().add(pollTimer_, Dispatch::RunLoop::Mode::common);

    if (auto tree = zellow->parameterTree()) {
        std::weak_ptr<MidiZellowAudioUnit> weakUnit = zellow;
        // The host reads the raw value last stored into the processor, in the parameter's unit.
        tree->setImplementorValueProvider([weakUnit](const AudioToolbox::AUParameter& parameter) -> AudioToolbox::AUValue {
            auto unit = weakUnit.lock();
            if (!unit) return parameter.storedValue();
            const auto address = parameter.address();
            return address < ParameterAddress::count
                       ? unit->midiProcessor().parameterMirror[address].load(std::memory_order_relaxed)
                       : 0.0f;
        });
    }
    fetchUpdateDetails();
}

void Settings::pollTick() {
    auto unit = zellowAU_.lock();
    if (!unit) return;
    MidiProcessor& processor = unit->midiProcessor();
    const int step = processor.displayStep.load(std::memory_order_relaxed);
    if (step != currentStepIndex_.peek()) currentStepIndex_.set(step);

    // Only the editor's copies take the host's values: the processor has them already, and
    // storing one back could replace a newer value the host sent meanwhile.
    const std::uint64_t mask = processor.takeDirtyMask();
    for (std::uint64_t address = 0; mask != 0 && address < ParameterAddress::count; ++address) {
        if (mask & (std::uint64_t(1) << address)) {
            byAddress_[address]->setValue(processor.parameterMirror[address].load(std::memory_order_relaxed),
                                          Pellicot::ParameterEditor::parameterObserver,
                                          Pellicot::ParameterEditorState::change);
        }
    }
}

void Settings::fetchUpdateDetails() {
    if (!updateFeedURL_) return;
    std::weak_ptr<Settings> weakSelf = std::static_pointer_cast<Settings>(shared_from_this());
    // The load holds only what it reads, so the settings may go while the feed loads.
    feedSession().dataTask(
        *updateFeedURL_, [weakSelf, current = pluginVersion()](std::optional<Foundation::Data> data, auto, auto) {
            if (!data) return;  // unreachable, unreadable or offline: say nothing
            auto details = newerVersion(*data, current);
            if (!details) return;
            Dispatch::DispatchQueue::main().async([weakSelf, details = std::move(*details)] {
                if (auto self = weakSelf.lock()) self->updateDetails_.set(details);
            });
        });
}

}  // namespace Vantrel_Zellow_Extension
