#pragma once
#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "Dispatch/Timer.hpp"
#include "Foundation/URL.hpp"
#include "Observation/Observation.hpp"
#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/ParameterSettings.hpp"
#include "Pellicot/UpdateAvailableDetails.hpp"
#include "Vantrel_Zellow_Extension/Engine/RenderCore/ParameterAddress.hpp"

namespace AppKit {
class NSWindow;
class NSResponder;
}  // namespace AppKit

namespace Vantrel_Zellow_Extension {

class MidiZellowAudioUnit;

// The effect's 39 parameters and the bridge between editor, host and render state: builds the
// unit's parameter tree, answers the host's reads from the processor, brings the playing step
// and host automation to the editor 60 times a second, and checks the update feed once.
// Main thread, except the tree's value provider.
class Settings : public Pellicot::ParameterSettings {
public:
    using Parameter = std::shared_ptr<Pellicot::AudioParameter>;

    // The feed the update check reads: the product's, set in the build.
    static const char* const defaultUpdateFeedURL;
    // The most the update check reads of it; a larger feed counts as unreadable.
    static constexpr std::size_t maximumFeedSize = 1 << 20;

    static std::shared_ptr<Settings> make();
    ~Settings() override;

    // Observed: set when the feed offers a newer version.
    const std::optional<Pellicot::UpdateAvailableDetails>& updateDetails() const { return updateDetails_.get(); }
    // Observed: the step the editor lights, -1 for none.
    int currentStepIndex() const { return currentStepIndex_.get(); }

    const Parameter delay, randomness, seed, swingOneFour, swingOneEight, swingOneSixteen;
    // Steps 1 ... 16 at indices 0 ... 15.
    const std::array<Parameter, 16> steps, stepVelocities;
    const Parameter stepCount;

    // Set by the view controller when its view comes on screen.
    std::weak_ptr<AppKit::NSWindow> pluginWindow;
    std::weak_ptr<AppKit::NSResponder> pluginMainResponder;

    std::shared_ptr<MidiZellowAudioUnit> zellowAU() const { return zellowAU_.lock(); }
    const std::shared_ptr<Dispatch::Timer>& pollTimer() const { return pollTimer_; }

    // The base's tree and value push; then, for the effect's own unit, the poll timer, the value
    // provider and the update check.
    void configureAudioUnit(const std::shared_ptr<Pellicot::PelliAudioUnit>& unit) override;

    // The 1/60 s poll: the playing step, then every parameter the host changed while rendering,
    // into the editor's parameters only.
    void pollTick();

    // Starts the update check on a worker; updateDetails is set on the main thread when the
    // feed lists a newer version. Failures are silent, and an offline URLSession starts nothing.
    void fetchUpdateDetails();
    // Tests point the check elsewhere (a file or a loopback server), or turn it off (nullopt).
    void setUpdateFeedURL(std::optional<Foundation::URL> url) { updateFeedURL_ = std::move(url); }
    // The same for every Settings made from now on (main thread), for tests of code that makes
    // its own Settings.
    static void setDefaultUpdateFeedURL(std::optional<Foundation::URL> url);

private:
    struct Parameters;
    explicit Settings(Parameters parameters);

    Observation::Observed<std::optional<Pellicot::UpdateAvailableDetails>> updateDetails_;
    Observation::Observed<int> currentStepIndex_{-1};
    std::weak_ptr<MidiZellowAudioUnit> zellowAU_;
    std::shared_ptr<Dispatch::Timer> pollTimer_;
    const std::array<Parameter, ParameterAddress::count> byAddress_;
    static std::optional<Foundation::URL>& defaultFeed();
    std::optional<Foundation::URL> updateFeedURL_ = defaultFeed();
};

}  // namespace Vantrel_Zellow_Extension
