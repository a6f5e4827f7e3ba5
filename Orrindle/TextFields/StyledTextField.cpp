#include "Orrindle/TextFields/StyledTextField.hpp"

#include <algorithm>

#include "Orrindle/Extensions/TextDrawing.hpp"
#include "Runtime/FatalError.hpp"

namespace Orrindle {

using AppKit::CGFloat;

void StyledTextField::didInit() {
    FirstResponderAwareTextField::didInit();
    focusRingClearingWorkaround(*this);
}

void StyledTextField::setVerticallyCenter(bool flag) {
    auto c = styledCell();
    if (!c) Runtime::fatalError(className() + ": verticallyCenter needs a StyledTextFieldCell");
    verticallyCenter_ = flag;
    c->setVerticallyCenter(flag);
    setNeedsDisplay(true);
}

bool StyledTextField::isSelected() const {
    auto c = styledCell();
    return c && c->isSelected();
}

void StyledTextField::setSelected(bool selected) {
    if (auto c = styledCell()) c->setSelected(selected);
}

AppKit::NSEdgeInsets StyledTextField::alignmentRectInsets() const {
    if (!isBezeled() && !isBordered()) return FirstResponderAwareTextField::alignmentRectInsets();
    return {verticalInset_, 2, verticalInset_, 2};
}

AppKit::CGSize StyledTextField::intrinsicContentSize() const {
    const AppKit::CGSize s = FirstResponderAwareTextField::intrinsicContentSize();
    auto c = styledCell();
    if (!c || (!isBezeled() && !isBordered())) return s;
    auto image = c->style()->bezelImage(c->controlState());
    if (!image) return s;
    return {std::max(s.width, image->size().width), std::max(s.height, image->size().height)};
}

CGFloat StyledTextField::firstBaselineOffsetFromTop() const {
    auto c = styledCell();
    if (!c) return FirstResponderAwareTextField::firstBaselineOffsetFromTop();
    const auto b = bounds();
    const auto t = c->titleRect(b);
    const auto insets = alignmentRectInsets();
    return isFlipped() ? b.minY() + t.maxY() - insets.top : b.maxY() - t.minY() + insets.top;
}

CGFloat StyledTextField::lastBaselineOffsetFromBottom() const {
    auto c = styledCell();
    if (!c) return FirstResponderAwareTextField::lastBaselineOffsetFromBottom();
    const auto b = bounds();
    const auto t = c->titleRect(b);
    const auto insets = alignmentRectInsets();
    return isFlipped() ? b.maxY() - t.maxY() + insets.bottom : b.minY() + t.minY() - insets.bottom;
}

}  // namespace Orrindle
