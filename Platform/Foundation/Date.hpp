#pragma once
#include <compare>

namespace Foundation {

// A point in time, in seconds since 1 January 2001 UTC. now() reads the wall clock, or the
// shared clock when tests run on virtual time (its seconds counted from the reference date).
class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(double timeIntervalSinceReferenceDate) : t_(timeIntervalSinceReferenceDate) {}
    static Date now();
    static constexpr Date fromTimeIntervalSince1970(double seconds) { return Date(seconds - kReferenceTo1970); }

    constexpr double timeIntervalSinceReferenceDate() const { return t_; }
    constexpr double timeIntervalSince1970() const { return t_ + kReferenceTo1970; }
    constexpr double timeIntervalSince(Date other) const { return t_ - other.t_; }
    double timeIntervalSinceNow() const { return t_ - now().t_; }
    constexpr Date addingTimeInterval(double seconds) const { return Date(t_ + seconds); }

    friend constexpr auto operator<=>(const Date&, const Date&) = default;

private:
    static constexpr double kReferenceTo1970 = 978307200.0;
    double t_ = 0;
};

}  // namespace Foundation
