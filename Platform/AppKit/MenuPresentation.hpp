#pragma once
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSMenuItem.hpp"
#include "CoreGraphics/Geometry.hpp"

namespace AppKit {

class NSMenu;
class NSWindow;
class NSView;
class NSAppearance;

// A menu open in a window, drawn over the window's content at the window's backing scale and
// as large as the content it opens from: the
// pointer and the arrow keys move the highlight, a click or Return takes the highlighted item,
// Escape, F10 or a click outside closes the menu, and a shortcut (Ctrl+Q) closes it and then
// does what it does with no menu open. Each item shows its key equivalent on the right
// ("Ctrl+Q"); an item with a submenu shows an arrow, and its submenu opens beside it when the
// pointer rests on it, when it is clicked, or with Right or Return (Left or Escape closes it
// again). Tracking is modal, as on the platform: track() reads the application's events itself
// and returns when the menu closes.
class MenuPresentation {
public:
    // Posted through the default centre (object = the menu) once a menu or one of its submenus
    // shows, before its next event is read, and when it has closed. A test queues its clicks
    // and keys on the first.
    static constexpr const char* didBeginTrackingNotification = "NSMenuDidBeginTrackingNotification";
    static constexpr const char* didEndTrackingNotification = "NSMenuDidEndTrackingNotification";

    // Shows `menu` in `window` with its top left corner at `location` (window coordinates), or
    // with `positioning` highlighted over it, moved so the menu fits the window; in `appearance`
    // (the window's when null), `scale` times its own size (as large as the content it opens
    // from). Returns the item taken (from the menu or one of its submenus), or null when the
    // menu was closed without one. When no event can come any more (no window back end with
    // input and nothing queued), the menu closes.
    static NSMenuItem::Ptr track(NSMenu& menu, NSWindow& window, CoreGraphics::CGPoint location,
                                 const NSMenuItem::Ptr& positioning = nullptr,
                                 std::shared_ptr<NSAppearance> appearance = nullptr, CoreGraphics::CGFloat scale = 1);

    // The menu being tracked now (the innermost open submenu), or null.
    static const MenuPresentation* current();

    ~MenuPresentation();
    MenuPresentation(const MenuPresentation&) = delete;
    MenuPresentation& operator=(const MenuPresentation&) = delete;

    NSMenu& menu() const { return menu_; }
    NSWindow& window() const { return window_; }
    const NSAppearance& appearance() const { return *appearance_; }
    // The submenu open from this menu, and the menu this one opened from (null when none).
    const MenuPresentation* submenu() const { return child_.get(); }
    const MenuPresentation* supermenu() const { return parent_; }
    // In window coordinates (y up): the whole menu, and an item's row (empty for a hidden item).
    CoreGraphics::CGRect frame() const;
    CoreGraphics::CGRect frameOfItem(int index) const;
    // The centre of the first visible item with this title, for a test's click (null rect when
    // there is none).
    CoreGraphics::CGPoint locationOfItem(const std::string& title) const;
    int highlightedIndex() const { return highlighted_; }

    // What an item shows on its right for its key equivalent: the modifiers and the key as this
    // desktop names them ("Ctrl+Shift+Q", "Alt+F4"); empty without one.
    static std::string shortcutText(const NSMenuItem& item);

private:
    class OverlayView;
    MenuPresentation(NSMenu& menu, NSWindow& window, std::shared_ptr<NSAppearance> appearance, CoreGraphics::CGFloat scale,
                     MenuPresentation* parent);
    // Works out the rows and the size (the menu's own points); then places the menu at `left`
    // and `top` (window coordinates), kept inside the window.
    CoreGraphics::CGSize measure();
    void place(CoreGraphics::CGFloat left, CoreGraphics::CGFloat top, CoreGraphics::CGSize size);
    void layOut(CoreGraphics::CGPoint location, int positioning);
    void layOutBeside(CoreGraphics::CGRect row);
    // True when the whole menu closes with the event; `chosen` set when an item was taken.
    bool handle(const class NSEvent& event, NSMenuItem::Ptr& chosen);
    bool handleKey(const class NSEvent& event, NSMenuItem::Ptr& chosen);
    // The open menu (this one or a submenu of it) whose frame holds the point, innermost first.
    MenuPresentation* menuAt(CoreGraphics::CGPoint locationInWindow);
    MenuPresentation& innermost();
    int itemAt(CoreGraphics::CGPoint locationInWindow) const;
    bool selectable(int index) const;
    void moveHighlight(int step);
    void setHighlighted(int index);
    // Opens the highlighted item's submenu (its first item highlighted when asked), closing any
    // other; closes the one that is open.
    void openSubmenu(bool highlightFirst);
    void closeSubmenu();
    void show();
    void hide();

    NSMenu& menu_;
    std::shared_ptr<NSMenu> keptMenu_;  // an item's submenu may be replaced while it shows
    NSWindow& window_;
    std::shared_ptr<NSAppearance> appearance_;
    CoreGraphics::CGFloat scale_;  // window points per point of the menu
    MenuPresentation* parent_;
    std::unique_ptr<MenuPresentation> child_;
    std::shared_ptr<OverlayView> view_;
    std::vector<CoreGraphics::CGRect> rows_;  // in the view's own (top-down) coordinates
    int highlighted_ = -1;
    bool openingClick_ = false;  // opened by a mouse-down whose release is still to come
    const MenuPresentation* outer_ = nullptr;
};

}  // namespace AppKit
