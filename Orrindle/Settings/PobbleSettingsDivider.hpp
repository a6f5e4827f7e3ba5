#pragma once
#include "SwiftUI/View.hpp"

namespace Orrindle {

// A separator row of a settings form: a line inset 16 points from both sides, 8 points of
// room above and below it.
struct PobbleSettingsDivider : SwiftUI::View<PobbleSettingsDivider> {
    SwiftUI::AnyView body() const;
};

}  // namespace Orrindle
