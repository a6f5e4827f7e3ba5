#pragma once

namespace AppKit {

class NSMenu;
class NSMenuItem;

// What a menu tells its delegate (an NSObject that also derives from this, held weakly).
class NSMenuDelegate {
public:
    virtual ~NSMenuDelegate() = default;
    // Before the menu opens: the place to fill it.
    virtual void menuNeedsUpdate(NSMenu& menu) { (void)menu; }
    virtual void menuWillOpen(NSMenu& menu) { (void)menu; }
    virtual void menuDidClose(NSMenu& menu) { (void)menu; }
};

}  // namespace AppKit
