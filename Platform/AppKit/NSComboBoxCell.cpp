#include "AppKit/NSComboBoxCell.hpp"

#include <stdexcept>

#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Foundation/NumberText.hpp"

namespace AppKit {

void NSComboBoxCell::didInit() {
    NSTextFieldCell::didInit();
    setEditable(true);
    setBezeled(true);
    setLineBreakMode(NSLineBreakMode::byTruncatingTail);
}

void NSComboBoxCell::removeAllItems() {
    items_.clear();
    selected_ = -1;
}

std::any NSComboBoxCell::itemObjectValue(int index) const {
    if (index < 0 || index >= numberOfItems()) throw std::out_of_range("NSComboBoxCell: index " + std::to_string(index) + " beyond bounds");
    return items_[std::size_t(index)];
}

std::string NSComboBoxCell::text(const std::any& value) {
    if (const auto* s = std::any_cast<std::string>(&value)) return *s;
    if (const auto* d = std::any_cast<double>(&value)) return Foundation::NumberText::formatShortest(*d);
    return {};
}

CGRect NSComboBoxCell::drawingRect(CGRect b) const {
    const CGRect r = NSTextFieldCell::drawingRect(b);
    return {r.minX(), r.minY(), std::max<CGFloat>(0, r.width() - buttonWidth()), r.height()};
}

CGSize NSComboBoxCell::cellSize(CGRect forBounds) const {
    const CGSize text = NSTextFieldCell::cellSize(forBounds);
    return {text.width + buttonWidth(), text.height};
}

void NSComboBoxCell::draw(CGRect frame, NSView& in) {
    if (auto* ctx = CoreGraphics::CGContext::current(); ctx && (isBezeled() || isBordered())) {
        const CGRect body = frame.insetBy(0.5, 0.5);
        ctx->saveGState();
        ctx->setFillColor(CoreGraphics::CGColor::gray(0.15, isEnabled() ? 1 : 0.5));
        ctx->fill(CoreGraphics::CGPath::roundedRect(body, 3));
        ctx->setStrokeColor(CoreGraphics::CGColor::gray(0.5, 0.6));
        ctx->setLineWidth(1);
        ctx->stroke(CoreGraphics::CGPath::roundedRect(body, 3));
        // The arrow button.
        const CGFloat cx = frame.maxX() - buttonWidth() / 2, cy = frame.midY();
        const CGFloat down = in.isFlipped() ? 2 : -2;
        CoreGraphics::CGPath arrow;
        arrow.move({cx - 3.5, cy - down});
        arrow.addLine({cx, cy + down});
        arrow.addLine({cx + 3.5, cy - down});
        ctx->setStrokeColor(NSColor::controlTextColor()->cgColor());
        ctx->setLineWidth(1.5);
        ctx->stroke(arrow);
        ctx->restoreGState();
    }
    drawInterior(frame, in);
}

}  // namespace AppKit

namespace AppKit {

void NSComboBoxCell::select(CGRect frame, NSView& in, NSText& editor, const std::shared_ptr<Runtime::NSObject>& delegate,
                            long start, long length) {
    NSTextFieldCell::select(frame, in, editor, delegate, start, length);
    editor.setFrame(titleRect(frame));
}

void NSComboBoxCell::drawInterior(CGRect frame, NSView&) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx || title().empty() || showsFirstResponder()) return;
    const CGRect area = drawingRect(frame);
    const auto text = attributedTitle();
    const CGFloat h = CoreGraphics::TextLayout::size(text, area.width()).height;
    ctx->drawText(text, {area.minX(), area.midY() - h / 2, area.width(), h});
}

}  // namespace AppKit
