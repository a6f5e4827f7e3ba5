#include "Orrindle/Buttons/TessikPushButtonCell.hpp"

#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Orrindle/Geometry/GeometryHelpers.hpp"
#include "Orrindle/Styles/Styles.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void TessikPushButtonCell::didInit() {
    Runtime::assertMainActor();
    AppKit::NSButtonCell::didInit();
    setHighlightsBy(AppKit::NSCellStyleMask::none());
}

StyledControlState TessikPushButtonCell::controlState() const {
    Runtime::assertMainActor();
    return CellDrawing::buttonCellState(*this);
}

CGRect TessikPushButtonCell::imageRect(CGRect forBounds) const {
    Runtime::assertMainActor();
    return CellDrawing::imageRect(*this, forBounds, imageEdgeInsets);
}

CGRect TessikPushButtonCell::titleRect(CGRect forBounds) const {
    Runtime::assertMainActor();
    // Like the bezel's, the insets name the title's visible top and bottom.
    auto view = controlView();
    return inset(AppKit::NSButtonCell::titleRect(forBounds), titleEdgeInsets_, view && view->isFlipped());
}

void TessikPushButtonCell::drawFocusRingMask(CGRect, AppKit::NSView&) {
    Runtime::assertMainActor();
}

void TessikPushButtonCell::drawBezel(CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    auto image = style()->bezelImage(controlState());
    if (!image) return;
    // The insets name the bezel's visible top and bottom, which a flipped view has the other way up.
    const CGRect rect = bezelStyle() == AppKit::NSBezelStyle::push ? inset(withFrame, edgeInsets_, in.isFlipped()) : withFrame;
    // Stretched for this drawing only: the image is the shared style's, and drawing one button
    // must not change how the next control draws it.
    auto stretched = image->copy();
    stretched->setResizingMode(AppKit::NSImage::ResizingMode::stretch);
    CellDrawing::drawBezelImage(stretched, rect, in, isEnabled());
}

CGRect TessikPushButtonCell::drawTitle(const CoreGraphics::AttributedText& title, CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    auto text = CellDrawing::title(title.string(), *Styles::Control::font(), *style()->textColor(controlState()),
                                   CoreGraphics::TextAlignment::center);
    return AppKit::NSButtonCell::drawTitle(text, withFrame, in);
}

void TessikPushButtonCell::drawImage(const AppKit::NSImage::Ptr& image, CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    if (image) CellDrawing::drawButtonImage(*this, *image, withFrame, in, imageEdgeInsets);
}

}  // namespace Orrindle
