#include "Orrindle/Buttons/DarkHighlightButtonCell.hpp"

#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void DarkHighlightButtonCell::drawImage(const AppKit::NSImage::Ptr& image, AppKit::CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    if (image) CellDrawing::drawPlainButtonImage(*this, *image, withFrame, in, 0.5);
}

}  // namespace Orrindle
