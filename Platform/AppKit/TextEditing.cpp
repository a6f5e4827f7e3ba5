#include "AppKit/TextEditing.hpp"

#include <algorithm>

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

}  // namespace

void TextEditing::setText(std::string text) {
    text_ = std::move(text);
    anchor_ = caret_ = text_.size();
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
}

void TextEditing::replaceSelection(std::string_view with) {
    const std::size_t start = selectionStart();
    text_.replace(start, selectionEnd() - start, with);
    anchor_ = caret_ = start + with.size();
}

void TextEditing::insert(std::string_view typed) {
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
    replaceSelection(clean);
}

void TextEditing::deleteBackward() {
    if (!hasSelection()) anchor_ = previous(caret_);
    replaceSelection({});
}

void TextEditing::deleteForward() {
    if (!hasSelection()) anchor_ = next(caret_);
    replaceSelection({});
}

void TextEditing::moveLeft(bool extend) {
    if (extend) caret_ = previous(caret_);
    else anchor_ = caret_ = hasSelection() ? selectionStart() : previous(caret_);
}

void TextEditing::moveRight(bool extend) {
    if (extend) caret_ = next(caret_);
    else anchor_ = caret_ = hasSelection() ? selectionEnd() : next(caret_);
}

void TextEditing::moveToStart(bool extend) {
    caret_ = 0;
    if (!extend) anchor_ = 0;
}

void TextEditing::moveToEnd(bool extend) {
    caret_ = text_.size();
    if (!extend) anchor_ = caret_;
}

bool TextEditing::handleKey(std::string_view characters, bool shift, bool commandOrControl) {
    const char32_t c = single(characters);
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

}  // namespace AppKit
