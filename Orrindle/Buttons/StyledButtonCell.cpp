#include "Orrindle/Buttons/StyledButtonCell.hpp"

#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void StyledButtonCell::didInit() {
    Runtime::assertMainActor();
    AppKit::NSButtonCell::didInit();
    setHighlightsBy(AppKit::NSCellStyleMask::none());
}

StyledControlState StyledButtonCell::controlState() const {
    Runtime::assertMainActor();
    return CellDrawing::buttonCellState(*this);
}

CoreGraphics::AttributedText StyledButtonCell::attributedTitleString(const std::string& title, AppKit::NSControlSize,
                                                                     const AppKit::NSColor::Ptr& color) const {
    Runtime::assertMainActor();
    auto s = style();
    return CellDrawing::title(title, *s->font(), color ? *color : *s->textColor(), CoreGraphics::TextAlignment::center);
}

CGRect StyledButtonCell::drawingRect(CGRect forBounds) const {
    Runtime::assertMainActor();
    if (isBezeled() || isBordered()) return CellDrawing::inset(forBounds, style()->edgeInsets());
    return forBounds;
}

CGRect StyledButtonCell::imageRect(CGRect forBounds) const {
    Runtime::assertMainActor();
    return CellDrawing::imageRect(*this, forBounds, style()->imageEdgeInsets());
}

CGRect StyledButtonCell::titleRect(CGRect forBounds) const {
    Runtime::assertMainActor();
    const CGRect r = AppKit::NSButtonCell::titleRect(CellDrawing::inset(forBounds, style()->titleEdgeInsets()));
    return verticallyCenterTitle_ ? CellDrawing::centredVertically(r, forBounds) : r;
}

CGRect StyledButtonCell::focusRingMaskBounds(CGRect forFrame, AppKit::NSView&) const {
    Runtime::assertMainActor();
    if (isBezeled() || isBordered()) return forFrame;
    return drawingRect(forFrame);
}

void StyledButtonCell::drawFocusRingMask(CGRect, AppKit::NSView&) {
    Runtime::assertMainActor();
}

void StyledButtonCell::drawBezel(CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    CellDrawing::drawBezelImage(style()->bezelImage(controlState()), withFrame, in, isEnabled());
}

CGRect StyledButtonCell::drawTitle(const CoreGraphics::AttributedText& title, CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    auto text = attributedTitleString(title.string(), controlSize(), style()->textColor(controlState()));
    return AppKit::NSButtonCell::drawTitle(text, withFrame, in);
}

void StyledButtonCell::drawImage(const AppKit::NSImage::Ptr& image, CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    if (image) CellDrawing::drawButtonImage(*this, *image, withFrame, in, style()->imageEdgeInsets());
}

}  // namespace Orrindle
