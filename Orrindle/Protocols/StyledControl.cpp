#include "Orrindle/Protocols/StyledControl.hpp"

#include "Orrindle/Protocols/Selectable.hpp"
#include "Orrindle/Protocols/Validating.hpp"
#include "Runtime/FatalError.hpp"

namespace Orrindle {

StyledControlState cellControlState(const AppKit::NSCell& cell) {
    using S = StyledControlState;
    S state = S::default_;
    switch (cell.state()) {
        case AppKit::NSControlStateValue::mixed: state.formUnion(S::mixed); break;
        case AppKit::NSControlStateValue::on: state.formUnion(S::on); break;
        default: break;
    }
    if (!cell.isEnabled()) state.formUnion(S::disabled);
    if (cell.isHighlighted() && cell.isEnabled()) state.formUnion(S::highlighted);
    if (auto* selectable = dynamic_cast<const Selectable*>(&cell); selectable && selectable->isSelected())
        state.formUnion(S::selected);
    if (auto* validating = dynamic_cast<const Validating*>(&cell); validating && !validating->isValid())
        state.formUnion(S::invalid);
    return state;
}

StyledControlState enabledHighlightedState(bool enabled, bool highlighted) {
    using S = StyledControlState;
    StyledControlState state = enabled ? S::default_ : S{S::default_, S::disabled};
    if (highlighted) state = state.union_(S::highlighted);
    return state;
}

namespace detail {
void missingControlState() {
    Runtime::fatalError("a styled control that is not a cell must compute its own controlState");
}
}  // namespace detail

}  // namespace Orrindle
