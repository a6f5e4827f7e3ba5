#include "AppKit/NSTableRowView.hpp"

#include "AppKit/NSColor.hpp"
#include "AppKit/NSTableCellView.hpp"
#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

void NSTableRowView::setSelected(bool selected) {
    selected_ = selected;
    updateCellBackgrounds();
    setNeedsDisplay(true);
}

void NSTableRowView::setEmphasized(bool emphasized) {
    if (emphasized == emphasized_) return;
    emphasized_ = emphasized;
    updateCellBackgrounds();
    setNeedsDisplay(true);
}

void NSTableRowView::setGroupRowStyle(bool flag) {
    groupRowStyle_ = flag;
    setNeedsDisplay(true);
}

void NSTableRowView::setSelectionHighlightStyle(NSTableViewSelectionHighlightStyle style) {
    highlightStyle_ = style;
    updateCellBackgrounds();
    setNeedsDisplay(true);
}

void NSTableRowView::setBackgroundColor(std::shared_ptr<NSColor> color) {
    backgroundColor_ = std::move(color);
    setNeedsDisplay(true);
}

NSBackgroundStyle NSTableRowView::interiorBackgroundStyle() const {
    const bool shown = selected_ && highlightStyle_ != NSTableViewSelectionHighlightStyle::none;
    return shown && emphasized_ ? NSBackgroundStyle::emphasized : NSBackgroundStyle::normal;
}

void NSTableRowView::updateCellBackgrounds() {
    const auto style = interiorBackgroundStyle();
    for (const auto& sub : subviews())
        if (auto* cell = dynamic_cast<NSTableCellView*>(sub.get())) cell->setBackgroundStyle(style);
}

void NSTableRowView::drawBackground(CGRect) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx || !backgroundColor_) return;
    ctx->setFillColor(backgroundColor_->cgColor());
    ctx->fill(bounds());
}

void NSTableRowView::drawSelection(CGRect) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx || highlightStyle_ == NSTableViewSelectionHighlightStyle::none) return;
    const auto colour = emphasized_ ? NSColor::selectedContentBackgroundColor() : NSColor::unemphasizedSelectedContentBackgroundColor();
    ctx->setFillColor(colour->cgColor());
    ctx->fill(CoreGraphics::CGPath::roundedRect(bounds().insetBy(5, 0), 5));
}

void NSTableRowView::draw(CGRect dirtyRect) {
    drawBackground(dirtyRect);
    if (isSelected()) drawSelection(dirtyRect);
}

}  // namespace AppKit
