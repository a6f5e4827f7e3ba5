#pragma once
#include "AppKit/NSView.hpp"

namespace Orrindle {

class StyledTextField;

// What the kit's labels share: while a label's cell is of the label's own cell class, its
// alignment insets are its cell style's, and a bezeled label is at least as large as its bezel
// image less those insets; `inherited` otherwise.
AppKit::NSEdgeInsets labelAlignmentRectInsets(const StyledTextField& label, const AppKit::NSEdgeInsets& inherited);
AppKit::CGSize labelIntrinsicContentSize(const StyledTextField& label, AppKit::CGSize inherited);

}  // namespace Orrindle
