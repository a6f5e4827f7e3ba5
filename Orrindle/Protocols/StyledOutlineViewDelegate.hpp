#pragma once
#include <any>
#include <memory>

namespace AppKit {
class NSMenu;
class NSOutlineView;
}  // namespace AppKit

namespace Orrindle {

// Asked by the styled outline view for the context menu of the item under the mouse; looked up
// on the outline's ordinary delegate, which may or may not adopt it.
class StyledOutlineViewDelegate {
public:
    virtual ~StyledOutlineViewDelegate() = default;
    virtual std::shared_ptr<AppKit::NSMenu> outlineView(AppKit::NSOutlineView& outlineView, const std::any& menuForItem) = 0;
};

}  // namespace Orrindle
