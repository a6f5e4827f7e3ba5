#include "Pellicot/ModeToggleButton.hpp"

#include "Pellicot/ButtonPress.hpp"
#include "Pellicot/KitColor.hpp"
#include "Pellicot/KitImage.hpp"

namespace Pellicot {

namespace {
const SwiftUI::ImageResource& bezel(ToggleButtonStyle look, bool on, bool down) {
    if (look == ToggleButtonStyle::retro) {
        // The retro look has no on bezel of its own at rest, and an off press keeps its face.
        if (down) return on ? KitImage::retroButtonDown() : KitImage::retroButton();
        return on ? KitImage::modernButtonOn() : KitImage::retroButton();
    }
    if (down) return on ? KitImage::modernButtonOnDown() : KitImage::modernButtonDown();
    return on ? KitImage::modernButtonOn() : KitImage::modernButton();
}
}  // namespace

SwiftUI::AnyView ModeToggleButton::body() const {
    using namespace ButtonPress;
    const bool on = isIndexOn(param->value(), valueIndex);
    const SwiftUI::Color off(buttonStyle == ToggleButtonStyle::retro ? KitColor::background() : KitColor::buttonText());
    auto look = picture(bezel(buttonStyle, on, isPressed.get()), buttonSize,
                        Title{valueTitle(*param, valueIndex), PelliFont::rocket, buttonFontSize, 2, on ? buttonTextColor : off,
                              ModifierOrder::colorThenOffset});
    const float index = static_cast<float>(valueIndex);
    return toggle(look, isPressed, param, buttonSize, [index](float) { return index; });
}

}  // namespace Pellicot
