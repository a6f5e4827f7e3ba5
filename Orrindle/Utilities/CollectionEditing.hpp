#pragma once
#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <set>
#include <vector>

#include "Foundation/CollectionDifference.hpp"

// Editing operations for any range-replaceable container (vector, deque, string). Indexes are
// positions from 0. Bad indexes never touch the wrong element: a list of indexes is
// de-duplicated and those out of range are ignored, and an insertion position is clamped to
// the container's bounds.
namespace Orrindle {

template <class C>
C& operator+=(C& c, const typename C::value_type& element) {
    c.insert(c.end(), element);
    return c;
}
template <class C>
C& operator+=(C& c, const std::optional<typename C::value_type>& element) {
    if (element) c.insert(c.end(), *element);
    return c;
}
template <class C>
void prepend(C& c, const typename C::value_type& element) {
    c.insert(c.begin(), element);
}
// Removes the first element equal to `element`.
template <class C>
C& operator-=(C& c, const typename C::value_type& element) {
    if (auto it = std::find(c.begin(), c.end(), element); it != c.end()) c.erase(it);
    return c;
}
template <class C>
C& operator-=(C& c, const std::optional<typename C::value_type>& element) {
    if (element) c -= *element;
    return c;
}

namespace detail {
template <class C, class Indexes>
std::set<std::size_t> validIndexes(const C& c, const Indexes& indexes) {
    std::set<std::size_t> valid;
    for (auto i : indexes)
        if (i >= 0 && static_cast<std::size_t>(i) < c.size()) valid.insert(static_cast<std::size_t>(i));
    return valid;
}
template <class C>
std::size_t clampedPosition(const C& c, long position) {
    return static_cast<std::size_t>(std::clamp<long>(position, 0, static_cast<long>(c.size())));
}
}  // namespace detail

// Removes the elements at `indexes`, from the highest down, and returns them in ascending
// index order.
template <class C, class Indexes>
std::vector<typename C::value_type> removeAtIndexes(C& c, const Indexes& indexes) {
    const auto valid = detail::validIndexes(c, indexes);
    std::vector<typename C::value_type> removed;
    for (auto it = valid.rbegin(); it != valid.rend(); ++it) {
        auto at = std::next(c.begin(), static_cast<std::ptrdiff_t>(*it));
        removed.push_back(std::move(*at));
        c.erase(at);
    }
    std::reverse(removed.begin(), removed.end());
    return removed;
}
template <class C>
std::vector<typename C::value_type> removeAt(C& c, std::initializer_list<long> indexes) {
    return removeAtIndexes(c, indexes);
}
template <class C, class Indexes>
std::vector<typename C::value_type> removeAt(C& c, const Indexes& indexes) {
    return removeAtIndexes(c, indexes);
}

// Moves one element; `to` is a position in the container after the removal.
template <class C>
void move(C& c, long from, long to) {
    if (from < 0 || static_cast<std::size_t>(from) >= c.size()) return;
    auto at = std::next(c.begin(), from);
    auto element = std::move(*at);
    c.erase(at);
    c.insert(std::next(c.begin(), static_cast<std::ptrdiff_t>(detail::clampedPosition(c, to))), std::move(element));
}
// Moves the elements at `indexes` (kept in ascending order) to `to`, a position after the
// removal.
template <class C, class Indexes>
void moveIndexes(C& c, const Indexes& indexes, long to) {
    auto removed = removeAtIndexes(c, indexes);
    auto at = std::next(c.begin(), static_cast<std::ptrdiff_t>(detail::clampedPosition(c, to)));
    c.insert(at, std::make_move_iterator(removed.begin()), std::make_move_iterator(removed.end()));
}
template <class C>
void move(C& c, std::initializer_list<long> indexes, long to) {
    moveIndexes(c, indexes, to);
}

// Applies each change in the difference's own order (removals from the highest offset down,
// then insertions from the lowest up). A change that does not fit the container is skipped.
template <class C>
void applyInPlace(C& c, const Foundation::CollectionDifference<typename C::value_type>& difference) {
    using Kind = typename Foundation::CollectionDifference<typename C::value_type>::Change::Kind;
    for (const auto& change : difference.changes()) {
        if (change.kind == Kind::remove) {
            if (change.offset < c.size()) c.erase(std::next(c.begin(), static_cast<std::ptrdiff_t>(change.offset)));
        } else if (change.offset <= c.size()) {
            c.insert(std::next(c.begin(), static_cast<std::ptrdiff_t>(change.offset)), change.element);
        }
    }
}

}  // namespace Orrindle
