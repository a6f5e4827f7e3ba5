#pragma once
#include <memory>
#include <vector>

#include "AppKit/NSDraggingInfo.hpp"

namespace Orrindle {

// Every dragging item the enumeration hands out, in order.
std::vector<AppKit::NSDraggingItem::Ptr> draggingItems(const AppKit::NSDraggingInfo& info,
                                                       AppKit::NSDraggingItemEnumerationOptions options,
                                                       const AppKit::NSView* view,
                                                       const std::vector<const Runtime::ClassInfo*>& classes);

// The elements that are of type T, in order.
template <class T, class Sequence>
std::vector<std::shared_ptr<T>> downcastEach(const Sequence& elements) {
    std::vector<std::shared_ptr<T>> out;
    for (const auto& e : elements)
        if (auto t = std::dynamic_pointer_cast<T>(e)) out.push_back(std::move(t));
    return out;
}
// For each element, the value `path` reads from it, kept when it is of type T.
template <class T, class Sequence, class Path>
std::vector<std::shared_ptr<T>> downcastEach(const Sequence& elements, Path path) {
    std::vector<std::shared_ptr<T>> out;
    for (const auto& e : elements)
        if (auto t = std::dynamic_pointer_cast<T>(path(e))) out.push_back(std::move(t));
    return out;
}

// The dragged objects of class T.
template <class T>
std::vector<std::shared_ptr<T>> items(const AppKit::NSDraggingInfo& info, AppKit::NSDraggingItemEnumerationOptions options,
                                      const AppKit::NSView* view) {
    return downcastEach<T>(draggingItems(info, options, view, {&T::staticClassInfo()}),
                           [](const AppKit::NSDraggingItem::Ptr& d) { return d->item(); });
}

}  // namespace Orrindle
