#include "Pellicot/ChaosButton.hpp"

#include "Pellicot/ButtonPress.hpp"
#include "Pellicot/KitColor.hpp"
#include "Pellicot/KitImage.hpp"

namespace Pellicot {

SwiftUI::AnyView ChaosButton::body() const {
    using namespace ButtonPress;
    const auto& image = isPressed.get() ? KitImage::chaosButtonYellowDown() : KitImage::chaosButtonYellow();
    auto look = picture(image, buttonSize,
                        Title{buttonText, PelliFont::dosisMedium, 13, -4, SwiftUI::Color(KitColor::chaosYellowText()),
                              ModifierOrder::offsetThenColor});
    return momentary(look, isPressed, buttonSize, onPressed);
}

}  // namespace Pellicot
