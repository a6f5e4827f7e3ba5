#include "Orrindle/Buttons/CursorButton.hpp"

#include "Runtime/MainActor.hpp"

namespace Orrindle {

CursorButton::CursorButton(AppKit::CGRect frame) : AppKit::NSButton(frame), cursorImage_(AppKit::NSImage::named("cursor-cycle")) {}

void CursorButton::didInit() {
    Runtime::assertMainActor();
    AppKit::NSButton::didInit();
    cursor_ = makeCursor();
}

AppKit::NSCursor::Ptr CursorButton::makeCursor() const {
    // The image belongs to the application; without it the button keeps the arrow rather than fail.
    if (!cursorImage_) return AppKit::NSCursor::arrow();
    return AppKit::NSCursor::make(cursorImage_, cursorHotSpot_);
}

void CursorButton::setCursorImage(AppKit::NSImage::Ptr image) {
    Runtime::assertMainActor();
    cursorImage_ = std::move(image);
    cursor_ = makeCursor();
}

AppKit::NSCursor::Ptr CursorButton::cursor() {
    Runtime::assertMainActor();
    if (!cursor_) cursor_ = makeCursor();
    return cursor_;
}

void CursorButton::updateTrackingAreas() {
    Runtime::assertMainActor();
    AppKit::NSButton::updateTrackingAreas();
    if (trackingArea_) removeTrackingArea(trackingArea_);
    using Options = AppKit::NSTrackingArea::Options;
    trackingArea_ = AppKit::NSTrackingArea::make(bounds(), Options::mouseEnteredAndExited() | Options::activeAlways(),
                                                 sharedAs<AppKit::NSResponder>());
    addTrackingArea(trackingArea_);
}

void CursorButton::mouseEntered(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    AppKit::NSButton::mouseEntered(event);
    if (pushed_) return;
    cursor()->push();
    pushed_ = true;
}

void CursorButton::mouseExited(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    AppKit::NSButton::mouseExited(event);
    popIfPushed();
}

void CursorButton::popIfPushed() {
    if (!pushed_) return;
    pushed_ = false;
    cursor()->pop();
}

void CursorButton::viewWillMoveToWindow(AppKit::NSWindow* newWindow) {
    Runtime::assertMainActor();
    if (newWindow != window().get()) popIfPushed();
    AppKit::NSButton::viewWillMoveToWindow(newWindow);
}

void CursorButton::setHidden(bool hidden) {
    Runtime::assertMainActor();
    if (hidden) popIfPushed();
    AppKit::NSButton::setHidden(hidden);
}

}  // namespace Orrindle
