#pragma once
#include <any>
#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>

#include "Orrindle/Protocols/DisplayNameLocalizable.hpp"
#include "Orrindle/Protocols/MenuPresentable.hpp"

namespace Orrindle {

// The menu defaults of a value with an integer raw value and a display name: the tag is the raw
// value, the represented object the raw value as a number (signed or unsigned as the raw
// type), the title the localized display name. Derived provides `Raw rawValue() const`.
// An unsigned raw value above the largest tag is clamped to it for the tag only; the
// represented object keeps the exact value.
template <class Derived, class Raw>
class RawValueMenuPresentable : public MenuPresentable, public DisplayNameLocalizable {
    static_assert(std::is_integral_v<Raw>);

public:
    std::int64_t menuTag() const override {
        const Raw raw = self().rawValue();
        if constexpr (std::is_unsigned_v<Raw>) {
            constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
            return static_cast<std::int64_t>(std::min<std::uint64_t>(raw, largest));
        } else {
            return static_cast<std::int64_t>(raw);
        }
    }
    std::any menuRepresentedObject() const override {
        if constexpr (std::is_unsigned_v<Raw>)
            return static_cast<std::uint64_t>(self().rawValue());
        else
            return static_cast<std::int64_t>(self().rawValue());
    }
    // Through Derived, not this base's sibling: GCC 12 stops with an internal error at -O3
    // compiling the call through the other base.
    std::string menuTitle() const override { return self().localizedDisplayName(); }

private:
    const Derived& self() const { return static_cast<const Derived&>(*this); }
};

}  // namespace Orrindle
