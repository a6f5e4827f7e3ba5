#include "Orrindle/SwiftUI/DefaultTessikButtonStyle.hpp"

#include "Orrindle/SwiftUI/KitButtonBody.hpp"
#include "SwiftUI/Environment.hpp"

namespace Orrindle {

namespace {
// The body as a view of its own, so that it reads the enabled flag of its place in the tree.
struct DefaultTessikButtonBody {
    SwiftUI::ButtonStyleConfiguration configuration;
    SwiftUI::EnvironmentValue<bool> isEnabled{&SwiftUI::EnvironmentValues::isEnabled};

    SwiftUI::AnyView body() const { return kitButtonBody(configuration, SwiftUI::Font::system(11), isEnabled() ? 1 : 0.5); }
};
}  // namespace

SwiftUI::AnyView DefaultTessikButtonStyle::makeBody(const Configuration& configuration) const {
    return SwiftUI::AnyView(DefaultTessikButtonBody{configuration});
}

}  // namespace Orrindle
