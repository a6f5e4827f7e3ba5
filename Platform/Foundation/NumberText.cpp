#include "Foundation/NumberText.hpp"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <system_error>

namespace Foundation::NumberText {
namespace {

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

bool startsWithSpace(std::string_view text) {
    switch (text.front()) {
    case ' ': case '\t': case '\n': case '\v': case '\f': case '\r': return true;
    default: return false;
    }
}

template <class T, class Convert>
std::optional<T> parseWhole(std::string_view text, Convert convert) {
    if (text.empty() || startsWithSpace(text)) return std::nullopt;
    const std::string copy(text);  // the C functions need a terminator
    char* end = nullptr;
    const T value = convert(copy.c_str(), &end, cLocale());
    // An embedded NUL stops the conversion early and so counts as text left over.
    if (end != copy.c_str() + copy.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string format(double value, int decimals) {
    if (decimals < 0) decimals = 0;
    // The longest fixed text of a double: sign, 309 integer digits, point, the decimals.
    std::string out(static_cast<std::size_t>(decimals) + 320, '\0');
    auto [end, ec] = std::to_chars(out.data(), out.data() + out.size(), value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return {};
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
}

std::string formatShortest(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::optional<float> parseFloat(std::string_view text) {
    return parseWhole<float>(text, [](const char* s, char** end, locale_t l) { return strtof_l(s, end, l); });
}

std::optional<double> parseDouble(std::string_view text) {
    return parseWhole<double>(text, [](const char* s, char** end, locale_t l) { return strtod_l(s, end, l); });
}

std::optional<std::int64_t> parseInt64(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Accumulate toward the negative side, which holds the one extra magnitude.
    constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const int digit = c - '0';
        if (value < (lowest + digit) / 10) return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == lowest) return std::nullopt;
        value = -value;
    }
    return value;
}

}  // namespace Foundation::NumberText
