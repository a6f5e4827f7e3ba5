#pragma once
#include "AppKit/NSCell.hpp"
#include "AppKit/NSParagraphStyle.hpp"
#include "SwiftUI/Environment.hpp"

// The same choices on both sides of AppKit and SwiftUI. A value outside the known cases (one a
// later platform adds) is a programming error and stops the program with its value.
namespace Orrindle {

// Extra large has no SwiftUI twin here: it becomes large.
SwiftUI::ControlSize swiftUIControlSize(AppKit::NSControlSize size);
AppKit::NSControlSize nsControlSize(SwiftUI::ControlSize size);
AppKit::NSTextAlignment nsTextAlignment(SwiftUI::TextAlignment alignment);
AppKit::NSLineBreakMode nsLineBreakMode(SwiftUI::TruncationMode mode);

}  // namespace Orrindle
