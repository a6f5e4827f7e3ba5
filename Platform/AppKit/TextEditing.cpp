#include "AppKit/TextEditing.hpp"

#include <algorithm>
#include <cctype>

#include "AppKit/NSPasteboard.hpp"

namespace AppKit {

namespace {

bool continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The one character `s` holds, or 0 when it holds more or less than one.
char32_t single(std::string_view s) {
    if (s.empty()) return 0;
    const auto b = [&](std::size_t i) { return char32_t(static_cast<unsigned char>(s[i])); };
    if (s.size() == 1) return b(0);
    if (s.size() == 2 && (b(0) & 0xE0) == 0xC0) return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
    if (s.size() == 3 && (b(0) & 0xF0) == 0xE0) return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
    return 0;
}

// Letters and digits (any character beyond ASCII counts as a letter) run together into a word.
bool wordByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x80 || std::isalnum(b) || c == '_';
}

}  // namespace

void TextEditing::setText(std::string text) {
    text_ = std::move(text);
    anchor_ = caret_ = text_.size();
    scroll_ = 0;
    forgetUndo();
}

std::size_t TextEditing::boundary(std::size_t at) const {
    at = std::min(at, text_.size());
    while (at > 0 && at < text_.size() && continuation(text_[at])) --at;
    return at;
}

std::size_t TextEditing::previous(std::size_t at) const {
    if (at == 0) return 0;
    --at;
    while (at > 0 && continuation(text_[at])) --at;
    return at;
}

std::size_t TextEditing::next(std::size_t at) const {
    if (at >= text_.size()) return text_.size();
    ++at;
    while (at < text_.size() && continuation(text_[at])) ++at;
    return at;
}

void TextEditing::select(std::size_t anchor, std::size_t caret) {
    anchor_ = boundary(anchor);
    caret_ = boundary(caret);
    run_ = Step::none;
}

void TextEditing::selectWord(std::size_t at) {
    if (text_.empty()) return select(0, 0);
    at = boundary(at);
    if (at == text_.size()) at = previous(at);
    const auto kind = [&](std::size_t i) { return wordByte(text_[i]) ? 1 : text_[i] == ' ' ? 2 : 0; };
    const int k = kind(at);
    std::size_t from = at, to = next(at);
    if (k != 0) {
        while (from > 0 && kind(previous(from)) == k) from = previous(from);
        while (to < text_.size() && kind(to) == k) to = next(to);
    }
    select(from, to);
}

void TextEditing::record(Step kind) {
    if (kind == Step::none || kind != run_) undo_.push_back({text_, anchor_, caret_});
    redo_.clear();
    run_ = kind;
}

void TextEditing::restore(const State& state) {
    text_ = state.text;
    anchor_ = state.anchor;
    caret_ = state.caret;
    run_ = Step::none;
}

void TextEditing::replaceSelection(std::string_view with) {
    const std::size_t start = selectionStart();
    text_.replace(start, selectionEnd() - start, with);
    anchor_ = caret_ = start + with.size();
}

void TextEditing::undo() {
    if (undo_.empty()) return;
    redo_.push_back({text_, anchor_, caret_});
    restore(undo_.back());
    undo_.pop_back();
}

void TextEditing::redo() {
    if (redo_.empty()) return;
    undo_.push_back({text_, anchor_, caret_});
    restore(redo_.back());
    redo_.pop_back();
}

void TextEditing::forgetUndo() {
    undo_.clear();
    redo_.clear();
    run_ = Step::none;
}

void TextEditing::insert(std::string_view typed) { insert(typed, Step::typing); }

void TextEditing::insert(std::string_view typed, Step step) {
    std::string clean;
    for (char c : typed)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) clean += c;
    // The platform's private-use function-key characters are keys, not text.
    for (std::size_t i = 0; i + 2 < clean.size();) {
        if (static_cast<unsigned char>(clean[i]) == 0xEF && (static_cast<unsigned char>(clean[i + 1]) & 0xFC) == 0x9C)
            clean.erase(i, 3);
        else
            ++i;
    }
    if (clean.empty() && !hasSelection()) return;
    record(step);
    replaceSelection(clean);
}

void TextEditing::deleteBackward() {
    if (!hasSelection() && caret_ == 0) return;
    record(Step::deletingBackward);
    if (!hasSelection()) anchor_ = previous(caret_);
    replaceSelection({});
}

void TextEditing::deleteForward() {
    if (!hasSelection() && caret_ == text_.size()) return;
    record(Step::deletingForward);
    if (!hasSelection()) anchor_ = next(caret_);
    replaceSelection({});
}

void TextEditing::moveLeft(bool extend) {
    if (extend) caret_ = previous(caret_);
    else anchor_ = caret_ = hasSelection() ? selectionStart() : previous(caret_);
    run_ = Step::none;
}

void TextEditing::moveRight(bool extend) {
    if (extend) caret_ = next(caret_);
    else anchor_ = caret_ = hasSelection() ? selectionEnd() : next(caret_);
    run_ = Step::none;
}

void TextEditing::moveToStart(bool extend) {
    caret_ = 0;
    if (!extend) anchor_ = 0;
    run_ = Step::none;
}

void TextEditing::moveToEnd(bool extend) {
    caret_ = text_.size();
    if (!extend) anchor_ = caret_;
    run_ = Step::none;
}

void TextEditing::copy() const {
    if (!hasSelection()) return;
    auto& pasteboard = NSPasteboard::general();
    pasteboard.clearContents();
    pasteboard.setString(selectedText());
}

void TextEditing::cut() {
    if (!hasSelection()) return;
    copy();
    record(Step::none);
    replaceSelection({});
}

void TextEditing::paste() {
    if (auto text = NSPasteboard::general().stringForType()) insert(*text, Step::none);
}

bool TextEditing::handleKey(std::string_view characters, bool shift, bool commandOrControl) {
    const char32_t c = single(characters);
    if (commandOrControl) {
        switch (c) {
        case 'a': case 'A': selectAll(); return true;
        case 'c': case 'C': copy(); return true;
        case 'x': case 'X': cut(); return true;
        case 'v': case 'V': paste(); return true;
        case 'z': case 'Z': shift ? redo() : undo(); return true;
        default: break;
        }
    }
    switch (c) {
    case 0x7F: case 0x08: deleteBackward(); return true;
    case forwardDelete: deleteForward(); return true;
    case leftArrow: moveLeft(shift); return true;
    case rightArrow: moveRight(shift); return true;
    case upArrow: case home: moveToStart(shift); return true;
    case downArrow: case end: moveToEnd(shift); return true;
    default: break;
    }
    if (commandOrControl || characters.empty()) return false;
    if (c != 0 && (c < 0x20 || (c >= 0xF700 && c <= 0xF8FF))) return false;
    insert(characters);
    return true;
}

double TextEditing::lineStart(const Measure& widthOf, double width, double alignment) const {
    const double room = std::max(0.0, width - caretWidth), total = widthOf(text_.size());
    if (total <= room) return (room - total) * std::clamp(alignment, 0.0, 1.0);
    const double caretX = widthOf(caret_);
    const double scroll = std::clamp(std::clamp(scroll_, caretX - room, caretX), 0.0, total - room);
    return -scroll;
}

void TextEditing::scrollToCaret(const Measure& widthOf, double width, double alignment) {
    scroll_ = std::max(0.0, -lineStart(widthOf, width, alignment));
}

std::size_t TextEditing::offsetAt(double x, const Measure& widthOf, double width, double alignment) const {
    const double at = x - lineStart(widthOf, width, alignment);
    // The widths grow with the offset: the first boundary at or past `at`, or the one before it.
    std::size_t before = 0;
    double beforeWidth = 0;
    for (std::size_t i = 0;; i = next(i)) {
        const double w = i == 0 ? 0 : widthOf(i);
        if (w >= at) return i > 0 && at - beforeWidth < w - at ? before : i;
        if (i >= text_.size()) return i;
        before = i;
        beforeWidth = w;
    }
}

std::size_t TextEditing::characterAt(double x, const Measure& widthOf, double width, double alignment) const {
    const double at = x - lineStart(widthOf, width, alignment);
    for (std::size_t i = 0; i < text_.size(); i = next(i))
        if (widthOf(next(i)) > at) return i;
    return text_.size();
}

void TextEditing::click(double x, int clickCount, bool extend, const Measure& widthOf, double width, double alignment) {
    if (clickCount >= 3) return selectAll();
    if (clickCount == 2) return selectWord(characterAt(x, widthOf, width, alignment));
    const std::size_t at = offsetAt(x, widthOf, width, alignment);
    select(extend ? anchor_ : at, at);
}

void TextEditing::drag(double x, const Measure& widthOf, double width, double alignment) {
    select(anchor_, offsetAt(x, widthOf, width, alignment));
}

}  // namespace AppKit
