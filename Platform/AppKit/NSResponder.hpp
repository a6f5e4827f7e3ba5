#pragma once
#include <memory>

#include "Runtime/NSObject.hpp"

namespace AppKit {

class NSEvent;

// The base of everything that takes events and actions. Event methods that a class does not
// handle pass the event to the next responder, as the platform does; at the end of the chain
// a key-down is "unhandled" (noResponderFor) and everything else is dropped.
class NSResponder : public Runtime::NSObject {
    VZ_OBJECT(NSResponder, Runtime::NSObject)
public:
    // Views and view controllers work out their next responder from the view tree unless one
    // is set explicitly (held weakly).
    virtual std::shared_ptr<NSResponder> nextResponder() const { return next_.lock(); }
    void setNextResponder(const std::shared_ptr<NSResponder>& responder) { next_ = responder; }

    virtual bool acceptsFirstResponder() const { return false; }
    // Asked by NSWindow::makeFirstResponder; a responder that answers false keeps (or refuses)
    // first-responder status.
    virtual bool becomeFirstResponder() { return true; }
    virtual bool resignFirstResponder() { return true; }

    virtual void mouseDown(const NSEvent& event);
    virtual void mouseDragged(const NSEvent& event);
    virtual void mouseUp(const NSEvent& event);
    virtual void rightMouseDown(const NSEvent& event);
    virtual void rightMouseDragged(const NSEvent& event);
    virtual void rightMouseUp(const NSEvent& event);
    virtual void otherMouseDown(const NSEvent& event);
    virtual void otherMouseDragged(const NSEvent& event);
    virtual void otherMouseUp(const NSEvent& event);
    virtual void mouseMoved(const NSEvent& event);
    virtual void mouseEntered(const NSEvent& event);
    virtual void mouseExited(const NSEvent& event);
    virtual void scrollWheel(const NSEvent& event);
    virtual void keyDown(const NSEvent& event);
    virtual void keyUp(const NSEvent& event);
    virtual void flagsChanged(const NSEvent& event);
    virtual void cursorUpdate(const NSEvent& event);

    // Key equivalents (Command-key shortcuts) are offered to views before key-down.
    virtual bool performKeyEquivalent(const NSEvent& event);

    // Runs the action on the first responder of the chain (this one first) that answers it.
    virtual bool tryToPerform(Runtime::Selector action, Runtime::NSObject* sender);

    // The end of the chain for a key-down nobody handled; the platform beeps.
    virtual void noResponderFor(Runtime::Selector eventSelector);

    // Dispatches a mouse, key or scroll event to the matching method above.
    void dispatchEvent(const NSEvent& event);

private:
    std::weak_ptr<NSResponder> next_;
};

}  // namespace AppKit
