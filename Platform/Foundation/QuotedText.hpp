#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace Foundation {

// Text the user gave (a file's token, an option's value), fit for a one-line message: in
// quotes, control bytes escaped, cut short when long.
inline std::string quotedText(std::string_view text) {
    constexpr std::size_t longest = 40;
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < longest; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F || c == '"' || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    if (text.size() > longest) out += "...";
    return out + "\"";
}

}  // namespace Foundation
