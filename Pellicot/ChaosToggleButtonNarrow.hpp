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

// A narrow on/off switch of a parameter (on at exactly 1); a click flips it between 0 and 1.
struct ChaosToggleButtonNarrow {
    std::shared_ptr<AudioParameter> param;
    std::optional<std::string> buttonText;
    SwiftUI::State<bool> isPressed{false};
    CGSize buttonSize{24, 62};

    ChaosToggleButtonNarrow(std::shared_ptr<AudioParameter> param, std::optional<std::string> title)
        : param(std::move(param)), buttonText(std::move(title)) {}
    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
