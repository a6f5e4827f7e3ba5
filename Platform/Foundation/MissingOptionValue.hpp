#pragma once
#include <optional>
#include <string>
#include <vector>

#include "Foundation/QuotedText.hpp"

namespace Foundation {

// Whether the option at arguments[i] has its value after it: nullopt when arguments[i + 1] is
// that value, else the one-line reason. An option is never taken for the value of the one
// before it ("--snapshot --seconds 1" forgot the file name), while "-4" still can be a value.
inline std::optional<std::string> missingOptionValue(const std::vector<std::string>& arguments, std::size_t i) {
    if (i + 1 >= arguments.size()) return arguments[i] + " needs a value";
    const std::string& next = arguments[i + 1];
    if (next.rfind("--", 0) == 0) return arguments[i] + " needs a value, not the option " + quotedText(next);
    return std::nullopt;
}

}  // namespace Foundation
