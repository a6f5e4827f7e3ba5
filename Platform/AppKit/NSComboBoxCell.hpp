#pragma once
#include <any>
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSTextFieldCell.hpp"

namespace AppKit {

// The cell of a combo box: a text field's cell with a list of item values beside it. The base
// rules the kit's combo cell overrides:
// - Item values are numbers (held as double) or texts (std::string); an item shows as its text
//   (a number as its shortest text).
// - One line of text, cut at the tail.
// - drawingRect(forBounds:) leaves the arrow button (buttonWidth(), 17 points) at the right, so
//   the title rectangle is the text part; draw(withFrame:in:) draws the bezel with the arrow
//   button, then the interior.
// - itemObjectValue(at:) of an index outside the list is the platform's range error
//   (std::out_of_range).
// - While the box is edited the field editor lies over titleRect(forBounds:), where a subclass
//   puts its text, and the interior leaves the text to the editor.
class NSComboBoxCell : public NSTextFieldCell {
    VZ_OBJECT(NSComboBoxCell, NSTextFieldCell)
public:
    using Ptr = std::shared_ptr<NSComboBoxCell>;

    void didInit() override;

    const std::vector<std::any>& objectValues() const { return items_; }
    int numberOfItems() const { return int(items_.size()); }
    void addItem(std::any objectValue) { items_.push_back(std::move(objectValue)); }
    void removeAllItems();
    std::any itemObjectValue(int index) const;
    // The text an item value shows as.
    static std::string text(const std::any& objectValue);

    int indexOfSelectedItem() const { return selected_; }
    // Selects (or with -1 deselects) without telling anyone; the box posts the notification.
    void setIndexOfSelectedItem(int index) { selected_ = index; }
    bool usesDataSource() const { return usesDataSource_; }
    void setUsesDataSource(bool flag) { usesDataSource_ = flag; }

    virtual CGFloat buttonWidth() const { return 17; }
    CGRect drawingRect(CGRect forBounds) const override;
    // The text field's size with the arrow button beside it.
    CGSize cellSize(CGRect forBounds) const override;
    using NSCell::cellSize;
    void draw(CGRect withFrame, NSView& in) override;
    // The text in drawingRect(frame), centred vertically (titleRect(forBounds:) is for those who
    // ask where the text goes in the whole cell; the interior is drawn in a frame given).
    void drawInterior(CGRect withFrame, NSView& in) override;
    void select(CGRect withFrame, NSView& in, NSText& editor, const std::shared_ptr<Runtime::NSObject>& delegate, long start,
                long length) override;

protected:
    NSComboBoxCell() = default;

private:
    std::vector<std::any> items_;
    int selected_ = -1;
    bool usesDataSource_ = false;
};

}  // namespace AppKit
