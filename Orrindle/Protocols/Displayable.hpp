#pragma once
#include <concepts>
#include <ranges>
#include <string>

namespace Orrindle {

// A type that lists all its values: `static ... allCases()` gives a range of them.
template <class T>
concept CaseIterable = requires {
    { T::allCases() } -> std::ranges::range;
};

// A value with the text shown for it, of a type that lists all its values (DisplayableType).
class Displayable {
public:
    virtual ~Displayable() = default;
    virtual std::string displayTitle() const = 0;
};

template <class T>
concept DisplayableType = std::derived_from<T, Displayable> && CaseIterable<T>;

}  // namespace Orrindle
