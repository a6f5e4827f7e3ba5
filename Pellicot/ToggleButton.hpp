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

// An on/off switch of a parameter (on at exactly 1) on the modern bezel, titled with the
// parameter's name; a click flips it between 0 and 1.
struct ToggleButton {
    std::shared_ptr<AudioParameter> param;
    std::optional<std::string> nameOverride;
    CGFloat buttonFontSize;
    SwiftUI::Color buttonTextColor;
    CGSize buttonSize{88, 27};
    SwiftUI::State<bool> isPressed{false};

    ToggleButton(std::shared_ptr<AudioParameter> param, SwiftUI::Color buttonTextColor, std::optional<std::string> nameOverride,
                 CGFloat buttonFontSize)
        : param(std::move(param)), nameOverride(std::move(nameOverride)), buttonFontSize(buttonFontSize),
          buttonTextColor(std::move(buttonTextColor)) {}
    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
