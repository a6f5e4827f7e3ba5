#include "Pellicot/CustomFontModifier.hpp"

#include "SwiftUI/Font.hpp"

namespace Pellicot {

SwiftUI::AnyView CustomFontModifier::body(const SwiftUI::AnyView& content) const {
    return content.font(SwiftUI::Font::custom(fontName(font), size));
}

SwiftUI::AnyView pelliFont(const SwiftUI::AnyView& content, PelliFont font, CGFloat size) {
    return content.modifier(CustomFontModifier{font, size});
}

SwiftUI::AnyView rocketFont(const SwiftUI::AnyView& content, CGFloat size) {
    return pelliFont(content, PelliFont::rocket, size);
}

}  // namespace Pellicot
