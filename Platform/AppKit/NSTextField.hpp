#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSControl.hpp"
#include "AppKit/NSTextFieldCell.hpp"

namespace AppKit {

// A control showing one piece of text over an NSTextFieldCell: a label when neither editable
// nor selectable. Its intrinsic size is its text's (with the border or bezel).
class NSTextField : public NSControl {
    VZ_OBJECT(NSTextField, NSControl)
public:
    using Ptr = std::shared_ptr<NSTextField>;

    NSCellClass cellClass() const override { return NSCellClass::of<NSTextFieldCell>(); }
    NSTextFieldCell::Ptr textFieldCell() const { return std::dynamic_pointer_cast<NSTextFieldCell>(cell()); }

    bool isEditable() const;
    void setEditable(bool flag);
    bool isSelectable() const;
    void setSelectable(bool flag);
    bool isBordered() const;
    void setBordered(bool flag);
    bool isBezeled() const;
    void setBezeled(bool flag);
    NSTextFieldBezelStyle bezelStyle() const;
    void setBezelStyle(NSTextFieldBezelStyle style);
    bool drawsBackground() const;
    void setDrawsBackground(bool flag);
    NSColor::Ptr textColor() const;
    void setTextColor(NSColor::Ptr color);
    NSColor::Ptr backgroundColor() const;
    void setBackgroundColor(NSColor::Ptr color);
    std::optional<std::string> placeholderString() const;
    void setPlaceholderString(std::optional<std::string> placeholder);

protected:
    NSTextField() = default;
    explicit NSTextField(CGRect frame) : NSControl(frame) {}
};

}  // namespace AppKit
