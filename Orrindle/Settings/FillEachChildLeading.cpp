#include "Orrindle/Settings/FillEachChildLeading.hpp"

#include "SwiftUI/Stacks.hpp"

namespace Orrindle {

SwiftUI::AnyView FillEachChildLeading::body(const SwiftUI::VariadicView::Children& children) const {
    using namespace SwiftUI;
    return AnyView(ForEach(children, [](const VariadicView::Child& child) { return AnyView(HStack({child.view, Spacer()})); }));
}

}  // namespace Orrindle
