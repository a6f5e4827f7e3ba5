#include "AppKit/NSDraggingInfo.hpp"

namespace AppKit {

NSDraggingItem::Ptr NSDraggingItem::make(std::shared_ptr<Runtime::NSObject> item) {
    auto d = Runtime::make<NSDraggingItem>();
    d->item_ = std::move(item);
    return d;
}

NSDraggingInfo::NSDraggingInfo(std::vector<std::shared_ptr<Runtime::NSObject>> items) {
    for (auto& item : items) items_.push_back(NSDraggingItem::make(std::move(item)));
}

void NSDraggingInfo::enumerateDraggingItems(NSDraggingItemEnumerationOptions, const NSView*,
                                            const std::vector<const Runtime::ClassInfo*>& classes, const Block& block) const {
    long index = 0;
    for (const auto& d : items_) {
        bool wanted = classes.empty();
        for (const auto* cls : classes) wanted = wanted || (d->item() && d->item()->isKindOf(*cls));
        if (!wanted) continue;
        bool stop = false;
        block(d, index++, stop);
        if (stop) return;
    }
}

}  // namespace AppKit
