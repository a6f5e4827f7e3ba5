#include "Pellicot/ChaosToggleButtonNarrow.hpp"

#include "Pellicot/ButtonPress.hpp"
#include "Pellicot/KitColor.hpp"
#include "Pellicot/KitImage.hpp"

namespace Pellicot {

SwiftUI::AnyView ChaosToggleButtonNarrow::body() const {
    using namespace ButtonPress;
    const bool on = param->value() == 1.0f, down = isPressed.get();
    const auto& image = on ? (down ? KitImage::chaosButtonNarrowGreyOnYellowDown() : KitImage::chaosButtonNarrowGreyOnYellow())
                           : (down ? KitImage::chaosButtonNarrowGreyOffDown() : KitImage::chaosButtonNarrowGreyOff());
    std::optional<Title> title;
    if (buttonText)
        title = Title{*buttonText, PelliFont::dosisMedium, 13, -2,
                      SwiftUI::Color(down ? KitColor::chaosToggleTextPressed() : KitColor::chaosToggleText()),
                      ModifierOrder::offsetThenColor};
    return toggle(picture(image, buttonSize, title), isPressed, param, buttonSize,
                  [](float current) { return current == 0 ? 1.0f : 0.0f; });
}

}  // namespace Pellicot
