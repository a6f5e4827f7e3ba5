#include "Orrindle/Labels/LabelGeometry.hpp"

#include <algorithm>

#include "Orrindle/TextFields/StyledTextField.hpp"

namespace Orrindle {

namespace {
// The label's cell when it is of the label's own cell class.
StyledTextFieldCell::Ptr ownCell(const StyledTextField& label) {
    auto c = label.styledCell();
    return c && c->isKindOf(*label.cellClass().classInfo()) ? c : nullptr;
}
}  // namespace

AppKit::NSEdgeInsets labelAlignmentRectInsets(const StyledTextField& label, const AppKit::NSEdgeInsets& inherited) {
    auto c = ownCell(label);
    return c ? c->style()->alignmentRectInsets() : inherited;
}

AppKit::CGSize labelIntrinsicContentSize(const StyledTextField& label, AppKit::CGSize s) {
    auto c = ownCell(label);
    if (!c || !label.isBezeled()) return s;
    auto image = c->style()->bezelImage(c->controlState());
    if (!image) return s;
    const auto i = label.alignmentRectInsets();
    return {std::max(s.width, image->size().width) - (i.left + i.right), std::max(s.height, image->size().height) - (i.top + i.bottom)};
}

}  // namespace Orrindle
