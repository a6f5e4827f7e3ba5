#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSControl.hpp"
#include "AppKit/NSTextFieldCell.hpp"

namespace AppKit {

// A control showing one piece of text over an NSTextFieldCell: a label when neither editable
// nor selectable. Its intrinsic size is its text's (with the border or bezel).
// Editing: an editable field that becomes first responder puts the window's field editor over
// itself (its cell's select) and hands the focus on to it. Every change of the editor's text
// becomes the field's value and posts controlTextDidChangeNotification (object: the field). The
// editing ends when the editor resigns or on Return (the action is sent, the editing goes on),
// Tab (the focus moves to the next key view, or to the window without one) or Escape.
class NSTextField : public NSControl, public NSTextDelegate {
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

    static constexpr const char* textDidChangeNotification = "NSControlTextDidChangeNotification";
    static constexpr const char* textDidEndEditingNotification = "NSControlTextDidEndEditingNotification";

    // Its coordinates run y-down, as on the platform.
    bool isFlipped() const override { return true; }
    bool becomeFirstResponder() override;
    void mouseDown(const NSEvent& event) override;
    void textDidChange(NSText& text) override;
    void textDidEndEditing(NSText& text, NSTextMovement movement) override;

protected:
    NSTextField() = default;
    explicit NSTextField(CGRect frame) : NSControl(frame) {}
};

}  // namespace AppKit
