#include "Pellicot/ToggleButton.hpp"

#include "Foundation/Strings.hpp"
#include "Pellicot/ButtonPress.hpp"
#include "Pellicot/KitColor.hpp"
#include "Pellicot/KitImage.hpp"

namespace Pellicot {

SwiftUI::AnyView ToggleButton::body() const {
    using namespace ButtonPress;
    const bool on = param->value() == 1.0f, down = isPressed.get();
    const auto& image = on ? (down ? KitImage::modernButtonOnDown() : KitImage::modernButtonOn())
                           : (down ? KitImage::modernButtonDown() : KitImage::modernButton());
    auto look = picture(image, buttonSize,
                        Title{nameOverride.value_or(Foundation::uppercased(param->name())), PelliFont::rocket, buttonFontSize, 2,
                              on ? buttonTextColor : SwiftUI::Color(KitColor::buttonText()), ModifierOrder::colorThenOffset});
    return toggle(look, isPressed, param, buttonSize, [](float current) { return current == 0 ? 1.0f : 0.0f; });
}

}  // namespace Pellicot
