#include "Orrindle/PopUps/StyledPopUpButtonCell.hpp"

#include "AppKit/NSColor.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void StyledPopUpButtonCell::didInit() {
    Runtime::assertMainActor();
    AppKit::NSPopUpButtonCell::didInit();
    setHighlightsBy(AppKit::NSCellStyleMask::none());
}

StyledControlState StyledPopUpButtonCell::controlState() const {
    Runtime::assertMainActor();
    return CellDrawing::buttonCellState(*this);
}

CGRect StyledPopUpButtonCell::titleRect(CGRect b) const {
    Runtime::assertMainActor();
    if (imagePosition() == AppKit::NSCellImagePosition::imageOnly || title().empty()) return {};
    return CGRect{10, CellDrawing::round(b.midY() - 7), b.width() - 24, 14}.integral();
}

void StyledPopUpButtonCell::drawBezel(CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    CellDrawing::drawBezelImage(style()->bezelImage(controlState()), withFrame, in, isEnabled());
}

CGRect StyledPopUpButtonCell::drawTitle(const CoreGraphics::AttributedText& title, CGRect withFrame, AppKit::NSView&) {
    Runtime::assertMainActor();
    if (imagePosition() == AppKit::NSCellImagePosition::imageOnly) return {};
    const std::string text = title.string();
    if (text.empty()) return {};
    auto drawn = attributedTitleString(text, style()->textColor(controlState()), label_, AppKit::NSColor::secondaryLabelColor());
    if (auto* ctx = CoreGraphics::CGContext::current()) ctx->drawText(drawn, withFrame);
    return withFrame;
}

void StyledPopUpButtonCell::highlight(bool flag, CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    AppKit::NSPopUpButtonCell::highlight(flag, withFrame, in);
    setHighlighted(flag);
    in.setNeedsDisplay(true);
}

CoreGraphics::AttributedText StyledPopUpButtonCell::attributedTitleString(const std::string& title,
                                                                          const AppKit::NSColor::Ptr& color,
                                                                          const std::optional<std::string>& label,
                                                                          const AppKit::NSColor::Ptr& labelColor) const {
    Runtime::assertMainActor();
    return CellDrawing::popUpTitle(title, color ? *color : *style()->textColor(), label, labelColor);
}

}  // namespace Orrindle
