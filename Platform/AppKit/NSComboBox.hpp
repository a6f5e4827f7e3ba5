#pragma once
#include <any>
#include <memory>
#include <string>

#include "AppKit/NSComboBoxCell.hpp"
#include "AppKit/NSTextField.hpp"

namespace AppKit {

// A text field with a list of values to pick from (see NSComboBoxCell). Opening the list (a
// click on the arrow button, or popUpList()) posts willPopUpNotification, lets the user pick
// through the menu machinery (the chooser in tests, the window's menu otherwise), selects the
// pick, then posts willDismissNotification. Selecting an item, by the user or by
// selectItem(at:), shows its text and posts selectionDidChangeNotification; all three are
// posted with the box as their object, synchronously.
class NSComboBox : public NSTextField {
    VZ_OBJECT(NSComboBox, NSTextField)
public:
    using Ptr = std::shared_ptr<NSComboBox>;
    static constexpr const char* willPopUpNotification = "NSComboBoxWillPopUpNotification";
    static constexpr const char* willDismissNotification = "NSComboBoxWillDismissNotification";
    static constexpr const char* selectionDidChangeNotification = "NSComboBoxSelectionDidChangeNotification";

    NSCellClass cellClass() const override { return NSCellClass::of<NSComboBoxCell>(); }
    NSComboBoxCell::Ptr comboBoxCell() const { return std::dynamic_pointer_cast<NSComboBoxCell>(cell()); }

    int numberOfItems() const;
    void addItem(std::any objectValue);
    void removeAllItems();
    // The platform's range error outside the list.
    std::any itemObjectValue(int index) const;
    int indexOfSelectedItem() const;
    // -1 deselects (the text stays); an index outside the list is ignored.
    void selectItem(int index);
    bool usesDataSource() const;

    // Opens the list as a click on the arrow does; true when an item was picked.
    bool popUpList();
    void mouseDown(const NSEvent& event) override;

protected:
    NSComboBox() = default;
    explicit NSComboBox(CGRect frame) : NSTextField(frame) {}
};

}  // namespace AppKit
