#pragma once
#include <memory>
#include <string>

#include "AppKit/NSCell.hpp"
#include "AppKit/NSView.hpp"
#include "Runtime/Selector.hpp"

namespace AppKit {

class NSText;

// A cell class as a value: what a control's `cellClass` answers. Makes cells through the
// two-phase creation, so the cell's own initialiser runs.
class NSCellClass {
public:
    NSCellClass() = default;  // no class: the control gets no cell
    template <class Cell>
    static NSCellClass of() {
        return NSCellClass(&Cell::staticClassInfo(), [] { return std::static_pointer_cast<NSCell>(Runtime::make<Cell>()); });
    }

    const Runtime::ClassInfo* classInfo() const { return info_; }
    NSCell::Ptr make() const { return make_ ? make_() : nullptr; }
    explicit operator bool() const { return info_ != nullptr; }
    friend bool operator==(const NSCellClass& a, const NSCellClass& b) { return a.info_ == b.info_; }

private:
    NSCellClass(const Runtime::ClassInfo* info, NSCell::Ptr (*make)()) : info_(info), make_(make) {}
    const Runtime::ClassInfo* info_ = nullptr;
    NSCell::Ptr (*make_)() = nullptr;
};

// A view that shows a value through its cell and sends an action to a target. The base
// rules the kit's controls override:
// - Creation makes the cell of the control's dynamic class (`cellClass()`, NSCell unless a
//   class answers another), after construction, so an override in a subclass is reached.
// - The value, the enabled flag, font, alignment, line-break mode and control size are the
//   cell's; setting them redraws the control.
// - draw(_:) lets the cell draw in the bounds; the intrinsic size is the cell's size.
// - mouseDown(with:) does nothing while disabled; otherwise it highlights the cell and lets
//   it track the mouse (see NSCell::trackMouse), follows the pointer back in when it left,
//   and, when the button goes up inside, moves the cell to its next state and sends the
//   action.
// - The target is held weakly (the platform does not retain it); sending with no target goes
//   up the responder chain (NSApplication::sendAction).
class NSControl : public NSView {
    VZ_OBJECT(NSControl, NSView)
public:
    using Ptr = std::shared_ptr<NSControl>;
    using StateValue = NSControlStateValue;
    using ControlSize = NSControlSize;

    // The class of cell this control class makes; one constant per class.
    virtual NSCellClass cellClass() const { return NSCellClass::of<NSCell>(); }

    NSCell::Ptr cell() const { return cell_; }
    // Takes a cell of acceptedCellClass() (or of a subclass of it) or none: any other cell is a
    // programming error that stops the program, whatever type the control is reached through.
    void setCell(NSCell::Ptr cell);
    // The class of cell setCell takes; none (here) takes any cell.
    virtual const Runtime::ClassInfo* acceptedCellClass() const { return nullptr; }

    // --- Target and action --------------------------------------------------------------------
    std::shared_ptr<Runtime::NSObject> target() const { return target_.lock(); }
    void setTarget(const std::shared_ptr<Runtime::NSObject>& target) { target_ = target; }
    Runtime::Selector action() const { return action_; }
    void setAction(Runtime::Selector action) { action_ = action; }
    // Sends `action` to `target` (null: the responder chain) with this control as sender;
    // false when there is no action or nobody answers it.
    virtual bool sendAction(Runtime::Selector action, Runtime::NSObject* target);
    bool isContinuous() const;
    void setContinuous(bool flag);

    // --- The cell's value and flags -----------------------------------------------------------
    const std::string& stringValue() const;
    void setStringValue(std::string value);
    // Virtual for controls that keep their value outside the cell.
    virtual double doubleValue() const;
    virtual void setDoubleValue(double value);
    int intValue() const;
    void setIntValue(int value);
    bool isEnabled() const;
    virtual void setEnabled(bool flag);
    bool isHighlighted() const;
    void setHighlighted(bool flag);
    NSFont::Ptr font() const;
    void setFont(NSFont::Ptr font);
    NSTextAlignment alignment() const;
    void setAlignment(NSTextAlignment alignment);
    NSLineBreakMode lineBreakMode() const;
    void setLineBreakMode(NSLineBreakMode mode);
    ControlSize controlSize() const;
    void setControlSize(ControlSize size);
    long tag() const { return tag_; }
    void setTag(long tag) { tag_ = tag; }

    // --- Size and drawing ---------------------------------------------------------------------
    CGSize intrinsicContentSize() const override;
    void sizeToFit();
    void draw(CGRect dirtyRect) override;
    // The system ring follows the cell: its mask bounds in the control's bounds and its mask.
    CGRect focusRingMaskBounds() const override;
    void drawFocusRingMask() override;
    // The cell changed: redraw.
    void updateCell(const NSCell& cell);

    void mouseDown(const NSEvent& event) override;
    bool acceptsFirstResponder() const override;
    // The window's field editor while it edits this control; null otherwise.
    std::shared_ptr<NSText> currentEditor() const;

    void didInit() override;

protected:
    NSControl() = default;
    explicit NSControl(CGRect frame) : NSView(frame) {}

private:
    NSCell::Ptr cell_;
    std::weak_ptr<Runtime::NSObject> target_;
    Runtime::Selector action_;
    long tag_ = 0;
};

}  // namespace AppKit
