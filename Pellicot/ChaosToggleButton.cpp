#include "Pellicot/ChaosToggleButton.hpp"

#include "Pellicot/ButtonPress.hpp"
#include "Pellicot/KitColor.hpp"
#include "Pellicot/KitImage.hpp"

namespace Pellicot {

SwiftUI::AnyView ChaosToggleButton::body() const {
    using namespace ButtonPress;
    const bool on = isIndexOn(param->value(), valueIndex), down = isPressed.get();
    const auto& image = on ? (down ? KitImage::chaosButtonGreyOnYellowDown() : KitImage::chaosButtonGreyOnYellow())
                           : (down ? KitImage::chaosButtonGreyOffDown() : KitImage::chaosButtonGreyOff());
    const auto& color = down ? KitColor::chaosToggleTextPressed() : KitColor::chaosToggleText();
    auto look = picture(image, buttonSize,
                        Title{valueTitle(*param, valueIndex), PelliFont::dosisMedium, 13, -6, SwiftUI::Color(color),
                              ModifierOrder::offsetThenColor});
    const float index = static_cast<float>(valueIndex);
    return toggle(look, isPressed, param, buttonSize, [index](float) { return index; });
}

}  // namespace Pellicot
