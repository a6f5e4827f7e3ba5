#include "Orrindle/SwiftUI/KitButtonBody.hpp"

#include "Orrindle/Resources/ODImages.hpp"
#include "Orrindle/Styles/Styles.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Image.hpp"

namespace Orrindle {

SwiftUI::AnyView kitButtonBody(const SwiftUI::ButtonStyleConfiguration& configuration, const SwiftUI::Font& font,
                               double textOpacity) {
    using namespace SwiftUI;
    const bool pressed = configuration.isPressed;
    const auto text = pressed ? Styles::Control::highlightedTextColor() : Styles::Control::textColor();
    AnyView::FrameSpec height;
    height.height = 24;
    return configuration.label.font(font)
        .foregroundColor(Color(*text).opacity(textOpacity))
        .frame(height)
        .background(AnyView(pressed ? ODImages::kvuButtonDown() : ODImages::kvuButton()), Alignment::center())
        .padding(Edges::horizontal(), -2);
}

}  // namespace Orrindle
