#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Pellicot/AudioParameter.hpp"
#include "Pellicot/ButtonColors.hpp"
#include "Pellicot/KitGeometry.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Image.hpp"
#include "SwiftUI/Resources.hpp"
#include "SwiftUI/State.hpp"
#include "SwiftUI/View.hpp"

namespace Pellicot {

// Selects one value of an indexed parameter; lit while the parameter holds it. Titled with
// that value's name.
struct ChaosToggleButton {
    std::shared_ptr<AudioParameter> param;
    int valueIndex;
    ChaosButtonColor color;
    SwiftUI::State<bool> isPressed{false};
    CGSize buttonSize{48, 56};

    ChaosToggleButton(std::shared_ptr<AudioParameter> param, int valueIndex, ChaosButtonColor buttonColor)
        : param(std::move(param)), valueIndex(valueIndex), color(buttonColor) {}
    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
