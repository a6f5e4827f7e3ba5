#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "CoreGraphics/Geometry.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

using CoreGraphics::CGFloat;
using CoreGraphics::CGPoint;

class NSWindow;

// The platform's event type numbers.
enum class EventType : int {
    leftMouseDown = 1,
    leftMouseUp = 2,
    rightMouseDown = 3,
    rightMouseUp = 4,
    mouseMoved = 5,
    leftMouseDragged = 6,
    rightMouseDragged = 7,
    mouseEntered = 8,
    mouseExited = 9,
    keyDown = 10,
    keyUp = 11,
    flagsChanged = 12,
    appKitDefined = 13,
    cursorUpdate = 17,
    scrollWheel = 22,
    otherMouseDown = 25,
    otherMouseUp = 26,
    otherMouseDragged = 27,
};

// A set of event types: bit (1 << type), as the platform's NSEvent.EventTypeMask.
struct EventTypeMask {
    std::uint64_t rawValue = 0;

    static constexpr EventTypeMask of(EventType t) { return {std::uint64_t(1) << int(t)}; }
    static constexpr EventTypeMask any() { return {~std::uint64_t(0)}; }
    static constexpr EventTypeMask leftMouseDown() { return of(EventType::leftMouseDown); }
    static constexpr EventTypeMask leftMouseUp() { return of(EventType::leftMouseUp); }
    static constexpr EventTypeMask leftMouseDragged() { return of(EventType::leftMouseDragged); }
    static constexpr EventTypeMask rightMouseUp() { return of(EventType::rightMouseUp); }
    static constexpr EventTypeMask rightMouseDragged() { return of(EventType::rightMouseDragged); }
    static constexpr EventTypeMask mouseMoved() { return of(EventType::mouseMoved); }
    static constexpr EventTypeMask keyDown() { return of(EventType::keyDown); }

    constexpr bool contains(EventType t) const { return (rawValue & of(t).rawValue) != 0; }
    friend constexpr EventTypeMask operator|(EventTypeMask a, EventTypeMask b) { return {a.rawValue | b.rawValue}; }
    friend constexpr bool operator==(EventTypeMask, EventTypeMask) = default;
};

// Modifier keys, with the platform's bit values.
struct ModifierFlags {
    std::uint64_t rawValue = 0;

    static constexpr ModifierFlags none() { return {0}; }
    static constexpr ModifierFlags capsLock() { return {1u << 16}; }
    static constexpr ModifierFlags shift() { return {1u << 17}; }
    static constexpr ModifierFlags control() { return {1u << 18}; }
    static constexpr ModifierFlags option() { return {1u << 19}; }
    static constexpr ModifierFlags command() { return {1u << 20}; }
    static constexpr ModifierFlags numericPad() { return {1u << 21}; }
    static constexpr ModifierFlags function() { return {1u << 23}; }
    // The flags that distinguish key equivalents and gestures.
    static constexpr ModifierFlags deviceIndependentFlagsMask() { return {0xffff0000u}; }

    constexpr bool contains(ModifierFlags f) const { return (rawValue & f.rawValue) == f.rawValue; }
    constexpr bool isEmpty() const { return rawValue == 0; }
    friend constexpr ModifierFlags operator|(ModifierFlags a, ModifierFlags b) { return {a.rawValue | b.rawValue}; }
    friend constexpr ModifierFlags operator&(ModifierFlags a, ModifierFlags b) { return {a.rawValue & b.rawValue}; }
    friend constexpr bool operator==(ModifierFlags, ModifierFlags) = default;
};

// Key codes of the keys the system handles by code (the platform's virtual key numbers).
namespace KeyCode {
inline constexpr std::uint16_t returnKey = 36;
inline constexpr std::uint16_t tab = 48;
inline constexpr std::uint16_t space = 49;
inline constexpr std::uint16_t deleteKey = 51;
inline constexpr std::uint16_t escape = 53;
inline constexpr std::uint16_t leftArrow = 123;
inline constexpr std::uint16_t rightArrow = 124;
inline constexpr std::uint16_t downArrow = 125;
inline constexpr std::uint16_t upArrow = 126;
}  // namespace KeyCode

// An input event as a plain, immutable record. Synthetic events are made with the
// constructors below, by tests and by the window back ends alike; locations are in the
// window's base coordinates (origin at the bottom left of the content area, y up).
class NSEvent : public Runtime::NSObject {
    VZ_OBJECT(NSEvent, Runtime::NSObject)
public:
    static std::shared_ptr<NSEvent> mouseEvent(EventType type, CGPoint locationInWindow,
                                               ModifierFlags flags = {}, double timestamp = 0,
                                               const std::shared_ptr<NSWindow>& window = nullptr,
                                               int clickCount = 1, float pressure = 1.0f);
    static std::shared_ptr<NSEvent> keyEvent(EventType type, CGPoint locationInWindow, ModifierFlags flags,
                                             double timestamp, const std::shared_ptr<NSWindow>& window,
                                             std::string characters, std::string charactersIgnoringModifiers,
                                             bool isARepeat, std::uint16_t keyCode);
    static std::shared_ptr<NSEvent> scrollWheelEvent(CGPoint locationInWindow, CGFloat deltaX, CGFloat deltaY,
                                                     ModifierFlags flags = {}, double timestamp = 0,
                                                     const std::shared_ptr<NSWindow>& window = nullptr);
    // A mouse event of another type (entered/exited, dragged with deltas) that keeps the
    // rest of `event`.
    static std::shared_ptr<NSEvent> copy(const NSEvent& event, EventType type);

    EventType type() const { return type_; }
    CGPoint locationInWindow() const { return location_; }
    // The modifier keys held when the event happened (the platform's per-event
    // `modifierFlags`; the class-level modifierFlags() below is "the keys held now").
    ModifierFlags flags() const { return flags_; }
    double timestamp() const { return timestamp_; }
    std::shared_ptr<NSWindow> window() const { return window_.lock(); }
    int windowNumber() const { return windowNumber_; }
    int clickCount() const { return clickCount_; }
    int buttonNumber() const;
    float pressure() const { return pressure_; }
    CGFloat deltaX() const { return deltaX_; }
    CGFloat deltaY() const { return deltaY_; }
    CGFloat scrollingDeltaX() const { return deltaX_; }
    CGFloat scrollingDeltaY() const { return deltaY_; }
    const std::string& characters() const { return characters_; }
    const std::string& charactersIgnoringModifiers() const { return charactersIgnoringModifiers_; }
    bool isARepeat() const { return isARepeat_; }
    std::uint16_t keyCode() const { return keyCode_; }

    bool isMouseEvent() const;
    bool isKeyEvent() const { return type_ == EventType::keyDown || type_ == EventType::keyUp; }

    // Process state: the modifier keys held now. Tests set it; the back ends keep it current.
    static ModifierFlags modifierFlags();
    static void setModifierFlags(ModifierFlags flags);
    // Bit 0 left, bit 1 right, bit 2 other; kept by NSWindow::sendEvent.
    static unsigned pressedMouseButtons();
    static void setPressedMouseButtons(unsigned buttons);
    static double doubleClickInterval();  // 0.5 s unless a test changes it
    static void setDoubleClickInterval(double seconds);

    // Deltas of a drag, filled in by the sender of the event.
    void setDeltas(CGFloat dx, CGFloat dy) { deltaX_ = dx, deltaY_ = dy; }

protected:
    NSEvent() = default;

private:
    EventType type_ = EventType::appKitDefined;
    CGPoint location_;
    ModifierFlags flags_;
    double timestamp_ = 0;
    std::weak_ptr<NSWindow> window_;
    int windowNumber_ = 0;
    int clickCount_ = 0;
    float pressure_ = 0;
    CGFloat deltaX_ = 0, deltaY_ = 0;
    std::string characters_, charactersIgnoringModifiers_;
    bool isARepeat_ = false;
    std::uint16_t keyCode_ = 0;
};

}  // namespace AppKit
