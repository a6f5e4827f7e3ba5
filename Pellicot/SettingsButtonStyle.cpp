#include "Pellicot/SettingsButtonStyle.hpp"

#include "Pellicot/KitColor.hpp"
#include "Pellicot/KitImage.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Image.hpp"
#include "SwiftUI/Stacks.hpp"

namespace Pellicot {

SwiftUI::AnyView SettingsButtonStyle::makeBody(const Configuration& configuration) const {
    using namespace SwiftUI;
    const auto& image = configuration.isPressed ? KitImage::settingsButtonDown() : KitImage::settingsButton();
    return AnyView(ZStack(Alignment::center(),
                          {AnyView(Image(image)),
                           configuration.label.foregroundColor(Color(KitColor::buttonText())).offset(0, font == PelliFont::rocket ? 2 : 0)}));
}

}  // namespace Pellicot
