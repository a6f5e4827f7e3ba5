#pragma once

namespace AppKit {

class NSWindow;

// What shows windows on a screen and turns a device's input into events. The headless back
// end (tests) only keeps images; the SDL back end opens real windows. Installed with
// NSApplication::setWindowBackend.
class WindowBackend {
public:
    virtual ~WindowBackend() = default;
    virtual void windowDidOrderFront(NSWindow& window) = 0;
    virtual void windowDidOrderOut(NSWindow& window) = 0;
    // The window drew new content (displayIfNeeded ran).
    virtual void windowDidDisplay(NSWindow& window) = 0;
    virtual void windowDidChangeFrame(NSWindow& window) = 0;
    // The window was minimised or brought back (isMiniaturized says which).
    virtual void windowDidChangeMiniaturized(NSWindow& window) { (void)window; }
    // Waits up to `timeout` seconds for device input and posts it to the application's
    // queue; false when this back end has no input (nextEvent then fails loudly).
    virtual bool waitForEvents(double timeout) = 0;
    // The window is key in the active application: it takes the desktop's keyboard focus, and
    // with `raise` (the application asked to come to the front) it is restored when minimised
    // and comes in front of other programs' windows.
    virtual void focusWindow(NSWindow& window, bool raise) { (void)window, (void)raise; }
    // Another window of the application coming to the front with it: in front of other
    // programs' windows (the key window then comes in front of it with focusWindow).
    virtual void raiseWindow(NSWindow& window) { (void)window; }
};

}  // namespace AppKit
