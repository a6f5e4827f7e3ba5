#pragma once
#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

#include "Foundation/IndexSet.hpp"
#include "Orrindle/Utilities/CollectionEditing.hpp"
#include "Orrindle/Utilities/IndexRange.hpp"

// Bounds-tested access and the reordering of rows that a table's drag and drop needs.
namespace Orrindle {

// The collection's indexes, start ..< end (0 ..< size).
template <class C>
IndexRange range(const C& c) {
    return {0, static_cast<long>(c.size())};
}
// Whether `index` lies in range(c).
template <class C>
bool hasElement(const C& c, long index) {
    return range(c).contains(index);
}
template <class C>
std::optional<typename C::value_type> safe(const C& c, long index) {
    if (!hasElement(c, index)) return std::nullopt;
    return *std::next(c.begin(), index);
}
// The 0-based positions whose elements satisfy `predicate`, in order.
template <class C, class Predicate>
std::vector<long> indexes(const C& c, Predicate predicate) {
    std::vector<long> found;
    long i = 0;
    for (const auto& e : c) {
        if (predicate(e)) found.push_back(i);
        ++i;
    }
    return found;
}
// The elements at `indexes`, in that order; indexes out of range are skipped, repeats repeat.
template <class T>
std::vector<T> elements(const std::vector<T>& array, const std::vector<long>& indexes) {
    std::vector<T> picked;
    for (long i : indexes)
        if (hasElement(array, i)) picked.push_back(array[static_cast<std::size_t>(i)]);
    return picked;
}

// Moves the rows at `indexes` so they land, in ascending order, where `toIndex` (a position
// before the move, as a drop row is) ends up after their removal.
template <class T>
void moveInPlace(std::vector<T>& array, const Foundation::IndexSet& indexes, long toIndex) {
    Foundation::IndexSet valid;
    for (long i : indexes)
        if (hasElement(array, i)) valid.insert(i);
    const long below = static_cast<long>(valid.countBelow(toIndex));
    moveIndexes(array, valid, toIndex - below);
}
template <class T>
void moveInPlace(std::vector<T>& array, const std::vector<long>& indexes, long toIndex) {
    moveInPlace(array, Foundation::IndexSet::from(indexes), toIndex);
}
template <class T>
void moveInPlace(std::vector<T>& array, long index, long toIndex) {
    if (index != toIndex) moveInPlace(array, Foundation::IndexSet{index}, toIndex);
}
template <class T, class Indexes>
std::vector<T> moved(std::vector<T> array, const Indexes& indexes, long toIndex) {
    moveInPlace(array, indexes, toIndex);
    return array;
}

// Removes the first element equal to `element`; later equal elements stay.
template <class T>
void removeInPlace(std::vector<T>& array, const T& element) {
    array -= element;
}
template <class T>
void removeInPlace(std::vector<T>& array, const std::vector<T>& elements) {
    for (const T& e : elements) array -= e;
}
template <class T, class E>
std::vector<T> removing(std::vector<T> array, const E& element) {
    removeInPlace(array, element);
    return array;
}

}  // namespace Orrindle
