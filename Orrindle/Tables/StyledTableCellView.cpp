#include "Orrindle/Tables/StyledTableCellView.hpp"

#include "AppKit/NSTextField.hpp"
#include "Orrindle/Outlines/StyledOutlineView.hpp"

namespace Orrindle {

using S = StyledControlState;

StyledControlState StyledTableCellView::controlState() const { return selected_ ? S{S::default_, S::selected} : S::default_; }

void StyledTableCellView::colourTextField() {
    if (auto field = textField()) field->setTextColor(style()->textColor(controlState()));
}

void StyledTableCellView::setSelected(bool selected) {
    selected_ = selected;
    colourTextField();
    applySelectionState(*this, selected_, true);
}

AppKit::NSButton::Ptr StyledTableCellView::disclosureButton() const {
    auto s = superview();
    if (!s) return nullptr;
    for (const auto& sub : s->subviews())
        if (auto button = std::dynamic_pointer_cast<AppKit::NSButton>(sub); button && button->tag() == StyledOutlineView::disclosureButtonTag)
            return button;
    return nullptr;
}

void StyledTableCellView::setObjectValue(std::any value) {
    AppKit::NSTableCellView::setObjectValue(std::move(value));
    prepareForReuse();
    invalidateIntrinsicContentSize();
}

void StyledTableCellView::prepareForReuse() {
    AppKit::NSTableCellView::prepareForReuse();
    if (auto field = textField()) field->setStringValue("");
    colourTextField();
}

AppKit::CGSize StyledTableCellView::intrinsicContentSize() const {
    auto field = textField();
    if (!field) return AppKit::NSTableCellView::intrinsicContentSize();
    const auto insets = alignmentRectInsets();
    return {field->frame().minX() + field->intrinsicContentSize().width - (insets.left + insets.right), AppKit::NSViewNoIntrinsicMetric};
}

}  // namespace Orrindle
