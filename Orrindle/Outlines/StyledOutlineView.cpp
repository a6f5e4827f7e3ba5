#include "Orrindle/Outlines/StyledOutlineView.hpp"

#include "AppKit/NSAnimationContext.hpp"
#include "AppKit/NSButton.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSScrollView.hpp"
#include "Orrindle/Extensions/ViewOperations.hpp"
#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

StyledControlState StyledOutlineView::controlState() const { return enabledHighlightedState(isEnabled(), isHighlighted()); }

void StyledOutlineView::viewWillMoveToSuperview(AppKit::NSView* newSuperview) {
    AppKit::NSOutlineView::viewWillMoveToSuperview(newSuperview);
    const auto colour = style()->backgroundColor();
    setBackgroundColor(colour);
    if (auto* scroll = scrollViewAround(newSuperview)) scroll->setBackgroundColor(colour);
}

AppKit::NSView::Ptr StyledOutlineView::makeView(const std::string& identifier, Runtime::NSObject* owner) {
    auto view = AppKit::NSOutlineView::makeView(identifier, owner);
    if (identifier != disclosureButtonIdentifier) return view;
    if (auto button = std::dynamic_pointer_cast<AppKit::NSButton>(view)) {
        if (auto cell = button->buttonCell()) cell->setShowsStateBy(AppKit::NSCellStyleMask::contents());
        button->setImage(AppKit::NSImage::withResource(ImageResources::organiserIconDisclose()));
        button->setAlternateImage(AppKit::NSImage::withResource(ImageResources::organiserIconDiscloseOpen()));
        button->setTag(disclosureButtonTag);
    }
    return view;
}

std::shared_ptr<AppKit::NSMenu> StyledOutlineView::menuForEvent(const AppKit::NSEvent& event) {
    const auto item = this->item(row(convert(event.locationInWindow(), nullptr)));
    if (!item.has_value()) return nullptr;
    auto d = delegate();
    if (auto* styled = dynamic_cast<StyledOutlineViewDelegate*>(d.get())) return styled->outlineView(*this, item);
    return nullptr;
}

void StyledOutlineView::expandItemWithoutAnimation(const std::any& item) {
    if (isItemExpanded(item) || !isExpandable(item)) return;
    AppKit::NSAnimationContext::beginGrouping();
    AppKit::NSAnimationContext::current().setDuration(0);
    expandItem(item, false);
    AppKit::NSAnimationContext::endGrouping();
}

}  // namespace Orrindle
