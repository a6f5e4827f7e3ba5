#pragma once
#include <memory>

#include "AppKit/NSSearchFieldCell.hpp"
#include "AppKit/NSTextField.hpp"

namespace AppKit {

// A text field for a search: editable, over an NSSearchFieldCell. It sends its action on every
// change of its text while it is edited, and when the cancel button empties it. Its text is
// edited in the cell's text rectangle.
class NSSearchField : public NSTextField {
    VZ_OBJECT(NSSearchField, NSTextField)
public:
    using Ptr = std::shared_ptr<NSSearchField>;

    NSCellClass cellClass() const override { return NSCellClass::of<NSSearchFieldCell>(); }
    NSSearchFieldCell::Ptr searchFieldCell() const { return std::dynamic_pointer_cast<NSSearchFieldCell>(cell()); }

    void textDidChange(NSText& text) override;
    void mouseDown(const NSEvent& event) override;

protected:
    NSSearchField() = default;
    explicit NSSearchField(CGRect frame) : NSTextField(frame) {}
};

}  // namespace AppKit
