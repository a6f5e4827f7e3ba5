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

// A push button drawn with two images; `onPressed` hears whether Option was held at the release.
struct ImageButton {
    SwiftUI::Image image;
    SwiftUI::Image downImage;
    SwiftUI::State<bool> isPressed{false};
    std::function<void(bool optionHeld)> onPressed;
    CGSize buttonSize{48, 56};

    ImageButton(SwiftUI::Image image, SwiftUI::Image downImage, std::function<void(bool)> onPressed = {})
        : image(std::move(image)), downImage(std::move(downImage)), onPressed(std::move(onPressed)) {}
    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
