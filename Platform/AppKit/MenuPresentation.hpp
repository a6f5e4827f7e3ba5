#pragma once
#include <memory>
#include <vector>

#include "AppKit/NSMenuItem.hpp"
#include "CoreGraphics/Geometry.hpp"

namespace AppKit {

class NSMenu;
class NSWindow;
class NSView;
class NSAppearance;

// A menu open in a window, drawn over the window's content: the pointer and the arrow keys move
// the highlight, a click or Return takes the highlighted item, Escape or a click outside closes
// the menu. Tracking is modal, as on the platform: track() reads the application's events
// itself and returns when the menu closes.
class MenuPresentation {
public:
    // Posted through the default centre (object = the menu) once the menu shows, before its
    // first event is read, and when it has closed. A test queues its clicks and keys on the first.
    static constexpr const char* didBeginTrackingNotification = "NSMenuDidBeginTrackingNotification";
    static constexpr const char* didEndTrackingNotification = "NSMenuDidEndTrackingNotification";

    // Shows `menu` in `window` with its top left corner at `location` (window coordinates), or
    // with `positioning` highlighted over it, moved so the menu fits the window; in `appearance` (the window's when
    // null). Returns the item taken, or null when the menu was closed without one. When no event
    // can come any more (no window back end with input and nothing queued), the menu closes.
    static NSMenuItem::Ptr track(NSMenu& menu, NSWindow& window, CoreGraphics::CGPoint location,
                                 const NSMenuItem::Ptr& positioning = nullptr,
                                 std::shared_ptr<NSAppearance> appearance = nullptr);

    // The menu being tracked now (the innermost), or null.
    static const MenuPresentation* current();

    NSMenu& menu() const { return menu_; }
    NSWindow& window() const { return window_; }
    // In window coordinates (y up): the whole menu, and an item's row (empty for a hidden item).
    CoreGraphics::CGRect frame() const;
    CoreGraphics::CGRect frameOfItem(int index) const;
    // The centre of the first visible item with this title, for a test's click (null rect when
    // there is none).
    CoreGraphics::CGPoint locationOfItem(const std::string& title) const;
    int highlightedIndex() const { return highlighted_; }

private:
    class OverlayView;
    MenuPresentation(NSMenu& menu, NSWindow& window, std::shared_ptr<NSAppearance> appearance);
    void layOut(CoreGraphics::CGPoint location, int positioning);
    // True when the menu closes with the event; `chosen` set when an item was taken.
    bool handle(const class NSEvent& event, NSMenuItem::Ptr& chosen);
    int itemAt(CoreGraphics::CGPoint locationInWindow) const;
    bool selectable(int index) const;
    void moveHighlight(int step);
    void setHighlighted(int index);

    NSMenu& menu_;
    NSWindow& window_;
    std::shared_ptr<NSAppearance> appearance_;
    std::shared_ptr<OverlayView> view_;
    std::vector<CoreGraphics::CGRect> rows_;  // in the view's own (top-down) coordinates
    int highlighted_ = -1;
    bool openingClick_ = false;  // opened by a mouse-down whose release is still to come
    const MenuPresentation* outer_ = nullptr;
};

}  // namespace AppKit
