#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSFont.hpp"
#include "AppKit/NSView.hpp"
#include "AppKit/TextEditing.hpp"

namespace AppKit {

class NSText;
class NSColor;

// How editing ended, with the platform's raw values.
enum class NSTextMovement : long { other = 0, return_ = 0x10, tab = 0x11, backtab = 0x12, cancel = 0x17 };

// Told of an editor's edits; looked up on the editor's delegate object by type.
class NSTextDelegate {
public:
    virtual ~NSTextDelegate() = default;
    virtual void textDidChange(NSText& text) { (void)text; }
    virtual void textDidEndEditing(NSText& text, NSTextMovement movement) { (void)text, (void)movement; }
};

// A range of the text, in bytes of its UTF-8 (always on character boundaries).
struct NSRange {
    std::size_t location = 0, length = 0;
    friend bool operator==(const NSRange&, const NSRange&) = default;
};

// Editable text on one line; each window keeps one as the field editor that text fields share
// while they are being edited. The keys edit through the shared editing model (TextEditing):
// typing replaces the selection, Backspace and Delete, the arrows (Shift extends), Home and End,
// Command or Control with A, C, X, V and Z (select all, copy, cut, paste through the general
// pasteboard, undo; Shift-Z redoes); Return, Tab, Shift-Tab and Escape end the editing (the
// delegate is told how). A click places the caret (Shift extends the selection to it, a double
// click selects a word) and a drag selects. Every change of the text tells the delegate. The
// line never wraps: it is clipped to the view and scrolls to keep the caret in view, which it
// draws while it is its window's first responder.
class NSText : public NSView {
    VZ_OBJECT(NSText, NSView)
public:
    const std::string& string() const { return edit_.text(); }
    // Replaces the whole text, the caret at its end; the delegate is not told.
    void setString(std::string s);
    bool isFieldEditor() const { return fieldEditor_; }
    void setFieldEditor(bool flag) { fieldEditor_ = flag; }
    bool isEditable() const { return editable_; }
    void setEditable(bool flag) { editable_ = flag; }
    // The object being edited through this editor (weak).
    std::shared_ptr<Runtime::NSObject> editedObject() const { return edited_.lock(); }
    void setEditedObject(const std::shared_ptr<Runtime::NSObject>& object) { edited_ = object; }
    // Held weakly; told through NSTextDelegate when it adopts it.
    std::shared_ptr<Runtime::NSObject> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<Runtime::NSObject>& delegate) { delegate_ = delegate; }

    NSRange selectedRange() const { return {edit_.selectionStart(), edit_.selectionEnd() - edit_.selectionStart()}; }
    // Clamped to the text and moved out of the middle of a character.
    void setSelectedRange(NSRange range);
    void selectAll() { setSelectedRange({0, edit_.text().size()}); }
    // Replaces the selection with `text`, the caret after it, and tells the delegate.
    void insertText(const std::string& text);
    void deleteBackward();
    void copy() const { edit_.copy(); }
    void cut();
    void paste();
    // The typing since the editor was given its text can be undone.
    void undo();
    void redo();
    // How far the line is scrolled left, in points (0 while it fits).
    CGFloat scrollOffset() const;

    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool flag) { drawsBackground_ = flag; setNeedsDisplay(true); }
    std::shared_ptr<NSColor> backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::shared_ptr<NSColor> color) { backgroundColor_ = std::move(color); setNeedsDisplay(true); }
    std::shared_ptr<NSColor> textColor() const { return textColor_; }
    void setTextColor(std::shared_ptr<NSColor> color) { textColor_ = std::move(color); setNeedsDisplay(true); }
    NSFont::Ptr font() const { return font_; }
    void setFont(NSFont::Ptr font) { font_ = std::move(font); setNeedsDisplay(true); }
    // Where the line starts: that far in from the left edge and down from the top (whichever
    // way the view runs), so that it lands where a cell draws its own text. None: at the left
    // edge, centred vertically.
    std::optional<CGSize> textContainerInset() const { return inset_; }
    void setTextContainerInset(std::optional<CGSize> inset) { inset_ = inset; setNeedsDisplay(true); }

    bool acceptsFirstResponder() const override { return editable_; }
    bool resignFirstResponder() override;
    void keyDown(const NSEvent& event) override;
    void mouseDown(const NSEvent& event) override;
    void mouseDragged(const NSEvent& event) override;
    void mouseUp(const NSEvent& event) override;
    void draw(CGRect dirtyRect) override;

protected:
    using NSView::NSView;
    // The colour the selection is painted in (the text's selection attributes).
    virtual std::shared_ptr<NSColor> selectionColor() const;
    virtual std::shared_ptr<NSColor> caretColor() const;
    // Ends the editing for `movement`: the delegate is told.
    void end(NSTextMovement movement);

private:
    void changed();
    // After an edit or a move: the delegate hears of a changed text, and the caret stays in view.
    void edited(const std::string& before);
    template <class Change> void apply(Change&& change) {
        const std::string before = edit_.text();
        change();
        edited(before);
    }
    TextEditing::Measure measure() const;
    // The line's left edge in the view and the room it has up to the right edge.
    CGFloat lineLeft() const;
    CGFloat lineWidth() const;
    // The event's point in points from the line's left edge.
    CGFloat lineX(const NSEvent& event) const;
    TextEditing edit_;
    bool fieldEditor_ = false;
    bool editable_ = true;
    bool drawsBackground_ = true;
    bool ending_ = false;
    std::shared_ptr<NSColor> backgroundColor_, textColor_;
    NSFont::Ptr font_ = NSFont::systemFont(NSFont::systemFontSize());
    std::optional<CGSize> inset_;
    std::weak_ptr<Runtime::NSObject> edited_, delegate_;
};

}  // namespace AppKit
