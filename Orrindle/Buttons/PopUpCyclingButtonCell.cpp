#include "Orrindle/Buttons/PopUpCyclingButtonCell.hpp"

#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void PopUpCyclingButtonCell::drawImage(const AppKit::NSImage::Ptr& image, AppKit::CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    if (image) CellDrawing::drawPlainButtonImage(*this, *image, withFrame, in, 1.0);
}

}  // namespace Orrindle
