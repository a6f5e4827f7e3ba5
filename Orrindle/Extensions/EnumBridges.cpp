#include "Orrindle/Extensions/EnumBridges.hpp"

#include <string>

#include "Runtime/FatalError.hpp"

namespace Orrindle {

SwiftUI::ControlSize swiftUIControlSize(AppKit::NSControlSize size) {
    using A = AppKit::NSControlSize;
    using S = SwiftUI::ControlSize;
    switch (size) {
    case A::regular: return S::regular;
    case A::small: return S::small;
    case A::mini: return S::mini;
    case A::large:
    case A::extraLarge: return S::large;
    }
    Runtime::fatalError("Unhandled control size: " + std::to_string(static_cast<unsigned long>(size)));
}

AppKit::NSControlSize nsControlSize(SwiftUI::ControlSize size) {
    using A = AppKit::NSControlSize;
    using S = SwiftUI::ControlSize;
    switch (size) {
    case S::mini: return A::mini;
    case S::small: return A::small;
    case S::regular: return A::regular;
    case S::large:
    case S::extraLarge: return A::large;
    }
    Runtime::fatalError("Unhandled control size: " + std::to_string(static_cast<int>(size)));
}

AppKit::NSTextAlignment nsTextAlignment(SwiftUI::TextAlignment alignment) {
    switch (alignment) {
    case SwiftUI::TextAlignment::leading: return AppKit::NSTextAlignment::left;
    case SwiftUI::TextAlignment::center: return AppKit::NSTextAlignment::center;
    case SwiftUI::TextAlignment::trailing: return AppKit::NSTextAlignment::right;
    }
    Runtime::fatalError("Unknown text alignment");
}

AppKit::NSLineBreakMode nsLineBreakMode(SwiftUI::TruncationMode mode) {
    switch (mode) {
    case SwiftUI::TruncationMode::head: return AppKit::NSLineBreakMode::byTruncatingHead;
    case SwiftUI::TruncationMode::tail: return AppKit::NSLineBreakMode::byTruncatingTail;
    case SwiftUI::TruncationMode::middle: return AppKit::NSLineBreakMode::byTruncatingMiddle;
    }
    Runtime::fatalError("Unknown truncation mode");
}

}  // namespace Orrindle
