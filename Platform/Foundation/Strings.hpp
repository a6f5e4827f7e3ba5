#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text helpers over UTF-8 strings.
namespace Foundation {

class Locale;

// Is the code point in the platform's whitespace-and-newlines set (Unicode White_Space)?
bool isWhitespaceOrNewline(char32_t codePoint);

// `text` without White_Space code points at either end. Bytes that are not valid UTF-8 are
// kept as they are.
std::string trimmingWhitespaceAndNewlines(std::string_view text);

// The parts of `text` between occurrences of `separator`. Empty parts are left out unless
// `omittingEmptySubsequences` is false (then "a,,b" gives "a", "", "b" and "" gives one "").
std::vector<std::string> split(std::string_view text, char separator, bool omittingEmptySubsequences = true);

// Full Unicode case mapping of the root locale: the same on every machine ("ß" -> "SS",
// "i" -> "I" even where the user's language is Turkish).
std::string uppercased(std::string_view text);
std::string lowercased(std::string_view text);

// Case mapping by the rules of `locale`'s language (Turkish "i" -> "İ", "I" -> "ı").
std::string uppercased(std::string_view text, const Locale& locale);
std::string lowercased(std::string_view text, const Locale& locale);

}  // namespace Foundation

namespace Foundation {

// Where `search` first occurs in `text`, compared as a user expects a search to compare:
// case- and diacritic-insensitive ("É" finds "e"). The range is in bytes of `text` and covers
// whole code points; absent when `search` is empty or not found. With `atEnd`, only an
// occurrence that ends `text` counts.
struct TextRange {
    std::size_t location = 0, length = 0;
    friend bool operator==(const TextRange&, const TextRange&) = default;
};
std::optional<TextRange> localizedStandardRange(std::string_view text, std::string_view search, bool atEnd = false);

}  // namespace Foundation
