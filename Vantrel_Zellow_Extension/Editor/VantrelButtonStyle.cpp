#include "Vantrel_Zellow_Extension/Editor/VantrelButtonStyle.hpp"

#include "Pellicot/CustomFontModifier.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Image.hpp"
#include "SwiftUI/Stacks.hpp"
#include "Vantrel_Zellow_Extension/Editor/EditorAssets.hpp"

namespace Vantrel_Zellow_Extension {

SwiftUI::AnyView VantrelButtonStyle::makeBody(const Configuration& configuration) const {
    using namespace SwiftUI;
    return AnyView(ZStack(Alignment::center(),
                          {AnyView(Image(configuration.isPressed ? EditorImage::buttonDown() : EditorImage::button())),
                           Pellicot::pelliFont(configuration.label, Pellicot::PelliFont::rocket, 12)
                               .foregroundColor(Color(EditorColor::values()))
                               .offset(0, 1)}));
}

}  // namespace Vantrel_Zellow_Extension
