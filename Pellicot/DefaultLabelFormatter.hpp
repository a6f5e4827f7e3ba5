#pragma once
#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/LabelFormatter.hpp"

namespace Pellicot {

// Numbers with a fixed count of decimals, always with a decimal point whatever the locale.
// Values of cent parameters are shown in hundreds (1200 cents reads 12.0).
class DefaultLabelFormatter final : public LabelFormatter {
public:
    // Takes what it needs from the parameter now; later changes of the object do not reach it.
    DefaultLabelFormatter(const AudioParameter& param, int decimalPlaces);

    int decimalPlaces() const { return decimalPlaces_; }
    float saveScaleFactor() const { return saveScaleFactor_; }

    std::string format(float value) const override;
    // The whole text as one number of the C library's syntax; no leading white space and
    // nothing left over. The text is taken as typed, in display units.
    std::optional<float> value(const std::string& from) const override;

private:
    int decimalPlaces_;
    float saveScaleFactor_;
};

}  // namespace Pellicot
