#include "Orrindle/Settings/PobbleSettingsDivider.hpp"

#include "Runtime/MainActor.hpp"
#include "SwiftUI/Form.hpp"
#include "SwiftUI/Stacks.hpp"

namespace Orrindle {

SwiftUI::AnyView PobbleSettingsDivider::body() const {
    using namespace SwiftUI;
    Runtime::assertMainActor();
    return AnyView(Section({AnyView(Divider()).padding(Edges::horizontal(), 16).padding(Edges::vertical(), 8)}));
}

}  // namespace Orrindle
