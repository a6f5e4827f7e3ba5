#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace Foundation {

// Text from a file or the user shown as it is, on one line: control characters (C0, DEL and
// the C1 controls in UTF-8, some of which terminals obey as ESC) and the backslash as \xNN
// bytes, so that no line break or terminal control gets through.
inline std::string escapedText(std::string_view text, std::string_view alsoEscaped = {}) {
    std::string out;
    const auto escape = [&](unsigned char c) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
        out += escaped;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            escape(c);
            escape(next);
            ++i;
        } else if (c < 0x20 || c == 0x7F || c == '\\' || alsoEscaped.find(text[i]) != std::string_view::npos) {
            escape(c);
        } else {
            out += text[i];
        }
    }
    return out;
}

// Text the user gave (a file's token, an option's value), fit for a one-line message: in
// quotes, control characters escaped, cut short when long.
inline std::string quotedText(std::string_view text) {
    constexpr std::size_t longest = 40;
    std::string out = "\"" + escapedText(text.substr(0, longest), "\"");
    if (text.size() > longest) out += "...";
    return out + "\"";
}

}  // namespace Foundation
