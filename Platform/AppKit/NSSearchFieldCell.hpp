#pragma once
#include <memory>

#include "AppKit/NSButtonCell.hpp"
#include "AppKit/NSTextFieldCell.hpp"

namespace AppKit {

// The cell of a search field: a magnifier button 5 points in from the left, a cancel button at
// the right (drawn only while there is text), the text between them. The button rectangles are
// as high as the bounds and 22 points wide (the cancel button in low bounds no wider than high):
// the magnifier stays where a bezel draws it, whatever the field's height. Without a cancel
// button cell its rectangle is the zero rectangle and the text reaches the right edge.
class NSSearchFieldCell : public NSTextFieldCell {
    VZ_OBJECT(NSSearchFieldCell, NSTextFieldCell)
public:
    using Ptr = std::shared_ptr<NSSearchFieldCell>;
    static constexpr CGFloat searchButtonInset = 5, buttonWidth = 22;

    NSButtonCell::Ptr searchButtonCell() const { return searchButton_; }
    void setSearchButtonCell(NSButtonCell::Ptr cell) { searchButton_ = std::move(cell); }
    NSButtonCell::Ptr cancelButtonCell() const { return cancelButton_; }
    void setCancelButtonCell(NSButtonCell::Ptr cell) { cancelButton_ = std::move(cell); }

    virtual CGRect searchButtonRect(CGRect forBounds) const;
    virtual CGRect cancelButtonRect(CGRect forBounds) const;
    virtual CGRect searchTextRect(CGRect forBounds) const;

    // The text, and the field editor while editing, go in the text rectangle.
    CGRect titleRect(CGRect forBounds) const override { return searchTextRect(forBounds); }
    CGRect drawingRect(CGRect forBounds) const override { return searchTextRect(forBounds); }
    void drawInterior(CGRect withFrame, NSView& in) override;
    void didInit() override;

protected:
    NSSearchFieldCell() = default;

private:
    NSButtonCell::Ptr searchButton_, cancelButton_;
};

}  // namespace AppKit
