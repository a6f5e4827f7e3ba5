#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AudioToolbox/RenderTypes.hpp"
#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/Hasher.hpp"
#include "Pellicot/ParameterEditor.hpp"
#include "Pellicot/PelliAudioUnit.hpp"

namespace Pellicot {

// The base of a plug-in's settings object: its list of parameters, the Audio Unit's parameter
// tree built from them, and the one place where a value from the host or the effect is routed
// into both the observed parameter and the effect.
//
// Lives in a std::shared_ptr: the tree's value observer holds it weakly.
class ParameterSettings : public std::enable_shared_from_this<ParameterSettings> {
public:
    ParameterSettings() = default;
    virtual ~ParameterSettings() = default;
    ParameterSettings(const ParameterSettings&) = delete;
    ParameterSettings& operator=(const ParameterSettings&) = delete;

    // The main bundle's "CFBundleShortVersionString" when it is a string, else "Unknown".
    virtual std::string pluginVersion() const;

    // Weak: the settings never keep the unit alive.
    std::shared_ptr<PelliAudioUnit> audioUnit() const { return audioUnit_.lock(); }
    void setAudioUnit(const std::shared_ptr<PelliAudioUnit>& unit) { audioUnit_ = unit; }

    // Replaces the list; its order is that of the tree, the value push and the hash.
    virtual void setupParameters(std::vector<std::shared_ptr<AudioParameter>> parameters);

    // Main thread, once, right after the unit is created: binds the unit, gives it a flat tree
    // of the parameters and pushes every current value into it, in list order.
    virtual void configureAudioUnit(const std::shared_ptr<PelliAudioUnit>& unit);

    // A hash of all values, different from run to run.
    virtual std::int64_t paramsHash() const;
    virtual void hashAdditionalValues(Hasher& hasher) const;

    // Main thread, once, after configureAudioUnit: installs the tree's value observer and its
    // two text callbacks (each only while the unit and its tree exist).
    virtual void setupParameterTreeListeners();

    // Any thread. Updates the first parameter with the address (source and state `change`)
    // and hands the value, unclamped, to the unit, whether or not a parameter matched.
    virtual void setValue(float value, AudioToolbox::AUParameterAddress address, ParameterEditor source);

    // For parameters that follow others; the default does nothing.
    virtual void updateDependentValues(AudioToolbox::AUParameterAddress address, float value);

private:
    std::vector<std::shared_ptr<AudioParameter>> parameters_;
    std::weak_ptr<PelliAudioUnit> audioUnit_;
};

}  // namespace Pellicot
