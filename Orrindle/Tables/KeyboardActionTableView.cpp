#include "Orrindle/Tables/KeyboardActionTableView.hpp"

#include <algorithm>

namespace Orrindle {

void KeyboardActionTableView::keyUp(const AppKit::NSEvent& event) {
    AppKit::NSTableView::keyUp(event);
    const auto key = event.specialKey();
    if (key && std::find(triggers_.begin(), triggers_.end(), *key) != triggers_.end()) sendAction(keyboardAction_, target().get());
}

}  // namespace Orrindle
