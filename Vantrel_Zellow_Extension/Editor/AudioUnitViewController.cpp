#include "Vantrel_Zellow_Extension/Editor/AudioUnitViewController.hpp"

#include <exception>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSWindow.hpp"
#include "Dispatch/DispatchQueue.hpp"
#include "Pellicot/ViewAnchoring.hpp"
#include "Runtime/MainActor.hpp"
#include "Runtime/NSObject.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "Vantrel_Zellow_Extension/Editor/MainView.hpp"
#include "Vantrel_Zellow_Extension/Engine/MidiZellowAudioUnit.hpp"

namespace Vantrel_Zellow_Extension {

std::shared_ptr<AudioUnitViewController> AudioUnitViewController::make(std::optional<std::string> nibName,
                                                                       std::shared_ptr<Foundation::Bundle> bundle) {
    return Runtime::make<AudioUnitViewController>(std::move(nibName), std::move(bundle));
}

std::shared_ptr<AudioUnitViewController> AudioUnitViewController::make(const CoreAudioKit::NSCoder& coder) {
    auto controller = Runtime::make<AudioUnitViewController>(coder);
    return controller->isInitialised() ? controller : nullptr;
}

void AudioUnitViewController::viewDidLoad() {
    AUViewController::viewDidLoad();
    // The editor is drawn dark whatever the host's look; its text fields and menus follow.
    view()->setAppearance(AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
    setupHostingView();
    setPreferredContentSize(preferredSize);
}

void AudioUnitViewController::setupHostingView() {
    auto root = SwiftUI::AnyView(MainView()).environment(settings_);
    auto hosting = SwiftUI::NSHostingController::make(std::move(root));
    addChild(hosting);
    auto container = view();
    auto hostingView = hosting->view();
    container->addSubview(hostingView);
    Pellicot::anchorToAllSidesOf(*hostingView, container, AppKit::NSEdgeInsets{0, 0, 0, 0});
    hostingController_ = std::move(hosting);
}

void AudioUnitViewController::viewDidAppear() {
    AUViewController::viewDidAppear();
    auto window = view()->window();
    settings_->pluginWindow = window;
    settings_->pluginMainResponder = window ? window->firstResponder() : nullptr;
}

std::shared_ptr<AudioToolbox::AUAudioUnit> AudioUnitViewController::makeAndConfigureUnit(
    const AudioToolbox::AudioComponentDescription& description) {
    // A throw here leaves the stored unit and the settings untouched.
    auto unit = Runtime::make<MidiZellowAudioUnit>(description);
    audioUnit_ = unit;
    settings_->configureAudioUnit(unit);
    settings_->setupParameterTreeListeners();
    return unit;
}

std::shared_ptr<AudioToolbox::AUAudioUnit> AudioUnitViewController::createAudioUnit(
    const AudioToolbox::AudioComponentDescription& description) {
    // On the main thread already, waiting on the main queue would never end: run directly.
    if (Runtime::isMainThread()) return makeAndConfigureUnit(description);
    std::shared_ptr<AudioToolbox::AUAudioUnit> unit;
    std::exception_ptr failure;
    auto self = std::static_pointer_cast<AudioUnitViewController>(shared_from_this());
    Dispatch::DispatchQueue::main().sync([&] {
        try {
            unit = self->makeAndConfigureUnit(description);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    if (failure) std::rethrow_exception(failure);
    return unit;
}

std::shared_ptr<AudioToolbox::AUAudioUnit> AudioUnitViewController::createAudioUnitWithComponentDescription(
    const AudioToolbox::AudioComponentDescription& description, std::optional<Foundation::NSError>* error) {
    try {
        return createAudioUnit(description);
    } catch (const Foundation::NSError& e) {
        if (error) *error = e;
        return nullptr;
    }
}

}  // namespace Vantrel_Zellow_Extension
