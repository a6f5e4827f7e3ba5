#include "Orrindle/Buttons/ToolButton.hpp"

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSWindow.hpp"
#include "Dispatch/Clock.hpp"
#include "Orrindle/Buttons/AlternateClick.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void ToolButton::setup() {
    Runtime::assertMainActor();
    StyledButton::setup();
    setBezelStyle(AppKit::NSBezelStyle::flexiblePush);
    setButtonType(AppKit::NSButtonType::toggle);
    setImagePosition(AppKit::NSCellImagePosition::imageOnly);
    setImageScaling(AppKit::NSImageScaling::scaleNone);
}

void ToolButton::setShowMoreIcon(bool flag) {
    Runtime::assertMainActor();
    showMoreIcon_ = flag;
    if (auto c = std::dynamic_pointer_cast<ToolButtonCell>(cell())) {
        c->setShowMoreIcon(flag);
        setNeedsDisplay(true);
    }
}

CGSize ToolButton::intrinsicContentSize() const {
    Runtime::assertMainActor();
    const CGSize size = StyledButton::intrinsicContentSize();
    auto c = std::dynamic_pointer_cast<ToolButtonCell>(cell());
    if (!isBordered() || !c) return size;
    auto image = c->style()->bezelImage(c->controlState());
    if (!image) return size;
    const CGSize s = image->size();
    return {size.width <= s.width ? s.width : size.width, s.height};
}

void ToolButton::sendSecondaryAction() {
    AppKit::NSApp().sendAction(secondaryAction_, secondaryTarget().get(), this);
}

bool ToolButton::handleSecondaryClick(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    return handleAlternateClick(*this, event, [&] {
        if (secondaryAction_) sendSecondaryAction();
    });
}

void ToolButton::mouseDown(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    highlight(true);
    const CGPoint p = convert(event.locationInWindow(), nullptr);
    auto w = window();
    if (secondaryAction_ && w && event.clickCount() < 2 && bounds().contains(p)) {
        // Held longer than a double click takes: the secondary action, and the later mouse-up
        // is left to the normal event flow.
        const double until = Dispatch::Clock::shared().now() + AppKit::NSEvent::doubleClickInterval();
        auto up = w->nextEvent(AppKit::EventTypeMask::leftMouseUp(), until, Dispatch::RunLoop::Mode::defaultMode, false);
        if (!up) {
            if (secondaryAction_) sendSecondaryAction();
            highlight(false);
            return;
        }
    }
    if (!handleSecondaryClick(event)) StyledButton::mouseDown(event);
    highlight(false);
}

void ToolButton::rightMouseDown(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    if (!handleSecondaryClick(event)) StyledButton::rightMouseDown(event);
}

}  // namespace Orrindle
