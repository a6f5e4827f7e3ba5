#include "Foundation/CharacterSet.hpp"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <memory>
#include <set>

namespace Foundation {

CharacterSet CharacterSet::alphanumerics() {
    return CharacterSet([](char32_t c) {
        const auto mask = U_GET_GC_MASK(static_cast<UChar32>(c));
        return (mask & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) != 0;
    });
}

CharacterSet CharacterSet::characters(std::string_view characters) {
    auto members = std::make_shared<std::set<char32_t>>();
    for (std::int32_t i = 0, n = static_cast<std::int32_t>(characters.size()); i < n;) {
        UChar32 c;
        U8_NEXT_OR_FFFD(characters.data(), i, n, c);
        members->insert(static_cast<char32_t>(c));
    }
    return CharacterSet([members](char32_t c) { return members->count(c) != 0; });
}

CharacterSet CharacterSet::unioned(const CharacterSet& other) const {
    return CharacterSet([a = test_, b = other.test_](char32_t c) { return a(c) || b(c); });
}

CharacterSet CharacterSet::inverted() const {
    return CharacterSet([a = test_](char32_t c) { return !a(c); });
}

std::optional<std::size_t> rangeOfCharacter(std::string_view text, const CharacterSet& set) {
    for (std::int32_t i = 0, n = static_cast<std::int32_t>(text.size()); i < n;) {
        const std::int32_t start = i;
        UChar32 c;
        U8_NEXT_OR_FFFD(text.data(), i, n, c);
        if (set.contains(static_cast<char32_t>(c))) return static_cast<std::size_t>(start);
    }
    return std::nullopt;
}

}  // namespace Foundation
