#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSFont.hpp"
#include "AppKit/NSMenuItem.hpp"
#include "CoreGraphics/Geometry.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

class NSView;

// A list of items. Opening one (popUp, a context menu) asks the installed chooser, when a test
// installed one, which item the user picks; otherwise the menu shows in the window and the user
// picks (see MenuPresentation). The menu then sends that item's action.
class NSMenu : public Runtime::NSObject {
    VZ_OBJECT(NSMenu, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSMenu>;

    static Ptr make(std::string title = {});

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }

    const std::vector<NSMenuItem::Ptr>& items() const { return items_; }
    int numberOfItems() const { return int(items_.size()); }
    // Replaces every item (the platform's itemArray setter).
    void setItems(const std::vector<NSMenuItem::Ptr>& items);
    void addItem(const NSMenuItem::Ptr& item);
    NSMenuItem::Ptr addItem(std::string title, Runtime::Selector action, std::string keyEquivalent);
    void insertItem(const NSMenuItem::Ptr& item, int index);
    void removeItem(const NSMenuItem::Ptr& item);
    void removeItem(int index);
    void removeAllItems();
    NSMenuItem::Ptr item(int index) const;  // null out of range
    NSMenuItem::Ptr itemWithTitle(const std::string& title) const;
    NSMenuItem::Ptr itemWithTag(std::int64_t tag) const;
    int indexOfItem(const NSMenuItem::Ptr& item) const;  // -1 when absent
    int indexOfItemWithTitle(const std::string& title) const;
    int indexOfItemWithTag(std::int64_t tag) const;
    // The item whose submenu this is.
    Ptr supermenu() const { return supermenu_.lock(); }

    // The font of the items as shown (null: the system font at its standard size). A pop-up
    // button shows its menu in the button's font.
    std::shared_ptr<NSFont> font() const { return font_; }
    void setFont(std::shared_ptr<NSFont> font) { font_ = std::move(font); }
    // How much larger than its own size the menu shows in a window: a menu of content drawn
    // larger (a scaled view) is as large. 1 unless set; the view it opens from adds the scale
    // its window shows it at.
    CoreGraphics::CGFloat scale() const { return scale_; }
    void setScale(CoreGraphics::CGFloat scale) { scale_ = scale > 0 ? scale : 1; }
    std::shared_ptr<Runtime::NSObject> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<Runtime::NSObject>& delegate) { delegate_ = delegate; }
    // When on (the default), update() enables exactly the items whose action has a receiver.
    bool autoenablesItems() const { return autoenables_; }
    void setAutoenablesItems(bool flag) { autoenables_ = flag; }
    void update();

    // Sends the item's action (through NSApplication::sendAction, sender = the item); nothing
    // for a disabled item, a separator or an item without an action.
    void performActionForItem(int index);
    bool performKeyEquivalent(const NSEvent& event);

    // Opens the menu: asks the delegate to update it, asks the chooser (or the user, in the
    // view's window at `location`, in the view's coordinates; without a view, in the window of
    // the event being handled, where it happened) for an item, and performs it. `positioning`
    // is the item highlighted first. True when an item was chosen.
    bool popUp(const NSMenuItem::Ptr& positioning, CoreGraphics::CGPoint location, const NSView* inView);
    // Opens the menu as popUp does but sends nothing: the item the user picked (enabled, in this
    // menu or a submenu), or null. For owners that act before the item's action is sent.
    NSMenuItem::Ptr popUpChoosing(const NSMenuItem::Ptr& positioning, CoreGraphics::CGPoint location,
                                  const NSView* inView);
    static void popUpContextMenu(const Ptr& menu, const NSEvent& event, const NSView* forView);
    // The item picked the last time this menu was opened (null when dismissed).
    NSMenuItem::Ptr highlightedItem() const { return highlighted_.lock(); }

    // The stand-in for the user: given the opened menu, returns the item to pick (from this
    // menu or one of its submenus) or null to dismiss it. Without a chooser every menu is
    // shown in its window (or dismissed when there is none).
    using Chooser = std::function<NSMenuItem::Ptr(NSMenu& menu)>;
    static void setChooser(Chooser chooser);
    // Chooser helpers: pick by title (searching submenus), or by index.
    static Chooser choosing(std::string title);
    static Chooser choosingIndex(int index);
    // How many menus were opened since the process started (tests).
    static int openCount();
    // The last popUp call: the menu, the item to place, where and in which view (tests).
    struct PopUpCall {
        std::weak_ptr<NSMenu> menu;
        std::weak_ptr<NSMenuItem> positioning;
        CoreGraphics::CGPoint location;
        const NSView* view = nullptr;
    };
    static const PopUpCall& lastPopUp();

protected:
    NSMenu() = default;

private:
    std::string title_;
    std::vector<NSMenuItem::Ptr> items_;
    std::weak_ptr<NSMenu> supermenu_;
    std::weak_ptr<Runtime::NSObject> delegate_;
    std::weak_ptr<NSMenuItem> highlighted_;
    bool autoenables_ = true;
    CoreGraphics::CGFloat scale_ = 1;
    std::shared_ptr<NSFont> font_;
    friend class NSMenuItem;
};

}  // namespace AppKit
