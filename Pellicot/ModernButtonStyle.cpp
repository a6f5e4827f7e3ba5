#include "Pellicot/ModernButtonStyle.hpp"

#include "Pellicot/KitImage.hpp"
#include "Pellicot/KitColor.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Image.hpp"
#include "SwiftUI/Stacks.hpp"

namespace Pellicot {

SwiftUI::AnyView ModernButtonStyle::makeBody(const Configuration& configuration) const {
    using namespace SwiftUI;
    const auto& image = configuration.isPressed ? (isOn ? KitImage::modernButtonOnDown() : KitImage::modernButtonDown())
                                                : (isOn ? KitImage::modernButtonOn() : KitImage::modernButton());
    AnyView::FrameSpec height;
    height.height = 27;
    return AnyView(ZStack(Alignment::center(),
                          {AnyView(Image(image).resizable()).aspectRatio(ContentMode::fit).frame(height),
                           configuration.label.foregroundColor(isOn ? color : Color(KitColor::buttonText())).offset(0, 2)}));
}

}  // namespace Pellicot
