#pragma once
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSButton.hpp"
#include "AppKit/NSPopUpButtonCell.hpp"

namespace AppKit {

// A button that shows one item of a menu and opens the menu when clicked (see
// NSPopUpButtonCell for the rules). Creation: Runtime::make<NSPopUpButton>(frame, pullsDown).
// The menu, the items and the selection are the cell's; with a cell of another class the
// button has no menu and every call is ignored.
class NSPopUpButton : public NSButton {
    VZ_OBJECT(NSPopUpButton, NSButton)
public:
    using Ptr = std::shared_ptr<NSPopUpButton>;

    NSCellClass cellClass() const override { return NSCellClass::of<NSPopUpButtonCell>(); }
    NSPopUpButtonCell::Ptr popUpCell() const { return std::dynamic_pointer_cast<NSPopUpButtonCell>(cell()); }

    NSMenu::Ptr menu() const;
    void setMenu(NSMenu::Ptr menu);
    bool pullsDown() const;
    void setPullsDown(bool flag);
    bool autoenablesItems() const;
    void setAutoenablesItems(bool flag);

    std::vector<NSMenuItem::Ptr> itemArray() const;
    int numberOfItems() const;
    NSMenuItem::Ptr item(int index) const;
    NSMenuItem::Ptr itemWithTitle(const std::string& title) const;
    NSMenuItem::Ptr lastItem() const;
    std::vector<std::string> itemTitles() const;
    void addItem(std::string title);
    void addItems(const std::vector<std::string>& titles);
    void insertItem(std::string title, int index);
    void removeItem(int index);
    void removeAllItems();
    int indexOfItem(const NSMenuItem::Ptr& item) const;
    int indexOfItemWithTitle(const std::string& title) const;
    int indexOfItemWithTag(std::int64_t tag) const;

    NSMenuItem::Ptr selectedItem() const;
    int indexOfSelectedItem() const;
    void select(const NSMenuItem::Ptr& item);
    void selectItem(int index);
    bool selectItemWithTitle(const std::string& title);
    bool selectItemWithTag(std::int64_t tag);
    std::string titleOfSelectedItem() const;

    // A click opens the menu (nothing while disabled); the button is highlighted meanwhile.
    void mouseDown(const NSEvent& event) override;
    // Opens the menu as a click does.
    void performClick(Runtime::NSObject* sender = nullptr) override;

    void didInit() override;

protected:
    NSPopUpButton() = default;
    NSPopUpButton(CGRect frame, bool pullsDown) : NSButton(frame), initialPullsDown_(pullsDown) {}

private:
    bool initialPullsDown_ = false;
};

}  // namespace AppKit
