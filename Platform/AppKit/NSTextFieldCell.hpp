#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSCell.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSText.hpp"

namespace AppKit {

// The bezel a text field shows, with the platform's raw values.
enum class NSTextFieldBezelStyle : unsigned long { squareBezel = 0, roundedBezel = 1 };

// The cell of a text field: its text in the text colour (the placeholder, in a secondary colour,
// while the text is empty), on its background colour when it draws one. While its field is
// edited the window's field editor lies over the cell: select/edit put it there (in the frame
// given, showing the cell's text and font) and endEditing takes it away again.
class NSTextFieldCell : public NSCell {
    VZ_OBJECT(NSTextFieldCell, NSCell)
public:
    using Ptr = std::shared_ptr<NSTextFieldCell>;

    NSColor::Ptr textColor() const { return textColor_; }
    void setTextColor(NSColor::Ptr color);
    NSColor::Ptr backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(NSColor::Ptr color);
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool flag);
    bool isSelectable() const { return selectable_; }
    void setSelectable(bool flag) { selectable_ = flag; }
    NSTextFieldBezelStyle bezelStyle() const { return bezelStyle_; }
    void setBezelStyle(NSTextFieldBezelStyle style);
    virtual std::optional<std::string> placeholderString() const { return placeholder_; }
    virtual void setPlaceholderString(std::optional<std::string> placeholder);
    const std::optional<CoreGraphics::AttributedText>& placeholderAttributedString() const { return placeholderAttributed_; }
    void setPlaceholderAttributedString(std::optional<CoreGraphics::AttributedText> text);

    // Places `editor` over the frame's drawing rectangle in the view, with the cell's text, the range selected,
    // after setUpFieldEditorAttributes; edit does the same with the caret at the end.
    virtual void select(CGRect withFrame, NSView& in, NSText& editor, const std::shared_ptr<Runtime::NSObject>& delegate,
                        long start, long length);
    virtual void edit(CGRect withFrame, NSView& in, NSText& editor, const std::shared_ptr<Runtime::NSObject>& delegate,
                      const NSEvent* event);
    virtual void endEditing(NSText& editor);
    // The editor's font and colours for this cell; returns the editor.
    virtual NSText& setUpFieldEditorAttributes(NSText& editor);
    // On while the field is edited (its text is then the editor's to draw).
    bool showsFirstResponder() const { return showsFirstResponder_; }
    void setShowsFirstResponder(bool flag) { showsFirstResponder_ = flag; updateControlView(); }

    CoreGraphics::AttributedText attributedTitle() const override;
    void drawInterior(CGRect withFrame, NSView& in) override;
    bool acceptsFirstResponder() const override { return isEditable() || selectable_; }

protected:
    NSTextFieldCell() = default;
    void copyValues(const NSCell& from) override;

private:
    NSColor::Ptr textColor_ = NSColor::controlTextColor();
    NSColor::Ptr backgroundColor_;
    bool drawsBackground_ = false;
    bool selectable_ = false;
    NSTextFieldBezelStyle bezelStyle_ = NSTextFieldBezelStyle::squareBezel;
    std::optional<std::string> placeholder_;
    std::optional<CoreGraphics::AttributedText> placeholderAttributed_;
    bool showsFirstResponder_ = false;
};

}  // namespace AppKit
