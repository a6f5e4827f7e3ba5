#pragma once
#include "Host/AudioHost/UnitSource.hpp"

namespace AudioHost {

// The Vantrel Zellow effect, linked in: each factory creates the unit the way the effect's view
// controller does (create, let a Settings object configure it, install the tree's listeners)
// and keeps the Settings object for the unit's life. The update check stays off: rendering
// is offline work and touches no network.
class ZellowUnitSource : public UnitSource {
public:
    std::shared_ptr<AudioToolbox::AUAudioUnitFactory> makeFactory() override;
    AudioToolbox::AudioComponentDescription componentDescription() const override;
    // The factory presets, applied the way the editor's preset menu applies them.
    std::vector<HostPreset> presets() const override;
};

}  // namespace AudioHost
