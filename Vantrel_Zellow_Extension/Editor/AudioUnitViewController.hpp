#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSViewController.hpp"
#include "AudioToolbox/AUAudioUnitFactory.hpp"
#include "Foundation/NSError.hpp"
#include "CoreAudioKit/AUViewController.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace Vantrel_Zellow_Extension {

// The extension's principal class: the editor's view controller and the factory of the effect's
// unit. One Settings object, made with the controller, serves both the unit and the editor.
class AudioUnitViewController : public CoreAudioKit::AUViewController, public AudioToolbox::AUAudioUnitFactory {
    VZ_OBJECT(AudioUnitViewController, CoreAudioKit::AUViewController)

public:
    static constexpr AppKit::CGSize preferredSize{640, 480};

    // init(nibName:bundle:)
    static std::shared_ptr<AudioUnitViewController> make(std::optional<std::string> nibName = std::nullopt,
                                                          std::shared_ptr<Foundation::Bundle> bundle = nullptr);
    // init(coder:): null when the coder cannot be decoded.
    static std::shared_ptr<AudioUnitViewController> make(const CoreAudioKit::NSCoder& coder);

    const std::shared_ptr<AudioToolbox::AUAudioUnit>& audioUnit() const { return audioUnit_; }
    const std::shared_ptr<Settings>& settings() const { return settings_; }

    void viewDidLoad() override;
    void viewDidAppear() override;

    // Any thread; the work runs on the main thread, which the caller waits for. Rethrows the
    // unit's creation error unchanged and then leaves everything as it was.
    std::shared_ptr<AudioToolbox::AUAudioUnit> createAudioUnit(
        const AudioToolbox::AudioComponentDescription& componentDescription) override;
    // The message form (createAudioUnitWithComponentDescription:error:): null, and the error in
    // `error` when one is given, instead of a throw.
    std::shared_ptr<AudioToolbox::AUAudioUnit> createAudioUnitWithComponentDescription(
        const AudioToolbox::AudioComponentDescription& componentDescription, std::optional<Foundation::NSError>* error);

protected:
    AudioUnitViewController(std::optional<std::string> nibName, std::shared_ptr<Foundation::Bundle> bundle)
        : AUViewController(std::move(nibName), std::move(bundle)) {}
    explicit AudioUnitViewController(const CoreAudioKit::NSCoder& coder) : AUViewController(coder) {}

private:
    void setupHostingView();
    std::shared_ptr<AudioToolbox::AUAudioUnit> makeAndConfigureUnit(const AudioToolbox::AudioComponentDescription& description);

    std::shared_ptr<AudioToolbox::AUAudioUnit> audioUnit_;
    std::shared_ptr<AppKit::NSViewController> hostingController_;
    std::shared_ptr<Settings> settings_ = Settings::make();
};

}  // namespace Vantrel_Zellow_Extension
