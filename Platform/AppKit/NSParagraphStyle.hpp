#pragma once
#include "CoreGraphics/AttributedText.hpp"

namespace AppKit {

// Text alignment, with the platform's raw values.
enum class NSTextAlignment : long { left = 0, right = 1, center = 2, justified = 3, natural = 4 };

// How a line that does not fit is broken or shortened, with the platform's raw values.
enum class NSLineBreakMode : unsigned long {
    byWordWrapping = 0,
    byCharWrapping = 1,
    byClipping = 2,
    byTruncatingHead = 3,
    byTruncatingTail = 4,
    byTruncatingMiddle = 5,
};

// The same choices for the text layout that draws them.
CoreGraphics::TextAlignment textAlignment(NSTextAlignment alignment);
CoreGraphics::LineBreakMode lineBreakMode(NSLineBreakMode mode);

}  // namespace AppKit
