#pragma once

namespace AppKit {

class NSWindow;

// What a window tells its delegate. A delegate is an NSObject that also derives from this
// interface; the window holds it weakly and reaches these methods by dynamic_cast. The
// delegate is also in the action chain of its window (NSApplication::sendAction).
class NSWindowDelegate {
public:
    virtual ~NSWindowDelegate() = default;
    virtual bool windowShouldClose(NSWindow& sender) { (void)sender; return true; }
    virtual void windowWillClose(NSWindow& window) { (void)window; }
    virtual void windowDidBecomeKey(NSWindow& window) { (void)window; }
    virtual void windowDidResignKey(NSWindow& window) { (void)window; }
    virtual void windowDidResize(NSWindow& window) { (void)window; }
    virtual void windowDidChangeBackingProperties(NSWindow& window) { (void)window; }
    virtual void windowDidChangeOcclusionState(NSWindow& window) { (void)window; }
};

}  // namespace AppKit
