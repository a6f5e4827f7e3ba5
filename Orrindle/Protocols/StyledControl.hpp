#pragma once
#include <concepts>

#include "AppKit/NSCell.hpp"
#include "Orrindle/Protocols/StyledView.hpp"
#include "Orrindle/Styles/CheckBoxCellStyle.hpp"
#include "Orrindle/Styles/ControlStyle.hpp"
#include "Orrindle/Styles/SliderCellStyle.hpp"
#include "Orrindle/Styles/TableViewStyle.hpp"

namespace Orrindle {

// The state a cell reports unless its class computes its own: `default_`; `mixed` or `on` from
// the cell's state value; `disabled` when not enabled; `highlighted` when highlighted and
// enabled; `selected` when the cell is Selectable and selected; `invalid` when it is
// Validating and not valid. Never `focused`.
StyledControlState cellControlState(const AppKit::NSCell& cell);

// The state of the kit's tables, outlines and header cells: default, plus disabled when not
// enabled, plus highlighted when highlighted (enabled or not).
StyledControlState enabledHighlightedState(bool enabled, bool highlighted);

// A styled view or cell that reports its drawing state, and the colours and images of that
// state from the style of its dynamic class.
template <class ViewStyle>
class StyledControl : public StyledView<ViewStyle> {
public:
    // A cell answers cellControlState(*this) unless its class overrides this; any other class
    // must override it (stopping the program otherwise, as it cannot know its state).
    virtual StyledControlState controlState() const;

    AppKit::NSColor::Ptr styleTextColor() const requires std::derived_from<ViewStyle, ControlStyle> {
        return this->style()->textColor(controlState());
    }
    AppKit::NSColor::Ptr styleTextBackgroundColor() const requires std::derived_from<ViewStyle, ControlStyle> {
        return this->style()->textBackgroundColor(controlState());
    }
    AppKit::NSColor::Ptr styleFocusRingColor() const requires std::derived_from<ViewStyle, ControlStyle> {
        return this->style()->focusRingColor(controlState());
    }
    AppKit::NSImage::Ptr styleBezelImage() const requires std::derived_from<ViewStyle, ControlStyle> {
        return this->style()->bezelImage(controlState());
    }
    AppKit::NSColor::Ptr rowBackgroundColor() const requires std::derived_from<ViewStyle, TableViewStyle> {
        return this->style()->rowBackgroundColor(controlState());
    }
    AppKit::NSImage::Ptr styleBarImage() const requires std::derived_from<ViewStyle, SliderCellStyle> {
        return this->style()->barImage(controlState());
    }
    AppKit::NSImage::Ptr styleKnobImage() const requires std::derived_from<ViewStyle, SliderCellStyle> {
        return this->style()->knobImage(controlState());
    }
    AppKit::NSImage::Ptr styleImage() const requires std::derived_from<ViewStyle, CheckBoxCellStyle> {
        return this->style()->image(controlState());
    }
};

namespace detail {
[[noreturn]] void missingControlState();
}

template <class ViewStyle>
StyledControlState StyledControl<ViewStyle>::controlState() const {
    if (auto* cell = dynamic_cast<const AppKit::NSCell*>(this)) return cellControlState(*cell);
    detail::missingControlState();
}

}  // namespace Orrindle
