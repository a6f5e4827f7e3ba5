#pragma once
#include <cstdint>
#include <memory>
#include <optional>
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
    // The desktop's command key is Ctrl: it does what Command does on the platform (key
    // equivalents, the window's shortcuts); Command itself, the Super key, still counts.
    constexpr bool holdsCommandKey() const { return (rawValue & (control().rawValue | command().rawValue)) != 0; }
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
inline constexpr std::uint16_t keypadEnter = 76;
inline constexpr std::uint16_t f10 = 109;
}  // namespace KeyCode

// The platform's NSEvent.SpecialKey: a key that types no text, named by the character its
// events carry.
struct SpecialKey {
    char32_t rawValue = 0;
    static constexpr SpecialKey enter() { return {0x03}; }
    static constexpr SpecialKey backspace() { return {0x08}; }
    static constexpr SpecialKey tab() { return {0x09}; }
    static constexpr SpecialKey newline() { return {0x0A}; }
    static constexpr SpecialKey carriageReturn() { return {0x0D}; }
    static constexpr SpecialKey backTab() { return {0x19}; }
    static constexpr SpecialKey delete_() { return {0x7F}; }
    static constexpr SpecialKey upArrow() { return {0xF700}; }
    static constexpr SpecialKey downArrow() { return {0xF701}; }
    static constexpr SpecialKey leftArrow() { return {0xF702}; }
    static constexpr SpecialKey rightArrow() { return {0xF703}; }
    static constexpr SpecialKey deleteForward() { return {0xF728}; }
    static constexpr SpecialKey home() { return {0xF729}; }
    static constexpr SpecialKey end() { return {0xF72B}; }
    static constexpr SpecialKey pageUp() { return {0xF72C}; }
    static constexpr SpecialKey pageDown() { return {0xF72D}; }
    friend constexpr bool operator==(SpecialKey, SpecialKey) = default;
};

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

    EventType type() const { return r_.type; }
    CGPoint locationInWindow() const { return r_.location; }
    // The modifier keys held when the event happened (the platform's per-event
    // `modifierFlags`; the class-level modifierFlags() below is "the keys held now").
    ModifierFlags flags() const { return r_.flags; }
    double timestamp() const { return r_.timestamp; }
    std::shared_ptr<NSWindow> window() const { return r_.window.lock(); }
    int windowNumber() const { return r_.windowNumber; }
    int clickCount() const { return r_.clickCount; }
    int buttonNumber() const;
    float pressure() const { return r_.pressure; }
    CGFloat deltaX() const { return r_.deltaX; }
    CGFloat deltaY() const { return r_.deltaY; }
    CGFloat scrollingDeltaX() const { return r_.deltaX; }
    CGFloat scrollingDeltaY() const { return r_.deltaY; }
    // The device's natural scrolling: the deltas already point the other way.
    bool isDirectionInvertedFromDevice() const { return r_.inverted; }
    void setDirectionInvertedFromDevice(bool flag) { r_.inverted = flag; }
    const std::string& characters() const { return r_.characters; }
    const std::string& charactersIgnoringModifiers() const { return r_.charactersIgnoringModifiers; }
    bool isARepeat() const { return r_.isARepeat; }
    std::uint16_t keyCode() const { return r_.keyCode; }
    // The special key a key event's first character names; none for text and for other events.
    std::optional<SpecialKey> specialKey() const;

    bool isMouseEvent() const;
    bool isKeyEvent() const { return r_.type == EventType::keyDown || r_.type == EventType::keyUp; }

    // Process state: the modifier keys held now. Tests set it; the back ends keep it current.
    static ModifierFlags modifierFlags();
    static void setModifierFlags(ModifierFlags flags);
    // Bit 0 left, bit 1 right, bit 2 other; kept by NSWindow::sendEvent.
    static unsigned pressedMouseButtons();
    static void setPressedMouseButtons(unsigned buttons);
    static double doubleClickInterval();  // 0.5 s unless a test changes it
    static void setDoubleClickInterval(double seconds);

    // Deltas of a drag, filled in by the sender of the event.
    void setDeltas(CGFloat dx, CGFloat dy) { r_.deltaX = dx, r_.deltaY = dy; }

protected:
    NSEvent() = default;

private:
    struct Record {
        EventType type = EventType::appKitDefined;
        CGPoint location;
        ModifierFlags flags;
        double timestamp = 0;
        std::weak_ptr<NSWindow> window;
        int windowNumber = 0;
        int clickCount = 0;
        float pressure = 0;
        CGFloat deltaX = 0, deltaY = 0;
        std::string characters, charactersIgnoringModifiers;
        bool isARepeat = false;
        bool inverted = false;
        std::uint16_t keyCode = 0;
    };
    Record r_;
};

}  // namespace AppKit
