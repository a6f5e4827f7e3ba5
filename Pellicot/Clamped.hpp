#pragma once

namespace Pellicot {

// The three kinds of range a value can be clamped to.
template <class T>
struct ClosedRange {
    T lowerBound, upperBound;
};
template <class T>
struct PartialRangeFrom {
    T lowerBound;
};
template <class T>
struct PartialRangeThrough {
    T upperBound;
};

// Comparisons are written so that a value that compares false with everything (NaN) ends up
// at the lower bound of a closed range.
template <class T>
T clamped(const T& value, const PartialRangeFrom<T>& range) {
    return range.lowerBound <= value ? value : range.lowerBound;
}
template <class T>
T clamped(const T& value, const PartialRangeThrough<T>& range) {
    return value <= range.upperBound ? value : range.upperBound;
}
template <class T>
T clamped(const T& value, const ClosedRange<T>& range) {
    return clamped(clamped(value, PartialRangeFrom<T>{range.lowerBound}), PartialRangeThrough<T>{range.upperBound});
}

}  // namespace Pellicot
