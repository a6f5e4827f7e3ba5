#pragma once
#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

namespace Foundation {

// The changes that turn one collection into another (Swift's CollectionDifference). Removal
// offsets refer to the old collection, insertion offsets to the new one. Iteration follows the
// order in which the changes can be applied one by one: removals from the highest offset down,
// then insertions from the lowest offset up.
template <class Element>
class CollectionDifference {
public:
    struct Change {
        enum class Kind { insert, remove };
        Kind kind;
        std::size_t offset;
        Element element;
        std::optional<std::size_t> associatedWith;
        friend bool operator==(const Change&, const Change&) = default;
    };

    // Changes may come in any order; absent when two removals or two insertions share an
    // offset (no collection has such a difference).
    static std::optional<CollectionDifference> make(std::vector<Change> changes) {
        CollectionDifference d;
        for (auto& c : changes) (c.kind == Change::Kind::remove ? d.removals_ : d.insertions_).push_back(std::move(c));
        auto byOffset = [](const Change& a, const Change& b) { return a.offset < b.offset; };
        auto sameOffset = [](const Change& a, const Change& b) { return a.offset == b.offset; };
        std::sort(d.removals_.begin(), d.removals_.end(), [&](auto& a, auto& b) { return byOffset(b, a); });
        std::sort(d.insertions_.begin(), d.insertions_.end(), byOffset);
        if (std::adjacent_find(d.removals_.begin(), d.removals_.end(), sameOffset) != d.removals_.end() ||
            std::adjacent_find(d.insertions_.begin(), d.insertions_.end(), sameOffset) != d.insertions_.end())
            return std::nullopt;
        return d;
    }

    // The difference from `from` to `to` through a longest common subsequence.
    template <class Equal = std::equal_to<Element>>
    static CollectionDifference between(const std::vector<Element>& from, const std::vector<Element>& to, Equal equal = {}) {
        const std::size_t n = from.size(), m = to.size();
        std::vector<std::vector<std::size_t>> lcs(n + 1, std::vector<std::size_t>(m + 1, 0));
        for (std::size_t i = n; i-- > 0;)
            for (std::size_t j = m; j-- > 0;)
                lcs[i][j] = equal(from[i], to[j]) ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
        std::vector<Change> changes;
        std::size_t i = 0, j = 0;
        while (i < n || j < m) {
            if (i < n && j < m && equal(from[i], to[j])) {
                ++i, ++j;
            } else if (j < m && (i == n || lcs[i][j + 1] >= lcs[i + 1][j])) {
                changes.push_back({Change::Kind::insert, j, to[j], std::nullopt}), ++j;
            } else {
                changes.push_back({Change::Kind::remove, i, from[i], std::nullopt}), ++i;
            }
        }
        return *make(std::move(changes));
    }

    // In application order.
    std::vector<Change> changes() const {
        std::vector<Change> all = removals_;
        all.insert(all.end(), insertions_.begin(), insertions_.end());
        return all;
    }
    const std::vector<Change>& removals() const { return removals_; }      // highest offset first
    const std::vector<Change>& insertions() const { return insertions_; }  // lowest offset first
    bool isEmpty() const { return removals_.empty() && insertions_.empty(); }

private:
    CollectionDifference() = default;
    std::vector<Change> removals_, insertions_;
};

}  // namespace Foundation
