#include "Orrindle/PopUps/StyledPopDownButtonCell.hpp"

#include "AppKit/NSColor.hpp"
#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

CGRect StyledPopDownButtonCell::titleRect(CGRect b) const {
    Runtime::assertMainActor();
    const CGRect r = CellDrawing::inset(AppKit::NSPopUpButtonCell::titleRect(b), popDownStyle()->titleEdgeInsets());
    return CellDrawing::centredVertically(r, b);
}

void StyledPopDownButtonCell::drawBezel(CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    CellDrawing::drawBezelImage(popDownStyle()->bezelImage(controlState()), withFrame, in, isEnabled());
}

CGRect StyledPopDownButtonCell::drawTitle(const CoreGraphics::AttributedText& title, CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    auto drawn = attributedTitleString(title.string(), popDownStyle()->textColor(controlState()), label_,
                                       AppKit::NSColor::secondaryLabelColor());
    return AppKit::NSPopUpButtonCell::drawTitle(drawn, withFrame, in);
}

CoreGraphics::AttributedText StyledPopDownButtonCell::attributedTitleString(const std::string& title,
                                                                            const AppKit::NSColor::Ptr& color,
                                                                            const std::optional<std::string>& label,
                                                                            const AppKit::NSColor::Ptr& labelColor) const {
    Runtime::assertMainActor();
    return CellDrawing::popUpTitle(title, color ? *color : *popDownStyle()->textColor(), label, labelColor);
}

}  // namespace Orrindle
