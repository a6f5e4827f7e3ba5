#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "AppKit/NSView.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

// One dragged thing: the object it carries (a URL, a string, a kit item...).
class NSDraggingItem : public Runtime::NSObject {
    VZ_OBJECT(NSDraggingItem, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSDraggingItem>;
    static Ptr make(std::shared_ptr<Runtime::NSObject> item);
    const std::shared_ptr<Runtime::NSObject>& item() const { return item_; }

protected:
    NSDraggingItem() = default;

private:
    std::shared_ptr<Runtime::NSObject> item_;
};

enum class NSDraggingItemEnumerationOptions : unsigned long { none = 0, concurrent = 1, clearNonenumeratedImages = 1ul << 16 };

// What a drop destination learns of a drag in progress: here, the dragged items.
class NSDraggingInfo {
public:
    explicit NSDraggingInfo(std::vector<std::shared_ptr<Runtime::NSObject>> items);
    virtual ~NSDraggingInfo() = default;

    // Hands the block each item whose object is of one of `classes` (all items for none), in
    // order, with its index; the block stops the walk by setting its last argument.
    using Block = std::function<void(const NSDraggingItem::Ptr& item, long index, bool& stop)>;
    void enumerateDraggingItems(NSDraggingItemEnumerationOptions options, const NSView* view,
                                const std::vector<const Runtime::ClassInfo*>& classes, const Block& block) const;

private:
    std::vector<NSDraggingItem::Ptr> items_;
};

}  // namespace AppKit
