#include "Orrindle/ComboBoxes/StyledComboBoxCell.hpp"

#include "CoreGraphics/CGContext.hpp"
#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Orrindle/Geometry/GeometryHelpers.hpp"
#include "Orrindle/Resources/ImageResources.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void StyledComboBoxCell::setPopupOpen(bool flag) {
    Runtime::assertMainActor();
    popupOpen_ = flag;
    updateControlView();
}

AppKit::NSImage::Ptr StyledComboBoxCell::leftImage() const {
    Runtime::assertMainActor();
    return AppKit::NSImage::withResource(ImageResources::kvuCombobox());
}

AppKit::NSImage::Ptr StyledComboBoxCell::rightImage() const {
    Runtime::assertMainActor();
    return AppKit::NSImage::withResource(popupOpen_ ? ImageResources::kvuCombobox() : ImageResources::kvuComboboxUp());
}

CGRect StyledComboBoxCell::leftFrame(CGRect r) const {
    Runtime::assertMainActor();
    return {r.minX(), 0, r.width() - rightImage()->size().width, leftImage()->size().height};
}

CGFloat StyledComboBoxCell::buttonWidth() const { return rightImage()->size().width; }

CGRect StyledComboBoxCell::titleRect(CGRect b) const {
    Runtime::assertMainActor();
    const CGRect r = CellDrawing::inset(AppKit::NSComboBoxCell::titleRect(b), style()->titleEdgeInsets());
    return CellDrawing::centredVertically(r, b);
}

void StyledComboBoxCell::draw(CGRect frame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    if (isBordered() || isBezeled()) drawBezel(frame, in);
    // The insets name the text's visible top and bottom: so the value lands where titleRect puts
    // the field editor.
    drawInterior(inset(frame, style()->titleEdgeInsets(), in.isFlipped()), in);
}

void StyledComboBoxCell::drawBezel(CGRect f, AppKit::NSView& in) {
    Runtime::assertMainActor();
    if (!CoreGraphics::CGContext::current()) return;
    const auto right = rightImage();
    const CGRect rightPart{f.minX() + f.width() - right->size().width, f.minY(), right->size().width, right->size().height};
    CGRect leftPart = leftFrame(f);
    leftPart.origin.y = f.minY();
    const CGFloat fraction = isEnabled() ? 1.0 : 0.5;
    CellDrawing::drawImage(*leftImage(), leftPart, in, fraction, false);
    CellDrawing::drawImage(*right, rightPart, in, fraction, false);
}

}  // namespace Orrindle
