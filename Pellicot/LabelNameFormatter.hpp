#pragma once
#include <string>
#include <vector>

#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/LabelFormatter.hpp"

namespace Pellicot {

// The names of an indexed parameter's values.
class LabelNameFormatter final : public LabelFormatter {
public:
    // Keeps a copy of the parameter's value strings (none: an empty list).
    explicit LabelNameFormatter(const AudioParameter& param);

    const std::vector<std::string>& valueStrings() const { return valueStrings_; }

    // The name at the nearest index (halves away from zero); a value with no name there
    // reads as its whole number.
    std::string format(float value) const override;
    // The index of the first name equal to the text, ignoring case by the user's locale.
    std::optional<float> value(const std::string& from) const override;

private:
    std::vector<std::string> valueStrings_;
};

}  // namespace Pellicot
