#pragma once
#include <cstddef>
#include <iterator>

namespace Orrindle {

// The half-open range of indexes lowerBound ..< upperBound, to loop over or to ask whether an
// index lies in it. An upper bound below the lower one gives an empty range.
struct IndexRange {
    long lowerBound = 0;
    long upperBound = 0;

    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = long;
        using difference_type = long;
        using pointer = const long*;
        using reference = long;

        Iterator() = default;
        explicit Iterator(long index) : index_(index) {}
        long operator*() const { return index_; }
        Iterator& operator++() {
            ++index_;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++index_;
            return before;
        }
        friend bool operator==(const Iterator&, const Iterator&) = default;

    private:
        long index_ = 0;
    };

    bool isEmpty() const { return upperBound <= lowerBound; }
    std::size_t count() const { return isEmpty() ? 0 : static_cast<std::size_t>(upperBound - lowerBound); }
    bool contains(long index) const { return index >= lowerBound && index < upperBound; }
    Iterator begin() const { return Iterator(lowerBound); }
    Iterator end() const { return Iterator(isEmpty() ? lowerBound : upperBound); }

    friend bool operator==(const IndexRange&, const IndexRange&) = default;
};

}  // namespace Orrindle
