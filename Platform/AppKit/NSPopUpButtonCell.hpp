#pragma once
#include <any>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSButtonCell.hpp"
#include "AppKit/NSMenu.hpp"

namespace AppKit {

// The cell of a pop-up button: a button cell that shows one item of its menu. The base rules
// the kit's pop-up cells override:
// - Creation (init(textCell:pullsDown:) and init(coder:) are this didInit()): an empty menu that
//   enables its items automatically, a pop-up (not pull-down), the image left of the title, the
//   title left-aligned and cut at the tail.
// - The shown item (menuItem) is the selected item of a pop-up, the first item of a pull-down,
//   or, once usesItemFromMenu is off, the item set with setMenuItem. title() and image() are the
//   shown item's.
// - Selection: an item of the menu or of one of its submenus. While nothing was selected, or the
//   selected item has left the menu, a pop-up shows its first item that is no separator.
//   Selecting an item marks it on and unmarks the one before.
// - setTitle: a pop-up selects its first top-level item of that title; with no such item only
//   the shown title changes (no item is ever added behind the caller's back). A pull-down, and a
//   cell that does not use its menu's item, only change the shown title.
// - Geometry: drawingRect(forBounds:) leaves 8 points on the left and 22 on the right (the
//   arrows) of the bounds, so the title rectangle is x + 8, width - 30, full height, and the
//   title is centred vertically in it; cellSize fits the widest item's title.
// - drawBezel draws the button's bezel and the arrows (two for a pop-up, one for a pull-down).
// - trackMenu(frame, view) opens the menu (a pop-up places its selected item at the frame's
//   top left, a pull-down opens below the frame). The picked item is selected (pop-up only)
//   before its action is sent: an item without an action of its own sends the control's action
//   to the control's target.
class NSPopUpButtonCell : public NSButtonCell {
    VZ_OBJECT(NSPopUpButtonCell, NSButtonCell)
public:
    using Ptr = std::shared_ptr<NSPopUpButtonCell>;

    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

    void didInit() override;

    // --- The menu -----------------------------------------------------------------------------
    NSMenu::Ptr menu() const { return menu_; }
    void setMenu(NSMenu::Ptr menu);
    bool pullsDown() const { return pullsDown_; }
    void setPullsDown(bool flag);
    bool autoenablesItems() const { return menu_ && menu_->autoenablesItems(); }
    void setAutoenablesItems(bool flag);

    std::vector<NSMenuItem::Ptr> itemArray() const;
    int numberOfItems() const { return menu_ ? menu_->numberOfItems() : 0; }
    NSMenuItem::Ptr item(int index) const { return menu_ ? menu_->item(index) : nullptr; }
    NSMenuItem::Ptr lastItem() const { return item(numberOfItems() - 1); }
    std::vector<std::string> itemTitles() const;
    void addItem(std::string title);
    void addItems(const std::vector<std::string>& titles);
    void insertItem(std::string title, int index);
    void removeItem(int index);
    void removeAllItems();
    int indexOfItem(const NSMenuItem::Ptr& item) const { return menu_ ? menu_->indexOfItem(item) : -1; }
    int indexOfItemWithTitle(const std::string& title) const { return menu_ ? menu_->indexOfItemWithTitle(title) : -1; }
    int indexOfItemWithTag(std::int64_t tag) const { return menu_ ? menu_->indexOfItemWithTag(tag) : -1; }

    // --- Selection ----------------------------------------------------------------------------
    NSMenuItem::Ptr selectedItem() const;
    // The selected item's place in the top-level menu; -1 with none, or for an item of a submenu.
    int indexOfSelectedItem() const;
    // Null (or an item of another menu) selects nothing.
    virtual void selectItem(const NSMenuItem::Ptr& item);
    void selectItem(int index) { selectItem(item(index)); }
    bool selectItemWithTitle(const std::string& title);
    bool selectItemWithTag(std::int64_t tag);
    std::string titleOfSelectedItem() const;

    // --- What the closed cell shows -----------------------------------------------------------
    bool usesItemFromMenu() const { return usesItemFromMenu_; }
    void setUsesItemFromMenu(bool flag);
    NSMenuItem::Ptr menuItem() const;
    void setMenuItem(NSMenuItem::Ptr item);
    const std::string& title() const override;
    void setTitle(std::string title) override;
    NSImage::Ptr image() const override;

    // --- Geometry and drawing -----------------------------------------------------------------
    CGRect drawingRect(CGRect forBounds) const override;
    CGSize cellSize(CGRect forBounds) const override;
    using NSCell::cellSize;
    void drawBezel(CGRect withFrame, NSView& in) override;

    // --- Opening ------------------------------------------------------------------------------
    // Opens the menu over `frame` in `view` (see the class comment); true when an item was picked.
    virtual bool trackMenu(CGRect frame, NSView& view);

private:
    bool contains(const NSMenuItem& item) const;
    // The item that gets the control's action in this cell's menu.
    void adoptItem(const NSMenuItem::Ptr& item);
    void itemChosen(Runtime::NSObject* sender);

    NSMenu::Ptr menu_;
    bool pullsDown_ = false;
    bool usesItemFromMenu_ = true;
    NSMenuItem::Ptr ownMenuItem_;
    std::weak_ptr<NSMenuItem> selected_;
    std::optional<std::string> shownTitle_;  // a title set that names no item
};

}  // namespace AppKit
