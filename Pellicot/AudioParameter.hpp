#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AudioToolbox/AUParameter.hpp"
#include "AudioToolbox/AudioUnitParameters.hpp"
#include "Observation/Observation.hpp"
#include "Pellicot/ParameterEditor.hpp"
#include "Pellicot/ParameterEditorState.hpp"

namespace Pellicot {

// The suffix a value of the unit is shown with: "%", "Hz", "dB", "MS", or empty.
std::string displayableSuffix(AudioToolbox::AudioUnitParameterUnit unit);

// The observable model of one plug-in parameter. It owns the AUParameter that the host sees;
// views read and observe `value()` and `isBeingInteractivelyEdited()`.
//
// Every change goes through setValue(value, source, state), callable from any thread. The
// observed value is stored later, always on the main thread (through the main queue), so a read
// right after setValue still gives the old value.
class AudioParameter final : public std::enable_shared_from_this<AudioParameter> {
public:
    struct ValueRange {
        float lowerBound = 0;
        float upperBound = 0;
        friend bool operator==(const ValueRange&, const ValueRange&) = default;
    };

    // How a control maps the value onto its travel.
    class ValueIncrement {
    public:
        enum class Kind { logarithmic, linear };

        static ValueIncrement logarithmic(std::optional<float> midpoint = std::nullopt) {
            return ValueIncrement(Kind::logarithmic, midpoint);
        }
        static ValueIncrement linear() { return ValueIncrement(Kind::linear, std::nullopt); }

        Kind kind() const { return kind_; }
        bool isLogarithmic() const { return kind_ == Kind::logarithmic; }
        // Only ever present for a logarithmic increment.
        const std::optional<float>& midpoint() const { return midpoint_; }

        // Same kind and, when logarithmic, both midpoints absent or both present and equal as
        // floats (a NaN midpoint equals nothing).
        friend bool operator==(const ValueIncrement& a, const ValueIncrement& b) {
            return a.kind_ == b.kind_ && a.midpoint_ == b.midpoint_;
        }

    private:
        ValueIncrement(Kind kind, std::optional<float> midpoint) : kind_(kind), midpoint_(midpoint) {}
        Kind kind_;
        std::optional<float> midpoint_;
    };

    // init(address:identifier:name:units:valueRange:defaultValue:valueIncrement:valueStrings:dependentParameterAddresses:)
    // The range must have numeric bounds with lower <= upper; the default is taken as given.
    static std::shared_ptr<AudioParameter> make(std::uint64_t address, std::string identifier, std::string name,
                                                AudioToolbox::AudioUnitParameterUnit units, ValueRange valueRange,
                                                float defaultValue, ValueIncrement valueIncrement,
                                                std::optional<std::vector<std::string>> valueStrings = std::nullopt,
                                                std::optional<std::vector<std::uint64_t>> dependentParameterAddresses = std::nullopt);

    // A placeholder for a view that needs a parameter where the effect has none: address 0,
    // no names, custom unit, range 0...0. It joins no tree.
    static std::shared_ptr<AudioParameter> dummyParam();

    std::uint64_t address() const { return address_; }
    const std::string& identifier() const { return identifier_; }
    const std::string& id() const { return identifier_; }
    const std::string& name() const { return name_; }
    AudioToolbox::AudioUnitParameterUnit units() const { return units_; }
    const ValueRange& valueRange() const { return valueRange_; }
    float defaultValue() const { return defaultValue_; }
    const ValueIncrement& valueIncrement() const { return valueIncrement_; }
    const std::optional<std::vector<std::string>>& valueStrings() const { return valueStrings_; }
    const std::optional<std::vector<std::uint64_t>>& dependentParameterAddresses() const {
        return dependentParameterAddresses_;
    }
    const std::shared_ptr<AudioToolbox::AUParameter>& auParameter() const { return auParameter_; }

    // Observed. Safe to read on any thread; only the main thread stores it.
    float value() const;
    // Observed; main thread only. The drag controls hold it true for the length of a gesture.
    bool isBeingInteractivelyEdited() const { return isBeingInteractivelyEdited_.get(); }
    void setIsBeingInteractivelyEdited(bool editing) { isBeingInteractivelyEdited_.set(editing); }

    // Clamps to the range (NaN becomes the lower bound) and skips a `change` to the stored
    // value. A `ui` change is written to the AUParameter at once, with the current host time and
    // the state as its automation event type; host and effect values never are. The observed
    // store is queued on the main queue, where a non-`ui` value is dropped while the parameter is
    // being interactively edited.
    void setValue(float value, ParameterEditor source, ParameterEditorState state);

    float displayableValue() const;
    std::string displayableSuffix() const { return Pellicot::displayableSuffix(units_); }
    float saveScaleFactor() const;
    float displayScaleFactor() const;
    bool isIndexed() const { return units_ == AudioToolbox::AudioUnitParameterUnit::indexed; }

    // The mapping between a value and a control's travel (0 to 1), in single precision:
    // logarithmic (skewed so a midpoint sits at the middle) when the increment is logarithmic
    // and both bounds are positive, else linear. Defined in AudioParameterMapping.cpp.
    float normalise(float value) const;
    float denormalise(float position) const;
    // The exponent that puts `midpoint` at the middle of a logarithmic travel; absent unless
    // the midpoint lies strictly inside a positive range.
    std::optional<float> skew(float midpoint) const;

private:
    AudioParameter(std::uint64_t address, std::string identifier, std::string name,
                   AudioToolbox::AudioUnitParameterUnit units, ValueRange valueRange, float defaultValue,
                   ValueIncrement valueIncrement, std::optional<std::vector<std::string>> valueStrings,
                   std::optional<std::vector<std::uint64_t>> dependentParameterAddresses,
                   std::shared_ptr<AudioToolbox::AUParameter> auParameter);
    void store(float value);

    const std::uint64_t address_;
    const std::string identifier_;
    const std::string name_;
    const AudioToolbox::AudioUnitParameterUnit units_;
    const ValueRange valueRange_;
    const float defaultValue_;
    const ValueIncrement valueIncrement_;
    const std::optional<std::vector<std::string>> valueStrings_;
    const std::optional<std::vector<std::uint64_t>> dependentParameterAddresses_;
    const std::shared_ptr<AudioToolbox::AUParameter> auParameter_;

    Observation::Observed<float> value_;
    // The same value for readers on other threads; written together with value_ on the main
    // thread.
    std::atomic<float> currentValue_;
    // Updates queued and not yet run: while any is, the stored value is not the one the queue
    // will leave, so an equal value may not be skipped.
    std::atomic<int> pendingUpdates_{0};
    Observation::Observed<bool> isBeingInteractivelyEdited_{false};
};

}  // namespace Pellicot
