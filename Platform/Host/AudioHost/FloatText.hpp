#pragma once
#include <charconv>
#include <string>

namespace AudioHost {

// The shortest text that reads back as the same float ("50", "0.1", "nan"), whatever the
// process locale.
inline std::string floatText(float value) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, end);
}

}  // namespace AudioHost
