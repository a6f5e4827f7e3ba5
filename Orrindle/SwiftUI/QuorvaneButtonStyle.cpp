#include "Orrindle/SwiftUI/QuorvaneButtonStyle.hpp"

#include "Orrindle/SwiftUI/KitButtonBody.hpp"

namespace Orrindle {

SwiftUI::AnyView QuorvaneButtonStyle::makeBody(const Configuration& configuration) const {
    return kitButtonBody(configuration, SwiftUI::Font::system(12, SwiftUI::Font::Weight::bold, SwiftUI::Font::Design::rounded), 1);
}

}  // namespace Orrindle
