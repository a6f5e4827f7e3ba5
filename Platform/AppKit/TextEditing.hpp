#pragma once
#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace AppKit {

// One line of text being edited as the platform's field editor edits it: the text (UTF-8), a
// selection between an anchor and a caret (byte offsets, always on character boundaries; equal
// when nothing is selected), the keys that type, delete and move, copy, cut and paste through
// the general pasteboard, the undo of what was typed, and the line's place in a field it may
// be wider than (the line never wraps: it scrolls to keep the caret in view).
class TextEditing {
public:
    // The platform's characters for the keys it handles (NSUpArrowFunctionKey...).
    static constexpr char32_t upArrow = 0xF700, downArrow = 0xF701, leftArrow = 0xF702, rightArrow = 0xF703;
    static constexpr char32_t forwardDelete = 0xF728, home = 0xF729, end = 0xF72B;
    // The caret's width in points; a field keeps room for it after the text's end.
    static constexpr double caretWidth = 1;
    // How far the caret after the last character keeps from that character's ink.
    static constexpr double caretClearance = 0.5;

    explicit TextEditing(std::string text = {}) : text_(std::move(text)), anchor_(text_.size()), caret_(text_.size()) {}

    const std::string& text() const { return text_; }
    // Replaces the text; the caret goes to its end and the undo history is forgotten.
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
    // The word of the character at `at` (a double click; past the end, the last character's): a
    // run of letters and digits, a run of spaces, or that one other character.
    void selectWord(std::size_t at);

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

    // The general pasteboard: copy puts the selection on it (nothing selected: it stays as it
    // was), cut also removes it, paste types the pasteboard's text over the selection.
    void copy() const;
    void cut();
    void paste();

    // Each typing run, deletion run, cut and paste is one step to undo (the selection comes back
    // with the text); moving the caret ends a run. Undone steps can be redone until the next edit.
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    void undo();
    void redo();
    // What was typed before can no longer be undone (the field took the focus).
    void forgetUndo();

    // A key down as the field editor takes it: `characters` as the event carries them (printable
    // text, 0x7F or 0x08 for Backspace, the function-key characters above), `shift` held. With
    // Command or Control: A selects all, C copies, X cuts, V pastes, Z undoes (with Shift,
    // redoes). False for keys it leaves to others (Return, Escape, Tab, other command keys).
    bool handleKey(std::string_view characters, bool shift, bool commandOrControl = false);

    // ---- The line in its field ----
    // How wide the text's first `bytes` bytes are drawn, in points.
    using Measure = std::function<double(std::size_t bytes)>;
    // Where the line starts, in points from the left edge of a field `width` wide: a text that
    // fits (with the caret after it) sits where `alignment` puts it (0 left, 0.5 centred, 1 right);
    // a longer one is scrolled (a start at or left of 0) just far enough to show the caret,
    // moving no more than it must since the last scrollToCaret, and never showing empty room
    // after its end.
    double lineStart(const Measure& widthOf, double width, double alignment = 0) const;
    // Keeps the line where lineStart puts it now, for the next move of the caret.
    void scrollToCaret(const Measure& widthOf, double width, double alignment = 0);
    // The character boundary nearest to `x` (points from the field's left edge) on that line,
    // where a click puts the caret.
    std::size_t offsetAt(double x, const Measure& widthOf, double width, double alignment = 0) const;
    // The character under `x`, by its first byte (the text's size past its end), whose word a
    // double click selects.
    std::size_t characterAt(double x, const Measure& widthOf, double width, double alignment = 0) const;
    // A press at `x`: the caret goes to the nearest boundary (with `extend`, Shift, the selection
    // stretches there from its anchor), a double click selects the word under it, a triple click
    // all of it. A drag moves the caret to the boundary nearest `x` and keeps the anchor.
    void click(double x, int clickCount, bool extend, const Measure& widthOf, double width, double alignment = 0);
    void drag(double x, const Measure& widthOf, double width, double alignment = 0);

private:
    enum class Step { none, typing, deletingBackward, deletingForward };
    struct State {
        std::string text;
        std::size_t anchor, caret;
    };
    std::size_t previous(std::size_t at) const;
    std::size_t next(std::size_t at) const;
    std::size_t boundary(std::size_t at) const;
    void replaceSelection(std::string_view with);
    void insert(std::string_view typed, Step step);
    // Before a change of `kind`: a new undo step unless it goes on the run before it.
    void record(Step kind);
    void restore(const State& state);

    std::string text_;
    std::size_t anchor_, caret_;
    std::vector<State> undo_, redo_;
    Step run_ = Step::none;
    double scroll_ = 0;  // points of the line hidden left of the field
};

}  // namespace AppKit
