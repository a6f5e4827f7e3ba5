#pragma once

namespace AppKit {
class NSView;
}

namespace Orrindle {

// Something that can be selected; a selected styled cell draws its `selected` look.
class Selectable {
public:
    virtual ~Selectable() = default;
    virtual bool isSelected() const = 0;
    virtual void setSelected(bool selected) = 0;
};

// Pushes a selectable view's selection into its direct Selectable subviews, in order, and with
// `recursively` into their direct Selectable subviews as well: two levels at most, and never
// through a subview that is not Selectable.
void applySelectionState(const AppKit::NSView& view, bool state, bool recursively);

}  // namespace Orrindle
