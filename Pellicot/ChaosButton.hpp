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

// A yellow push button with a title; `onPressed` runs on a release inside it.
struct ChaosButton {
    ChaosButtonColor color;
    std::string buttonText;
    SwiftUI::State<bool> isPressed{false};
    std::function<void()> onPressed;
    CGSize buttonSize{48, 56};

    ChaosButton(std::string title, ChaosButtonColor buttonColor, std::function<void()> onPressed = {})
        : color(buttonColor), buttonText(std::move(title)), onPressed(std::move(onPressed)) {}
    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
