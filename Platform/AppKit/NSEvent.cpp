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
    e->r_.type = type;
    e->r_.location = locationInWindow;
    e->r_.flags = flags;
    e->r_.timestamp = timestamp;
    e->r_.window = window;
    e->r_.windowNumber = window ? window->windowNumber() : 0;
    e->r_.clickCount = clickCount;
    e->r_.pressure = pressure;
    return e;
}

std::shared_ptr<NSEvent> NSEvent::keyEvent(EventType type, CGPoint locationInWindow, ModifierFlags flags,
                                           double timestamp, const std::shared_ptr<NSWindow>& window,
                                           std::string characters, std::string charactersIgnoringModifiers,
                                           bool isARepeat, std::uint16_t keyCode) {
    auto e = mouseEvent(type, locationInWindow, flags, timestamp, window, 0, 0);
    e->r_.characters = std::move(characters);
    e->r_.charactersIgnoringModifiers = std::move(charactersIgnoringModifiers);
    e->r_.isARepeat = isARepeat;
    e->r_.keyCode = keyCode;
    return e;
}

std::shared_ptr<NSEvent> NSEvent::scrollWheelEvent(CGPoint locationInWindow, CGFloat deltaX, CGFloat deltaY,
                                                   ModifierFlags flags, double timestamp,
                                                   const std::shared_ptr<NSWindow>& window) {
    auto e = mouseEvent(EventType::scrollWheel, locationInWindow, flags, timestamp, window, 0, 0);
    e->r_.deltaX = deltaX;
    e->r_.deltaY = deltaY;
    return e;
}

std::shared_ptr<NSEvent> NSEvent::copy(const NSEvent& event, EventType type) {
    auto e = Runtime::make<NSEvent>();
    e->r_ = event.r_;
    e->r_.type = type;
    return e;
}

int NSEvent::buttonNumber() const {
    switch (r_.type) {
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
    switch (r_.type) {
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
