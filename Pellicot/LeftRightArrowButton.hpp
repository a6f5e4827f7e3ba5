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

// A small arrow that points left while the parameter holds `leftValue`, else right; a click flips
// the parameter between 0 and 1.
struct LeftRightArrowButton {
    std::shared_ptr<AudioParameter> param;
    float leftValue;
    SwiftUI::State<bool> isPressed{false};
    CGSize buttonSize{28, 34};

    LeftRightArrowButton(std::shared_ptr<AudioParameter> param, float leftValue) : param(std::move(param)), leftValue(leftValue) {}
    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
