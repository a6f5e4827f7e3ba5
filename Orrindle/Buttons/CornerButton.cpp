#include "Orrindle/Buttons/CornerButton.hpp"

#include "Orrindle/Buttons/AlternateClick.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void CornerButton::popUpAlternateMenu() {
    const CGRect b = bounds();
    alternateMenu_->popUp(nullptr, {b.minX(), b.maxY() + 4.0}, this);
}

bool CornerButton::handleAlternateClick(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    return Orrindle::handleAlternateClick(*this, event, [&] {
        if (alternateMenu_) popUpAlternateMenu();
    });
}

void CornerButton::mouseDown(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    highlight(true);
    const CGPoint p = convert(event.locationInWindow(), nullptr);
    if (alternateMenu_ && event.clickCount() < 2 && bounds().contains(p)) {
        popUpAlternateMenu();
        highlight(false);
        return;
    }
    if (!handleAlternateClick(event)) StyledButton::mouseDown(event);
    highlight(false);
}

void CornerButton::rightMouseDown(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    if (!handleAlternateClick(event)) StyledButton::rightMouseDown(event);
}

}  // namespace Orrindle
