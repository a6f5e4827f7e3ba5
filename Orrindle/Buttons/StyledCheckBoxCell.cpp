#include "Orrindle/Buttons/StyledCheckBoxCell.hpp"

#include <cmath>

#include "CoreGraphics/TextLayout.hpp"
#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Orrindle/Styles/CheckBoxCellStyle.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void StyledCheckBoxCell::didInit() {
    Runtime::assertMainActor();
    StyledButtonCell::didInit();
    setHighlightsBy(AppKit::NSCellStyleMask::contents());
    setShowsStateBy(AppKit::NSCellStyleMask::contents());
}

std::shared_ptr<ButtonCellStyle> StyledCheckBoxCell::style() const { return sharedStyle<StyledCheckBoxCell, CheckBoxCellStyle>(); }

CGRect StyledCheckBoxCell::imageRect(CGRect forBounds) const {
    Runtime::assertMainActor();
    const CGSize size = imageSize();
    const CGRect drawing = drawingRect(forBounds);
    const CGFloat y = CellDrawing::round(drawing.midY() - size.height * 0.5);
    return CGRect{0, y, size.width, size.height}.integral().offsetBy(xOffset_, 0);
}

CGRect StyledCheckBoxCell::titleRect(CGRect forBounds) const {
    Runtime::assertMainActor();
    const CGSize text = CoreGraphics::TextLayout::size(attributedTitleString(title(), controlSize(), nullptr));
    const CGFloat w = std::ceil(text.width), h = std::ceil(text.height);
    const CGFloat x = imageSize().width;
    if (!verticallyCenterTitle()) return {x, 0, w, h};
    return CGRect{x, CellDrawing::round(forBounds.midY() - h * 0.5), w, h}.integral();
}

CGRect StyledCheckBoxCell::focusRingMaskBounds(CGRect forFrame, AppKit::NSView&) const {
    Runtime::assertMainActor();
    return imageRect(forFrame);
}

void StyledCheckBoxCell::drawImage(const AppKit::NSImage::Ptr&, CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    auto checkBoxStyle = std::dynamic_pointer_cast<CheckBoxCellStyle>(style());
    if (!checkBoxStyle) return;
    auto image = checkBoxStyle->image(controlState());
    if (!image) return;
    CellDrawing::drawImage(*image, imageRect(withFrame), in, isEnabled() ? 1.0 : 0.5, true);
}

AppKit::NSControlStateValue StyledCheckBoxCell::nextState() const {
    Runtime::assertMainActor();
    return state() == AppKit::NSControlStateValue::on ? AppKit::NSControlStateValue::off : AppKit::NSControlStateValue::on;
}

}  // namespace Orrindle
