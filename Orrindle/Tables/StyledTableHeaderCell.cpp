#include "Orrindle/Tables/StyledTableHeaderCell.hpp"

#include <cmath>

#include "CoreGraphics/CGContext.hpp"

namespace Orrindle {

using AppKit::CGFloat;
using AppKit::CGRect;

void StyledTableHeaderCell::didInit() {
    AppKit::NSTableHeaderCell::didInit();
    setStringValue(std::move(textCell_));
    setImage(std::move(image_));
}

void StyledTableHeaderCell::draw(CGRect frame, AppKit::NSView&) { drawHeader(frame); }
void StyledTableHeaderCell::highlight(bool, CGRect frame, AppKit::NSView&) { drawHeader(frame); }
void StyledTableHeaderCell::colorfulDraw(CGRect frame, AppKit::NSView&, bool) { drawHeader(frame); }

void StyledTableHeaderCell::drawHeader(CGRect f) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    if (tintColor_) {
        ctx->setFillColor(tintColor_->cgColor());
        ctx->fill(f);
    }
    const auto cellFont = font();
    const CGFloat a = cellFont ? cellFont->ascender() : 0, d = cellFont ? cellFont->descender() : 0;
    const CGFloat dx = f.minX() < 5 ? 4 : 1;
    const CGFloat dy = std::floor((f.height() - (a - d)) / 2);
    const auto title = attributedStringValue();
    if (!title.isEmpty()) ctx->drawText(title, f.insetBy(dx, dy));
    if (auto picture = image()) {
        const auto s = picture->size();
        // Centred in the frame itself, wherever the frame starts.
        ctx->draw(picture->asset(), {f.minX() + (f.width() - s.width) / 2, f.minY() + (f.height() - s.height) / 2, s.width, s.height});
    }
}

AppKit::NSCell::Ptr StyledTableHeaderCell::copy() const {
    auto& self = const_cast<StyledTableHeaderCell&>(*this);
    auto tint = std::exchange(self.tintColor_, nullptr);
    auto copied = AppKit::NSTableHeaderCell::copy();
    self.tintColor_ = tint;
    if (auto styled = std::dynamic_pointer_cast<StyledTableHeaderCell>(copied)) styled->tintColor_ = tint;
    return copied;
}

}  // namespace Orrindle
