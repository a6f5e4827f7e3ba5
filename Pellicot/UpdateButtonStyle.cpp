#include "Pellicot/UpdateButtonStyle.hpp"

#include "Pellicot/CustomFontModifier.hpp"
#include "Pellicot/KitColor.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Shapes.hpp"

namespace Pellicot {

SwiftUI::AnyView UpdateButtonStyle::makeBody(const Configuration& configuration) const {
    using namespace SwiftUI;
    return rocketFont(configuration.label, 13)
        .foregroundColor(Color(KitColor::background()))
        .padding(Edges::leading() | Edges::trailing(), 4)
        .padding(Edges::top(), 2)
        .background(AnyView(RoundedRectangle(CGSize{4, 4}, RoundedCornerStyle::continuous).fill(Color(KitColor::updateBackground()))))
        .opacity(configuration.isPressed ? 0.8 : 1.0);
}

}  // namespace Pellicot
