#include "Orrindle/Tables/StyledTableRowView.hpp"

#include "AppKit/NSTableView.hpp"
#include "Orrindle/Extensions/RoundedPath.hpp"

namespace Orrindle {

using S = StyledControlState;

StyledControlState StyledTableRowView::controlState() const { return isSelected() ? S{S::default_, S::selected} : S::default_; }

void StyledTableRowView::setSelected(bool selected) {
    AppKit::NSTableRowView::setSelected(selected);
    setNeedsDisplay(true);
    applySelectionState(*this, isSelected(), true);
}

void StyledTableRowView::didAddSubview(AppKit::NSView*) { applySelectionState(*this, isSelected(), true); }

void StyledTableRowView::drawSelection(AppKit::CGRect dirtyRect) {
    auto table = std::dynamic_pointer_cast<AppKit::NSTableView>(superview());
    if (selectionHighlightStyle() == AppKit::NSTableViewSelectionHighlightStyle::none || !table)
        return AppKit::NSTableRowView::drawSelection(dirtyRect);
    const AppKit::CGRect bar{dirtyRect.minX() + selectionHorizontalInset_, dirtyRect.minY(),
                             dirtyRect.width() - 2 * selectionHorizontalInset_, dirtyRect.height()};
    const auto s = rowStyle();
    (controlState().contains(S::selected) ? s->selectedRowBackgroundColor() : s->rowBackgroundColor())->setFill();
    // A row outside the table has no neighbours: it is rounded all round.
    const long n = table->row(*this);
    const auto& selected = table->selectedRowIndexes();
    const bool above = n >= 0 && selected.contains(n - 1), below = n >= 0 && selected.contains(n + 1);
    const AppKit::CGFloat r = selectionCornerRadius_;
    const CornerRadii radii = above && below ? CornerRadii{}
                              : above        ? CornerRadii{0, 0, r, r}
                              : below        ? CornerRadii{r, r, 0, 0}
                                             : CornerRadii::all(r);
    roundedRectPath(bar, radii)->fill();
}

}  // namespace Orrindle
