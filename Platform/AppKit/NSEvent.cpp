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

std::optional<SpecialKey> NSEvent::specialKey() const {
    if (!isKeyEvent() || r_.characters.empty()) return std::nullopt;
    // The first character, decoded from its UTF-8.
    const auto* b = reinterpret_cast<const unsigned char*>(r_.characters.data());
    const std::size_t n = r_.characters.size();
    char32_t c = b[0];
    if (c >= 0xE0 && n >= 3)
        c = char32_t((b[0] & 0x0F) << 12 | (b[1] & 0x3F) << 6 | (b[2] & 0x3F));
    else if (c >= 0xC0 && n >= 2)
        c = char32_t((b[0] & 0x1F) << 6 | (b[1] & 0x3F));
    // The platform's set: a few control characters (not Escape), the line and paragraph
    // separators and the function-key range.
    switch (c) {
    case 0x03: case 0x08: case 0x09: case 0x0A: case 0x0C: case 0x0D: case 0x19: case 0x7F: case 0x2028: case 0x2029:
        return SpecialKey{c};
    default: break;
    }
    if (c >= 0xF700 && c <= 0xF8FF) return SpecialKey{c};
    return std::nullopt;
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
