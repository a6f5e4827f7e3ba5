#include "Orrindle/Extensions/TextDrawing.hpp"

#include "AppKit/NSMenu.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"

namespace Orrindle {

void drawVerticallyCentered(const CoreGraphics::AttributedText& text, const CoreGraphics::CGRect& rect) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    const auto measured = CoreGraphics::TextLayout::size(text, rect.width());
    ctx->drawText(text, {rect.minX(), rect.minY() + (rect.height() - measured.height) * 0.5, rect.width(), rect.height()});
}

NSRange nsRange(std::string_view s) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
        bool whole = i + length <= s.size();
        for (std::size_t k = 1; whole && k < length; ++k) whole = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
        if (!whole) length = 1;
        units += length == 4 ? 2 : 1;
        i += length;
    }
    return {0, units};
}

void focusRingClearingWorkaround(AppKit::NSView& field) {
    field.rotateByDegrees(-1);
    field.rotateByDegrees(1);
}

void popUpContextMenu(const AppKit::NSButton& button) {
    auto menu = button.menu();
    if (!menu) return;
    const auto b = button.bounds();
    menu->popUp(nullptr, {b.minX(), b.maxY()}, &button);
}

}  // namespace Orrindle
