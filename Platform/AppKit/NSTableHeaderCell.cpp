#include "AppKit/NSTableHeaderCell.hpp"

#include <cmath>

#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"

namespace AppKit {

void NSTableHeaderCell::didInit() {
    NSTextFieldCell::didInit();
    setFont(NSFont::systemFont(11));
    setTextColor(NSColor::headerTextColor());
    setLineBreakMode(NSLineBreakMode::byTruncatingTail);
}

void NSTableHeaderCell::draw(CGRect frame, NSView& in) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    ctx->setFillColor((drawsBackground() && backgroundColor() ? backgroundColor() : NSColor::controlBackgroundColor())->cgColor());
    ctx->fill(frame);
    ctx->setFillColor(NSColor::separatorColor()->cgColor());
    ctx->fill(CGRect{frame.maxX() - 1, frame.minY() + 3, 1, std::max<CGFloat>(0, frame.height() - 6)});
    drawInterior(frame, in);
}

void NSTableHeaderCell::drawInterior(CGRect frame, NSView&) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    if (auto image = this->image()) {
        const CGSize s = image->size();
        ctx->draw(image->asset(), {frame.midX() - s.width / 2, frame.midY() - s.height / 2, s.width, s.height});
    }
    if (title().empty()) return;
    const auto text = attributedTitle();
    const CGFloat h = CoreGraphics::TextLayout::size(text).height;
    ctx->drawText(text, {frame.minX() + 4, std::floor(frame.midY() - h / 2), std::max<CGFloat>(0, frame.width() - 8), h});
}

void NSTableHeaderCell::highlight(bool flag, CGRect, NSView&) { setHighlighted(flag); }

}  // namespace AppKit
