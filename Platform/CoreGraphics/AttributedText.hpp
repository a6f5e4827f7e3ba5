#pragma once
#include <optional>
#include <string>
#include <vector>

#include "CoreGraphics/Color.hpp"
#include "CoreGraphics/Font.hpp"

namespace CoreGraphics {

enum class TextAlignment { left, center, right, justified, natural };
enum class LineBreakMode { byWordWrapping, byCharWrapping, byClipping, byTruncatingHead, byTruncatingTail, byTruncatingMiddle };

struct ParagraphStyle {
    TextAlignment alignment = TextAlignment::natural;  // natural = left here
    LineBreakMode lineBreakMode = LineBreakMode::byWordWrapping;
    friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

// A piece of text in one font and colour (UTF-8).
struct TextRun {
    std::string text;
    Font font;
    CGColor color = CGColor::black();
    std::optional<CGColor> background;
    friend bool operator==(const TextRun&, const TextRun&) = default;
};

// Runs of text with one paragraph style.
struct AttributedText {
    std::vector<TextRun> runs;
    ParagraphStyle paragraph;

    AttributedText() = default;
    AttributedText(std::string text, Font font, CGColor color = CGColor::black(), ParagraphStyle p = {})
        : runs{TextRun{std::move(text), std::move(font), color, std::nullopt}}, paragraph(p) {}
    AttributedText& append(TextRun run) { runs.push_back(std::move(run)); return *this; }
    std::string string() const {
        std::string s;
        for (auto& r : runs) s += r.text;
        return s;
    }
    bool isEmpty() const { return string().empty(); }
    friend bool operator==(const AttributedText&, const AttributedText&) = default;
};

}  // namespace CoreGraphics
