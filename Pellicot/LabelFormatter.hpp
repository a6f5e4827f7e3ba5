#pragma once
#include <optional>
#include <string>

namespace Pellicot {

// Turns a parameter value into the text a label shows, and typed text back into a value.
class LabelFormatter {
public:
    virtual ~LabelFormatter() = default;
    virtual std::string format(float value) const = 0;
    // Absent when the text means no value.
    virtual std::optional<float> value(const std::string& from) const = 0;
};

}  // namespace Pellicot
