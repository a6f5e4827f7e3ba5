#include "Orrindle/Protocols/Selectable.hpp"

#include <memory>
#include <vector>

#include "AppKit/NSView.hpp"

namespace Orrindle {

void applySelectionState(const AppKit::NSView& view, bool state, bool recursively) {
    // A copy: a subview may rearrange its siblings when its selection changes.
    const std::vector<AppKit::NSView::Ptr> subviews = view.subviews();
    for (const auto& sub : subviews) {
        auto* selectable = dynamic_cast<Selectable*>(sub.get());
        if (!selectable) continue;
        selectable->setSelected(state);
        if (recursively) applySelectionState(*sub, state, false);
    }
}

}  // namespace Orrindle
