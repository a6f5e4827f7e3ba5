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

// Holds a parameter at 1 while pressed and puts it back to 0 on release, wherever that is. The
// picture follows the parameter's value.
struct ParameterHoldButton {
    std::shared_ptr<AudioParameter> param;
    SwiftUI::ImageResource image;
    SwiftUI::ImageResource pressedImage;
    SwiftUI::State<bool> isGestureActive{false};

    ParameterHoldButton(std::shared_ptr<AudioParameter> param, SwiftUI::ImageResource image, SwiftUI::ImageResource pressedImage)
        : param(std::move(param)), image(std::move(image)), pressedImage(std::move(pressedImage)) {}
    SwiftUI::AnyView body() const;
};

}  // namespace Pellicot
