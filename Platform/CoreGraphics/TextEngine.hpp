#pragma once
// Internal to the library: the one place text is laid out, for measuring and drawing alike.
#include <cstddef>
#include <mutex>

#include <pango/pangocairo.h>

#include "CoreGraphics/AttributedText.hpp"

namespace CoreGraphics {

class TextEngine {
public:
    // Every use of pango goes through this lock (its font map is not thread-safe).
    static std::recursive_mutex& lock();
    // A new layout of the text for a box `width` wide (<= 0: unbounded). Caller unrefs.
    static PangoLayout* makeLayout(const AttributedText& text, double width);
    // The same, shared with the recent requests for this very text (colours included) and
    // width, so that drawing a frame again shapes nothing. Not to be changed; caller unrefs.
    static PangoLayout* sharedLayout(const AttributedText& text, double width);
    // How far right a layout without a set width sits in a box of `boxWidth` (its alignment,
    // for text that is clipped rather than wrapped).
    static double alignmentOffset(PangoLayout* layout, const AttributedText& text, double boxWidth);
    // The same from a layout's set width (layoutWidth) and the logical width it measured.
    static double alignmentOffset(TextAlignment alignment, int layoutWidth, double logicalWidth, double boxWidth);
    // Describes the face a font request resolves to. Caller frees.
    static PangoFontDescription* describe(const Font& font);
    // A request for a layout: the text and the width its layout is given (layoutWidth). The
    // hash leaves colours out (texts differing only in colour share a bucket); equality
    // compares them.
    struct LayoutKey {
        AttributedText text;
        int layoutWidth;
        friend bool operator==(const LayoutKey&, const LayoutKey&) = default;
    };
    struct LayoutKeyHash {
        std::size_t operator()(const LayoutKey& key) const;
    };

    // After fonts were added to fontconfig.
    static void fontsChanged();
    // Counts fontsChanged() calls: what was measured under an older count may have changed.
    static unsigned long fontGeneration();
    // The width a layout is given for a box `width` wide (-1: none), as makeLayout sets it.
    static int layoutWidth(const AttributedText& text, double width);

private:
    static PangoFontDescription* describeFace(const Font& font);
};

}  // namespace CoreGraphics
