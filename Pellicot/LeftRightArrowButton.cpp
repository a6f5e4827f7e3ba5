#include "Pellicot/LeftRightArrowButton.hpp"

#include "Pellicot/ButtonPress.hpp"
#include "Pellicot/KitImage.hpp"

namespace Pellicot {

SwiftUI::AnyView LeftRightArrowButton::body() const {
    using namespace ButtonPress;
    const bool left = param->value() == leftValue, down = isPressed.get();
    const auto& image = left ? (down ? KitImage::chaosButtonSmallYellowLeftDown() : KitImage::chaosButtonSmallYellowLeft())
                             : (down ? KitImage::chaosButtonSmallYellowRightDown() : KitImage::chaosButtonSmallYellowRight());
    return toggle(picture(image, buttonSize, std::nullopt), isPressed, param, buttonSize,
                  [](float current) { return current == 0 ? 1.0f : 0.0f; });
}

}  // namespace Pellicot
