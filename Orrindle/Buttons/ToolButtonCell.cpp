#include "Orrindle/Buttons/ToolButtonCell.hpp"

#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/Styles/ToolButtonCellStyle.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

std::shared_ptr<ButtonCellStyle> ToolButtonCell::style() const { return sharedStyle<ToolButtonCell, ToolButtonCellStyle>(); }

void ToolButtonCell::drawBezel(CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    StyledButtonCell::drawBezel(withFrame, in);
    if (!showMoreIcon_) return;
    // Taken from the catalogue at every draw that shows it.
    auto more = AppKit::NSImage::withResource(ImageResources::cornerToolMore());
    CellDrawing::drawImage(*more, withFrame, in, 1.0, true);
}

}  // namespace Orrindle
