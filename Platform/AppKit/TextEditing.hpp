#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace AppKit {

// One line of text being edited as the platform's field editor edits it: the text (UTF-8), a
// selection between an anchor and a caret (byte offsets, always on character boundaries; equal
// when nothing is selected), and the keys that type, delete and move.
class TextEditing {
public:
    // The platform's characters for the keys it handles (NSUpArrowFunctionKey...).
    static constexpr char32_t upArrow = 0xF700, downArrow = 0xF701, leftArrow = 0xF702, rightArrow = 0xF703;
    static constexpr char32_t forwardDelete = 0xF728, home = 0xF729, end = 0xF72B;

    explicit TextEditing(std::string text = {}) : text_(std::move(text)), anchor_(text_.size()), caret_(text_.size()) {}

    const std::string& text() const { return text_; }
    // Replaces the text; the caret goes to its end.
    void setText(std::string text);

    std::size_t caret() const { return caret_; }
    std::size_t anchor() const { return anchor_; }
    std::size_t selectionStart() const { return std::min(anchor_, caret_); }
    std::size_t selectionEnd() const { return std::max(anchor_, caret_); }
    bool hasSelection() const { return anchor_ != caret_; }
    std::string selectedText() const { return text_.substr(selectionStart(), selectionEnd() - selectionStart()); }
    // Offsets are clamped to the text and moved back to a character's start.
    void select(std::size_t anchor, std::size_t caret);
    void selectAll() { select(0, text_.size()); }

    // Typing: replaces the selection (or inserts at the caret); control bytes are dropped.
    void insert(std::string_view typed);
    // Backspace and Delete: the selection, else the character before (after) the caret.
    void deleteBackward();
    void deleteForward();
    // Left and Right collapse a selection to its edge; with `extend` (Shift) they move the caret
    // and keep the anchor. Home and End (and Up and Down, on one line) go to the ends.
    void moveLeft(bool extend);
    void moveRight(bool extend);
    void moveToStart(bool extend);
    void moveToEnd(bool extend);

    // A key down as the field editor takes it: `characters` as the event carries them (printable
    // text, 0x7F or 0x08 for Backspace, the function-key characters above), `shift` held. False
    // for keys it leaves to others (Return, Escape, Tab, keys with Command or Control).
    bool handleKey(std::string_view characters, bool shift, bool commandOrControl = false);

private:
    std::size_t previous(std::size_t at) const;
    std::size_t next(std::size_t at) const;
    std::size_t boundary(std::size_t at) const;
    void replaceSelection(std::string_view with);

    std::string text_;
    std::size_t anchor_, caret_;
};

}  // namespace AppKit
