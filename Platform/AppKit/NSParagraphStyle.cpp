#include "AppKit/NSParagraphStyle.hpp"

namespace AppKit {

CoreGraphics::TextAlignment textAlignment(NSTextAlignment alignment) {
    using CoreGraphics::TextAlignment;
    switch (alignment) {
        case NSTextAlignment::left: return TextAlignment::left;
        case NSTextAlignment::right: return TextAlignment::right;
        case NSTextAlignment::center: return TextAlignment::center;
        case NSTextAlignment::justified: return TextAlignment::justified;
        case NSTextAlignment::natural: break;
    }
    return TextAlignment::natural;
}

CoreGraphics::LineBreakMode lineBreakMode(NSLineBreakMode mode) {
    using CoreGraphics::LineBreakMode;
    switch (mode) {
        case NSLineBreakMode::byCharWrapping: return LineBreakMode::byCharWrapping;
        case NSLineBreakMode::byClipping: return LineBreakMode::byClipping;
        case NSLineBreakMode::byTruncatingHead: return LineBreakMode::byTruncatingHead;
        case NSLineBreakMode::byTruncatingTail: return LineBreakMode::byTruncatingTail;
        case NSLineBreakMode::byTruncatingMiddle: return LineBreakMode::byTruncatingMiddle;
        case NSLineBreakMode::byWordWrapping: break;
    }
    return LineBreakMode::byWordWrapping;
}

}  // namespace AppKit
