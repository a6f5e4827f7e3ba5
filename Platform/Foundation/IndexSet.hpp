#pragma once
#include <cstddef>
#include <initializer_list>
#include <set>
#include <vector>

namespace Foundation {

// A sorted set of distinct non-negative integers (the platform's IndexSet).
class IndexSet {
public:
    using const_iterator = std::set<long>::const_iterator;

    IndexSet() = default;
    IndexSet(std::initializer_list<long> indexes) {
        for (long i : indexes) insert(i);
    }
    template <class Range>
    static IndexSet from(const Range& indexes) {
        IndexSet s;
        for (auto i : indexes) s.insert(static_cast<long>(i));
        return s;
    }
    // The range [lower, upper).
    static IndexSet range(long lower, long upper) {
        IndexSet s;
        for (long i = lower; i < upper; ++i) s.insert(i);
        return s;
    }

    void insert(long index) {
        if (index >= 0) indexes_.insert(index);
    }
    void remove(long index) { indexes_.erase(index); }
    bool contains(long index) const { return indexes_.count(index) != 0; }
    std::size_t count() const { return indexes_.size(); }
    bool isEmpty() const { return indexes_.empty(); }
    // How many members are below `index`.
    std::size_t countBelow(long index) const {
        return static_cast<std::size_t>(std::distance(indexes_.begin(), indexes_.lower_bound(index)));
    }
    const_iterator begin() const { return indexes_.begin(); }
    const_iterator end() const { return indexes_.end(); }
    std::vector<long> toVector() const { return {indexes_.begin(), indexes_.end()}; }

    friend bool operator==(const IndexSet&, const IndexSet&) = default;

private:
    std::set<long> indexes_;
};

}  // namespace Foundation
