#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSControl.hpp"
#include "AppKit/NSTextFieldCell.hpp"

namespace Foundation {
class Notification;
}

namespace AppKit {

// Told of a text field's editing; looked up on the field's delegate object by type. Each
// notification's object is the field; the end's user info holds "NSTextMovement" (how the
// editing ended, an NSTextMovement).
class NSTextFieldDelegate {
public:
    virtual ~NSTextFieldDelegate() = default;
    // At the first change of an editing session.
    virtual void controlTextDidBeginEditing(const Foundation::Notification& notification) { (void)notification; }
    virtual void controlTextDidChange(const Foundation::Notification& notification) { (void)notification; }
    virtual void controlTextDidEndEditing(const Foundation::Notification& notification) { (void)notification; }
};

// A control showing one piece of text over an NSTextFieldCell. Made with its frame (the plain
// initialiser) it is a field: editable, selectable, bezeled and drawing its background; made by
// labelWithString it is a label: none of these. Its intrinsic size is its text's (with the
// border or bezel).
// Editing: an editable field that becomes first responder puts the window's field editor over
// itself (its cell's select) and hands the focus on to it. Every change of the editor's text
// becomes the field's value and posts textDidChangeNotification (object: the field), the first
// of a session after textDidBeginEditingNotification; the delegate hears of both. The editing
// ends when the editor resigns or on Return (the action is sent, the editing goes on), Tab and
// Shift-Tab (the focus moves along the key view loop, or to the window when the loop has no
// other view that takes it) or Escape (the focus goes to the window); the typed text stays in
// every case, and textDidEndEditingNotification tells how the editing ended.
class NSTextField : public NSControl, public NSTextDelegate {
    VZ_OBJECT(NSTextField, NSControl)
public:
    using Ptr = std::shared_ptr<NSTextField>;

    // A label showing `text`, sized to fit it: not editable, selectable, bezeled or bordered, and
    // drawing no background. Made as a `Field` (NSTextField or a subclass) through its plain
    // initialiser, so its own set-up runs first.
    template <class Field = NSTextField>
    static std::shared_ptr<Field> labelWithString(std::string text) {
        auto field = Runtime::make<Field>(CGRect{});
        field->makeLabel();
        field->setStringValue(std::move(text));
        field->sizeToFit();
        return field;
    }

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

    static constexpr const char* textDidBeginEditingNotification = "NSControlTextDidBeginEditingNotification";
    static constexpr const char* textDidChangeNotification = "NSControlTextDidChangeNotification";
    static constexpr const char* textDidEndEditingNotification = "NSControlTextDidEndEditingNotification";

    // Held weakly; told through NSTextFieldDelegate when it adopts it.
    std::shared_ptr<Runtime::NSObject> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<Runtime::NSObject>& delegate) { delegate_ = delegate; }

    // Kept for those who ask: whether a truncated text shows whole in a tool tip, whether a
    // text may be tightened before it is truncated, and how many lines it may take (0: any).
    bool allowsExpansionToolTips() const { return allowsExpansionToolTips_; }
    void setAllowsExpansionToolTips(bool flag) { allowsExpansionToolTips_ = flag; }
    bool allowsDefaultTighteningForTruncation() const { return allowsTightening_; }
    void setAllowsDefaultTighteningForTruncation(bool flag) { allowsTightening_ = flag; }
    long maximumNumberOfLines() const { return maximumNumberOfLines_; }
    void setMaximumNumberOfLines(long lines) { maximumNumberOfLines_ = lines; }

    // Its coordinates run y-down, as on the platform.
    bool isFlipped() const override { return true; }
    bool becomeFirstResponder() override;
    void mouseDown(const NSEvent& event) override;
    void mouseDragged(const NSEvent& event) override;
    void textDidChange(NSText& text) override;
    void textDidEndEditing(NSText& text, NSTextMovement movement) override;

    void didInit() override;

protected:
    NSTextField() = default;
    explicit NSTextField(CGRect frame) : NSControl(frame) {}

private:
    // The flags of a label (see labelWithString).
    void makeLabel();
    // Posts the notification and tells the delegate through `method`.
    void notify(const char* name, void (NSTextFieldDelegate::*method)(const Foundation::Notification&),
                std::optional<NSTextMovement> movement = std::nullopt);

    std::weak_ptr<Runtime::NSObject> delegate_;
    bool allowsExpansionToolTips_ = false;
    bool allowsTightening_ = false;
    long maximumNumberOfLines_ = 0;
    bool changedInSession_ = false;
    std::weak_ptr<NSEvent> startedBy_;  // the event during which the editing began
};

}  // namespace AppKit
