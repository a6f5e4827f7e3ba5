#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace Foundation {

// A set of Unicode code points, given by a rule (the platform's CharacterSet).
class CharacterSet {
public:
    // Letters, marks and digits of every script (general categories L*, M*, N*).
    static CharacterSet alphanumerics();
    // Exactly the code points of `characters` (UTF-8).
    static CharacterSet characters(std::string_view characters);

    bool contains(char32_t codePoint) const { return test_(codePoint); }
    CharacterSet unioned(const CharacterSet& other) const;
    CharacterSet inverted() const;

private:
    explicit CharacterSet(std::function<bool(char32_t)> test) : test_(std::move(test)) {}
    std::function<bool(char32_t)> test_;
};

// The byte offset of the first code point of `text` in `set`; absent when none is. Bytes that
// are not UTF-8 count as U+FFFD.
std::optional<std::size_t> rangeOfCharacter(std::string_view text, const CharacterSet& set);

}  // namespace Foundation
