#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSBackgroundStyle.hpp"
#include "AppKit/NSFont.hpp"
#include "AppKit/NSImage.hpp"
#include "AppKit/NSParagraphStyle.hpp"
#include "AppKit/NSView.hpp"

namespace AppKit {

class NSEvent;

// A control's on/off value (a check box's check), with the platform's raw values.
enum class NSControlStateValue : long { mixed = -1, off = 0, on = 1 };
// The sizes controls come in, with the platform's raw values.
enum class NSControlSize : unsigned long { regular = 0, small = 1, mini = 2, large = 3, extraLarge = 4 };

// The part of a control that holds its value and flags, draws it and follows the mouse.
// The base rules that the kit's cells override:
// - draw(withFrame:in:) draws the border or bezel (when the cell has one), then
//   drawInterior(withFrame:in:), which draws the image centred in imageRect and the title
//   in titleRect, in the control text colour (half transparent when disabled).
// - drawingRect(forBounds:) is the frame less the border (1 point) or the bezel (2 points);
//   titleRect(forBounds:) is the drawing rectangle, imageRect(forBounds:) the image's size
//   centred in it. cellSize(forBounds:) is what the image and the title need, plus the border.
// - trackMouse(...) follows a mouse-down: startTracking, then continueTracking for every drag,
//   until the button goes up (or, unless the cell tracks until mouse-up, until the pointer
//   leaves the frame), then stopTracking; true when the button went up inside.
// - highlight(_:withFrame:in:) sets isHighlighted and redraws the control view.
// - The focus ring follows focusRingMaskBounds(forFrame:in:) (the frame) and
//   drawFocusRingMask(withFrame:in:) (fills it).
// - The state, enabled and highlighted flags are plain values: nothing derives one from another.
// A cell keeps its control view weakly; the control owns the cell.
class NSCell : public Runtime::NSObject {
    VZ_OBJECT(NSCell, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSCell>;

    // --- Value --------------------------------------------------------------------------------
    NSControlStateValue state() const { return state_; }
    virtual void setState(NSControlStateValue state);
    // The state a click leads to; a plain cell keeps its state (button cells cycle theirs).
    virtual NSControlStateValue nextState() const { return state_; }
    // After a click: the state becomes nextState() (NSControl::mouseDown calls it on a mouse-up
    // inside, before the action is sent).
    virtual void setNextState() { setState(nextState()); }
    // The text the cell shows; setting a number shows its shortest text.
    const std::string& stringValue() const { return string_; }
    void setStringValue(std::string value);
    // The text with its fonts and colours: the one set, which the cell then draws as its title,
    // else the title as the cell draws it. Setting the plain value drops the set one.
    CoreGraphics::AttributedText attributedStringValue() const;
    void setAttributedStringValue(CoreGraphics::AttributedText text);
    bool hasAttributedStringValue() const { return attributed_.has_value(); }
    // The number the cell holds; a text that is no number holds 0.
    double doubleValue() const { return double_; }
    virtual void setDoubleValue(double value);
    int intValue() const { return static_cast<int>(double_); }
    void setIntValue(int value) { setDoubleValue(value); }
    // A text cell's title is its string value.
    virtual const std::string& title() const { return string_; }
    virtual void setTitle(std::string title) { setStringValue(std::move(title)); }
    virtual NSImage::Ptr image() const { return image_; }
    virtual void setImage(NSImage::Ptr image);
    long tag() const { return tag_; }
    void setTag(long tag) { tag_ = tag; }

    // --- Flags --------------------------------------------------------------------------------
    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool flag);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool flag);
    bool isBordered() const { return bordered_; }
    void setBordered(bool flag);
    bool isBezeled() const { return bezeled_; }
    void setBezeled(bool flag);
    bool isEditable() const { return editable_; }
    void setEditable(bool flag) { editable_ = flag; }
    // Sends the action while the mouse is dragged, not only when it goes up.
    bool isContinuous() const { return continuous_; }
    void setContinuous(bool flag) { continuous_ = flag; }
    virtual bool acceptsFirstResponder() const { return false; }

    // --- Appearance ---------------------------------------------------------------------------
    NSFont::Ptr font() const { return font_; }
    void setFont(NSFont::Ptr font);
    NSTextAlignment alignment() const { return alignment_; }
    void setAlignment(NSTextAlignment alignment);
    NSLineBreakMode lineBreakMode() const { return lineBreakMode_; }
    void setLineBreakMode(NSLineBreakMode mode);
    NSControlSize controlSize() const { return controlSize_; }
    void setControlSize(NSControlSize size);
    // How the content sits on the cell's own background.
    virtual NSBackgroundStyle interiorBackgroundStyle() const { return NSBackgroundStyle::normal; }
    // The background the cell is drawn on (a selected table row's is emphasized).
    virtual NSBackgroundStyle backgroundStyle() const { return backgroundStyle_; }
    virtual void setBackgroundStyle(NSBackgroundStyle style);
    NSFocusRingType focusRingType() const { return focusRingType_; }
    void setFocusRingType(NSFocusRingType type) { focusRingType_ = type; }

    // The view the cell draws in (weak).
    std::shared_ptr<NSView> controlView() const { return controlView_.lock(); }
    void setControlView(const std::shared_ptr<NSView>& view) { controlView_ = view; }

    // --- Geometry -----------------------------------------------------------------------------
    virtual CGRect drawingRect(CGRect forBounds) const;
    virtual CGRect titleRect(CGRect forBounds) const;
    virtual CGRect imageRect(CGRect forBounds) const;
    virtual CGSize cellSize(CGRect forBounds) const;
    CGSize cellSize() const { return cellSize({0, 0, 1e7, 1e7}); }

    // --- Drawing ------------------------------------------------------------------------------
    virtual void draw(CGRect withFrame, NSView& in);
    virtual void drawInterior(CGRect withFrame, NSView& in);
    virtual void highlight(bool flag, CGRect withFrame, NSView& in);
    virtual CGRect focusRingMaskBounds(CGRect forFrame, NSView& in) const;
    virtual void drawFocusRingMask(CGRect withFrame, NSView& in);
    // The title as drawn: font, control text colour, alignment and line-break mode.
    virtual CoreGraphics::AttributedText attributedTitle() const;

    // --- Copying ------------------------------------------------------------------------------
    // A new cell of the same class with this one's value, flags, appearance and control view.
    // Only classes that answer newInstance() can be copied; NSCell itself stops the program.
    virtual Ptr copy() const;

    // --- Mouse tracking -----------------------------------------------------------------------
    // Whether trackMouse keeps following the mouse after it leaves the frame.
    virtual bool prefersTrackingUntilMouseUp() const { return false; }
    virtual bool startTracking(CGPoint at, NSView& in);
    virtual bool continueTracking(CGPoint last, CGPoint current, NSView& in);
    virtual void stopTracking(CGPoint last, CGPoint current, NSView& in, bool mouseIsUp);
    // Runs the tracking loop on the events of the view's window (see the class comment).
    virtual bool trackMouse(const NSEvent& with, CGRect in, NSView& of, bool untilMouseUp);

protected:
    NSCell() = default;
    // A blank cell of the receiver's class, for copy().
    virtual Ptr newInstance() const;
    // Takes over `from`'s state; a class with state of its own adds it and calls the base.
    virtual void copyValues(const NSCell& from);
    // Asks the control view to redraw.
    void updateControlView() const;
    // `text` as this cell draws its title.
    CoreGraphics::AttributedText attributedText(const std::string& text) const;

private:
    friend class NSControl;
    NSControlStateValue state_ = NSControlStateValue::off;
    std::string string_;
    std::optional<CoreGraphics::AttributedText> attributed_;
    double double_ = 0;
    NSImage::Ptr image_;
    long tag_ = 0;
    bool enabled_ = true;
    bool highlighted_ = false;
    bool bordered_ = false;
    bool bezeled_ = false;
    bool editable_ = false;
    bool continuous_ = false;
    NSFont::Ptr font_ = NSFont::systemFont(NSFont::systemFontSize());
    NSTextAlignment alignment_ = NSTextAlignment::natural;
    NSLineBreakMode lineBreakMode_ = NSLineBreakMode::byWordWrapping;
    NSControlSize controlSize_ = NSControlSize::regular;
    NSFocusRingType focusRingType_ = NSFocusRingType::default_;
    NSBackgroundStyle backgroundStyle_ = NSBackgroundStyle::normal;
    std::weak_ptr<NSView> controlView_;
    bool trackingEndedWithMouseUp_ = false;  // how the last trackMouse ended
};

}  // namespace AppKit
