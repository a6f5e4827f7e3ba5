#pragma once
#include "SwiftUI/VariadicView.hpp"

namespace Orrindle {

// The root under a settings section's controls: each control on a line of its own, at the
// leading edge of a row as wide as the column (the control, then a spacer).
struct FillEachChildLeading {
    SwiftUI::AnyView body(const SwiftUI::VariadicView::Children& children) const;
};

}  // namespace Orrindle
