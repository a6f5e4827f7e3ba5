#include "AppKit/NSEvent.hpp"

#include "AppKit/NSWindow.hpp"

namespace AppKit {

namespace {
ModifierFlags currentFlags;
unsigned currentButtons = 0;
double clickInterval = 0.5;
}  // namespace

std::shared_ptr<NSEvent> NSEvent::mouseEvent(EventType type, CGPoint locationInWindow, ModifierFlags flags,
                                             double timestamp, const std::shared_ptr<NSWindow>& window,
                                             int clickCount, float pressure) {
    auto e = Runtime::make<NSEvent>();
    e->type_ = type;
    e->location_ = locationInWindow;
    e->flags_ = flags;
    e->timestamp_ = timestamp;
    e->window_ = window;
    e->windowNumber_ = window ? window->windowNumber() : 0;
    e->clickCount_ = clickCount;
    e->pressure_ = pressure;
    return e;
}

std::shared_ptr<NSEvent> NSEvent::keyEvent(EventType type, CGPoint locationInWindow, ModifierFlags flags,
                                           double timestamp, const std::shared_ptr<NSWindow>& window,
                                           std::string characters, std::string charactersIgnoringModifiers,
                                           bool isARepeat, std::uint16_t keyCode) {
    auto e = mouseEvent(type, locationInWindow, flags, timestamp, window, 0, 0);
    e->characters_ = std::move(characters);
    e->charactersIgnoringModifiers_ = std::move(charactersIgnoringModifiers);
    e->isARepeat_ = isARepeat;
    e->keyCode_ = keyCode;
    return e;
}

std::shared_ptr<NSEvent> NSEvent::scrollWheelEvent(CGPoint locationInWindow, CGFloat deltaX, CGFloat deltaY,
                                                   ModifierFlags flags, double timestamp,
                                                   const std::shared_ptr<NSWindow>& window) {
    auto e = mouseEvent(EventType::scrollWheel, locationInWindow, flags, timestamp, window, 0, 0);
    e->deltaX_ = deltaX;
    e->deltaY_ = deltaY;
    return e;
}

std::shared_ptr<NSEvent> NSEvent::copy(const NSEvent& event, EventType type) {
    auto e = Runtime::make<NSEvent>();
    e->type_ = type;
    e->location_ = event.location_;
    e->flags_ = event.flags_;
    e->timestamp_ = event.timestamp_;
    e->window_ = event.window_;
    e->windowNumber_ = event.windowNumber_;
    e->clickCount_ = event.clickCount_;
    e->pressure_ = event.pressure_;
    e->deltaX_ = event.deltaX_;
    e->deltaY_ = event.deltaY_;
    e->characters_ = event.characters_;
    e->charactersIgnoringModifiers_ = event.charactersIgnoringModifiers_;
    e->isARepeat_ = event.isARepeat_;
    e->keyCode_ = event.keyCode_;
    return e;
}

int NSEvent::buttonNumber() const {
    switch (type_) {
    case EventType::rightMouseDown:
    case EventType::rightMouseUp:
    case EventType::rightMouseDragged: return 1;
    case EventType::otherMouseDown:
    case EventType::otherMouseUp:
    case EventType::otherMouseDragged: return 2;
    default: return 0;
    }
}

bool NSEvent::isMouseEvent() const {
    switch (type_) {
    case EventType::leftMouseDown:
    case EventType::leftMouseUp:
    case EventType::leftMouseDragged:
    case EventType::rightMouseDown:
    case EventType::rightMouseUp:
    case EventType::rightMouseDragged:
    case EventType::otherMouseDown:
    case EventType::otherMouseUp:
    case EventType::otherMouseDragged:
    case EventType::mouseMoved:
    case EventType::mouseEntered:
    case EventType::mouseExited:
    case EventType::scrollWheel: return true;
    default: return false;
    }
}

ModifierFlags NSEvent::modifierFlags() { return currentFlags; }
void NSEvent::setModifierFlags(ModifierFlags flags) { currentFlags = flags; }
unsigned NSEvent::pressedMouseButtons() { return currentButtons; }
void NSEvent::setPressedMouseButtons(unsigned buttons) { currentButtons = buttons; }
double NSEvent::doubleClickInterval() { return clickInterval; }
void NSEvent::setDoubleClickInterval(double seconds) { clickInterval = seconds; }

}  // namespace AppKit
