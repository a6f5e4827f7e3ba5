#include "Orrindle/Buttons/StyledButtonCell.hpp"

#include "Orrindle/Drawing/CellDrawing.hpp"

namespace Orrindle {

void StyledButtonCell::didInit() {
    AppKit::NSButtonCell::didInit();
    setHighlightsBy(AppKit::NSCellStyleMask::none());
}

StyledControlState StyledButtonCell::controlState() const { return CellDrawing::buttonCellState(*this); }

CoreGraphics::AttributedText StyledButtonCell::attributedTitleString(const std::string& title, AppKit::NSControlSize,
                                                                     const AppKit::NSColor::Ptr& color) const {
    auto s = style();
    return CellDrawing::title(title, *s->font(), color ? *color : *s->textColor(), CoreGraphics::TextAlignment::center);
}

CGRect StyledButtonCell::drawingRect(CGRect forBounds) const {
    if (isBezeled() || isBordered()) return CellDrawing::inset(forBounds, style()->edgeInsets());
    return forBounds;
}

CGRect StyledButtonCell::imageRect(CGRect forBounds) const {
    return CellDrawing::imageRect(*this, forBounds, style()->imageEdgeInsets());
}

CGRect StyledButtonCell::titleRect(CGRect forBounds) const {
    const CGRect r = AppKit::NSButtonCell::titleRect(CellDrawing::inset(forBounds, style()->titleEdgeInsets()));
    return verticallyCenterTitle_ ? CellDrawing::centredVertically(r, forBounds) : r;
}

CGRect StyledButtonCell::focusRingMaskBounds(CGRect forFrame, AppKit::NSView&) const {
    if (isBezeled() || isBordered()) return forFrame;
    return drawingRect(forFrame);
}

void StyledButtonCell::drawFocusRingMask(CGRect, AppKit::NSView&) {}

void StyledButtonCell::drawBezel(CGRect withFrame, AppKit::NSView& in) {
    CellDrawing::drawBezelImage(style()->bezelImage(controlState()), withFrame, in, isEnabled());
}

CGRect StyledButtonCell::drawTitle(const CoreGraphics::AttributedText& title, CGRect withFrame, AppKit::NSView& in) {
    auto text = attributedTitleString(title.string(), controlSize(), style()->textColor(controlState()));
    return AppKit::NSButtonCell::drawTitle(text, withFrame, in);
}

void StyledButtonCell::drawImage(const AppKit::NSImage::Ptr& image, CGRect withFrame, AppKit::NSView& in) {
    if (image) CellDrawing::drawButtonImage(*this, *image, withFrame, in, style()->imageEdgeInsets());
}

}  // namespace Orrindle
