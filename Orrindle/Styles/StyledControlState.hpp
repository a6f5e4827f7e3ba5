#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Orrindle {

// The drawing state of a styled control or cell: a set of single-bit options, and the key of
// every state-to-image table of the styles. Bits above `invalid` may be present; they take
// part in equality and set algebra only.
class StyledControlState {
public:
    using RawValue = std::int64_t;

    static const StyledControlState default_;     // 1: always set by the styled controls
    static const StyledControlState disabled;     // 2
    static const StyledControlState selected;     // 4
    static const StyledControlState highlighted;  // 8: pressed while enabled
    static const StyledControlState focused;      // 16
    static const StyledControlState on;           // 32
    static const StyledControlState mixed;        // 64
    static const StyledControlState invalid;      // 128
    // Every option but `default_`, in ascending bit order.
    static const std::array<StyledControlState, 7> allStates;

    constexpr StyledControlState() = default;  // the empty set, raw value 0
    constexpr explicit StyledControlState(RawValue rawValue) : rawValue_(rawValue) {}
    // The union of the options: `{StyledControlState::default_, StyledControlState::on}`.
    constexpr StyledControlState(std::initializer_list<StyledControlState> options) {
        for (auto o : options) rawValue_ |= o.rawValue_;
    }

    constexpr RawValue rawValue() const { return rawValue_; }

    // Set algebra on the raw value.
    constexpr bool isEmpty() const { return rawValue_ == 0; }
    constexpr bool contains(StyledControlState member) const { return (rawValue_ & member.rawValue_) == member.rawValue_; }
    constexpr bool isSubset(StyledControlState of) const { return (rawValue_ & ~of.rawValue_) == 0; }
    constexpr bool isSuperset(StyledControlState of) const { return of.isSubset(*this); }
    constexpr bool isDisjoint(StyledControlState with) const { return (rawValue_ & with.rawValue_) == 0; }

    constexpr StyledControlState union_(StyledControlState o) const { return StyledControlState(rawValue_ | o.rawValue_); }
    constexpr StyledControlState intersection(StyledControlState o) const { return StyledControlState(rawValue_ & o.rawValue_); }
    constexpr StyledControlState symmetricDifference(StyledControlState o) const {
        return StyledControlState(rawValue_ ^ o.rawValue_);
    }
    constexpr StyledControlState subtracting(StyledControlState o) const { return StyledControlState(rawValue_ & ~o.rawValue_); }

    constexpr void formUnion(StyledControlState o) { rawValue_ |= o.rawValue_; }
    constexpr void formIntersection(StyledControlState o) { rawValue_ &= o.rawValue_; }
    constexpr void formSymmetricDifference(StyledControlState o) { rawValue_ ^= o.rawValue_; }
    constexpr void subtract(StyledControlState o) { rawValue_ &= ~o.rawValue_; }

    // Whether the member was newly inserted, and the member as it stands in the set after.
    std::pair<bool, StyledControlState> insert(StyledControlState member);
    // The part of `member` that was in the set, or nothing when none of it was.
    std::optional<StyledControlState> remove(StyledControlState member);
    // Inserts `member`; returns the part of it that was already there, or nothing.
    std::optional<StyledControlState> update(StyledControlState with);

    friend constexpr StyledControlState operator|(StyledControlState a, StyledControlState b) { return a.union_(b); }
    friend constexpr StyledControlState operator&(StyledControlState a, StyledControlState b) { return a.intersection(b); }
    friend constexpr StyledControlState operator^(StyledControlState a, StyledControlState b) {
        return a.symmetricDifference(b);
    }
    friend constexpr bool operator==(StyledControlState, StyledControlState) = default;

    // The names of the eight defined options it holds, ascending, joined by ", "
    // ("default, on"); empty when it holds none of them.
    std::string description() const;
    // How many of `allStates` it holds (0...7): the score of the partial image match.
    int countOfSetOptions() const;
    // `default_` first, whether or not the set holds it, then the members of `allStates` it holds.
    std::vector<StyledControlState> toArray() const;

    // Orders table keys by raw value, so looking through a table never depends on hashing.
    struct ByRawValue {
        constexpr bool operator()(StyledControlState a, StyledControlState b) const { return a.rawValue_ < b.rawValue_; }
    };

    friend std::ostream& operator<<(std::ostream& out, StyledControlState state);

private:
    RawValue rawValue_ = 0;
};

inline constexpr StyledControlState StyledControlState::default_{1};
inline constexpr StyledControlState StyledControlState::disabled{2};
inline constexpr StyledControlState StyledControlState::selected{4};
inline constexpr StyledControlState StyledControlState::highlighted{8};
inline constexpr StyledControlState StyledControlState::focused{16};
inline constexpr StyledControlState StyledControlState::on{32};
inline constexpr StyledControlState StyledControlState::mixed{64};
inline constexpr StyledControlState StyledControlState::invalid{128};
inline constexpr std::array<StyledControlState, 7> StyledControlState::allStates{
    disabled, selected, highlighted, focused, on, mixed, invalid};

}  // namespace Orrindle

// Hashes only the eight defined bits, as equal descriptions hash equally: raw values 0 and
// 256 collide yet compare unequal.
template <>
struct std::hash<Orrindle::StyledControlState> {
    std::size_t operator()(Orrindle::StyledControlState s) const noexcept {
        return std::hash<Orrindle::StyledControlState::RawValue>()(s.rawValue() & 0xFF);
    }
};
