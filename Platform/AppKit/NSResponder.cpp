#include "AppKit/NSResponder.hpp"

#include "AppKit/NSBeep.hpp"
#include "AppKit/NSEvent.hpp"

namespace AppKit {

#define VZ_FORWARD(method)                                   \
    void NSResponder::method(const NSEvent& event) {         \
        if (auto next = nextResponder()) next->method(event); \
    }
VZ_FORWARD(mouseDown)
VZ_FORWARD(mouseDragged)
VZ_FORWARD(mouseUp)
VZ_FORWARD(rightMouseDown)
VZ_FORWARD(rightMouseDragged)
VZ_FORWARD(rightMouseUp)
VZ_FORWARD(otherMouseDown)
VZ_FORWARD(otherMouseDragged)
VZ_FORWARD(otherMouseUp)
VZ_FORWARD(mouseMoved)
VZ_FORWARD(mouseEntered)
VZ_FORWARD(mouseExited)
VZ_FORWARD(scrollWheel)
VZ_FORWARD(keyUp)
VZ_FORWARD(flagsChanged)
VZ_FORWARD(cursorUpdate)
#undef VZ_FORWARD

void NSResponder::keyDown(const NSEvent& event) {
    if (auto next = nextResponder())
        next->keyDown(event);
    else
        noResponderFor(Runtime::Selector("keyDown:"));
}

bool NSResponder::performKeyEquivalent(const NSEvent&) { return false; }

bool NSResponder::tryToPerform(Runtime::Selector action, Runtime::NSObject* sender) {
    if (perform(action, sender)) return true;
    if (auto next = nextResponder()) return next->tryToPerform(action, sender);
    return false;
}

void NSResponder::noResponderFor(Runtime::Selector eventSelector) {
    if (eventSelector == Runtime::Selector("keyDown:")) NSBeep();
}

void NSResponder::dispatchEvent(const NSEvent& event) {
    switch (event.type()) {
    case EventType::leftMouseDown: mouseDown(event); break;
    case EventType::leftMouseUp: mouseUp(event); break;
    case EventType::leftMouseDragged: mouseDragged(event); break;
    case EventType::rightMouseDown: rightMouseDown(event); break;
    case EventType::rightMouseUp: rightMouseUp(event); break;
    case EventType::rightMouseDragged: rightMouseDragged(event); break;
    case EventType::otherMouseDown: otherMouseDown(event); break;
    case EventType::otherMouseUp: otherMouseUp(event); break;
    case EventType::otherMouseDragged: otherMouseDragged(event); break;
    case EventType::mouseMoved: mouseMoved(event); break;
    case EventType::mouseEntered: mouseEntered(event); break;
    case EventType::mouseExited: mouseExited(event); break;
    case EventType::scrollWheel: scrollWheel(event); break;
    case EventType::keyDown: keyDown(event); break;
    case EventType::keyUp: keyUp(event); break;
    case EventType::flagsChanged: flagsChanged(event); break;
    case EventType::cursorUpdate: cursorUpdate(event); break;
    case EventType::appKitDefined: break;
    }
}

}  // namespace AppKit
