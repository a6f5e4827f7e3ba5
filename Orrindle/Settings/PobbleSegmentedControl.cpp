#include "Orrindle/Settings/PobbleSegmentedControl.hpp"

#include "Orrindle/Settings/SegmentedButtonStyle.hpp"
#include "Runtime/MainActor.hpp"
#include "SwiftUI/Button.hpp"
#include "SwiftUI/Stacks.hpp"
#include "SwiftUI/Text.hpp"

namespace Orrindle {

SwiftUI::AnyView PobbleSegmentedControl::body() const {
    using namespace SwiftUI;
    using Item = PobbleSegmentedControlModel::Item;
    Runtime::assertMainActor();
    const bool hidden = model->hideSelection();
    const Item selected = model->selectedItem();
    auto m = model;
    return AnyView(HStack(VerticalAlignment::center, 0,
                          {ForEach(
                              model->items(), [](const Item& item) { return item->id(); },
                              [&](const Item& item) {
                                  const bool isSelected = !hidden && selected && selected->id() == item->id();
                                  return AnyView(Button(
                                                     [m, item] {
                                                         Runtime::assertMainActor();
                                                         m->select(item);
                                                     },
                                                     AnyView(Text::verbatim(item->title()))))
                                      .buttonStyle(SegmentedButtonStyle(isSelected));
                              })}));
}

}  // namespace Orrindle
