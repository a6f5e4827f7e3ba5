#include "Orrindle/Extensions/DragAndDrop.hpp"

namespace Orrindle {

std::vector<AppKit::NSDraggingItem::Ptr> draggingItems(const AppKit::NSDraggingInfo& info,
                                                       AppKit::NSDraggingItemEnumerationOptions options,
                                                       const AppKit::NSView* view,
                                                       const std::vector<const Runtime::ClassInfo*>& classes) {
    std::vector<AppKit::NSDraggingItem::Ptr> out;
    info.enumerateDraggingItems(options, view, classes, [&](const AppKit::NSDraggingItem::Ptr& d, long, bool&) { out.push_back(d); });
    return out;
}

}  // namespace Orrindle
