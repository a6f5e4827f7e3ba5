#pragma once
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace Combine::Subscribers {

// How many more values a subscriber is ready for: a count, or unlimited. Arithmetic never
// goes below zero and never leaves unlimited.
class Demand {
public:
    static constexpr Demand unlimited() { return Demand(kUnlimited); }
    static constexpr Demand none() { return Demand(0); }
    static constexpr Demand max(std::int64_t count) { return Demand(count < 0 ? 0 : count); }

    constexpr bool isUnlimited() const { return count_ == kUnlimited; }
    // The count; absent when unlimited.
    constexpr std::optional<std::int64_t> max() const {
        return isUnlimited() ? std::nullopt : std::optional<std::int64_t>(count_);
    }

    friend constexpr Demand operator+(Demand a, Demand b) {
        if (a.isUnlimited() || b.isUnlimited()) return unlimited();
        return Demand(a.count_ > kUnlimited - 1 - b.count_ ? kUnlimited - 1 : a.count_ + b.count_);
    }
    friend constexpr Demand operator+(Demand a, std::int64_t n) { return a + max(n); }
    // Unlimited minus anything stays unlimited; a count minus unlimited, or minus more than
    // it holds, is none.
    friend constexpr Demand operator-(Demand a, Demand b) {
        if (a.isUnlimited()) return a;
        if (b.isUnlimited() || b.count_ >= a.count_) return none();
        return Demand(a.count_ - b.count_);
    }
    friend constexpr Demand operator-(Demand a, std::int64_t n) { return a - max(n); }
    Demand& operator+=(Demand b) { return *this = *this + b; }
    Demand& operator-=(Demand b) { return *this = *this - b; }

    friend constexpr bool operator==(Demand, Demand) = default;
    // Unlimited is greater than every count.
    friend constexpr bool operator<(Demand a, Demand b) { return a.count_ < b.count_; }
    friend constexpr bool operator>(Demand a, Demand b) { return b < a; }
    friend constexpr bool operator<=(Demand a, Demand b) { return !(b < a); }
    friend constexpr bool operator>=(Demand a, Demand b) { return !(a < b); }
    friend constexpr bool operator==(Demand a, std::int64_t n) { return !a.isUnlimited() && a.count_ == n; }
    friend constexpr bool operator>(Demand a, std::int64_t n) { return a.isUnlimited() || a.count_ > n; }

    std::string description() const { return isUnlimited() ? "unlimited" : "max(" + std::to_string(count_) + ")"; }

private:
    static constexpr std::int64_t kUnlimited = std::numeric_limits<std::int64_t>::max();
    constexpr explicit Demand(std::int64_t count) : count_(count) {}
    std::int64_t count_;
};

}  // namespace Combine::Subscribers
