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

// Selects one value of an indexed parameter, in the modern or the retro look; the title takes
// `buttonTextColor` while the parameter holds the value.
struct ModeToggleButton {
    std::shared_ptr<AudioParameter> param;
    int valueIndex;
    ToggleButtonStyle buttonStyle;
    CGFloat buttonFontSize;
    SwiftUI::Color buttonTextColor;
    CGSize buttonSize{88, 27};
    SwiftUI::State<bool> isPressed{false};

    ModeToggleButton(std::shared_ptr<AudioParameter> param, int valueIndex, SwiftUI::Color textColor,
                     ToggleButtonStyle buttonStyle, CGFloat buttonFontSize)
        : param(std::move(param)), valueIndex(valueIndex), buttonStyle(buttonStyle), buttonFontSize(buttonFontSize),
          buttonTextColor(std::move(textColor)) {}
    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
