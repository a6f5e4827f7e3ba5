#include "Orrindle/SegmentedControls/StyledSegmentedCell.hpp"

#include "AppKit/NSControl.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Orrindle/Extensions/FocusState.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

using S = StyledControlState;
using AppKit::CGFloat;
using AppKit::CGRect;

void StyledSegmentedCell::didInit() {
    Runtime::assertMainActor();
    AppKit::NSSegmentedCell::didInit();
    // Widths are measured with the cell's font and labels drawn with the style's: one font for
    // both, so that no label is cut.
    setFont(style()->font());
}

void StyledSegmentedCell::setHideSelection(bool flag) {
    Runtime::assertMainActor();
    hideSelection_ = flag;
}

StyledControlState StyledSegmentedCell::segmentState(long segment) const {
    Runtime::assertMainActor();
    StyledControlState state = S::default_;
    if (!isEnabled()) state = state.union_(S::disabled);
    const long h = segmentHighlightState(segment);
    if (h == 2 || h == 3 || h == 5) state = state.union_(S::highlighted);
    if (segment == selectedSegment() && !hideSelection_) state = state.union_(S::selected);
    return state;
}

CGRect StyledSegmentedCell::bezelFrame(long segment, CGRect f) const {
    Runtime::assertMainActor();
    auto image = style()->bezelImage(segmentState(segment));
    const CGFloat h = image ? image->size().height : 0;
    const auto& m = style()->segmentMargin();
    const CGRect r = CGRect{f.minX() + m.left, f.minY() + m.bottom, f.width() - (m.left + m.right), h - (m.top + m.bottom)}.integral();
    return CGRect{r.minX(), CellDrawing::round(f.midY() - r.height() * 0.5), r.width(), r.height()}.integral();
}

void StyledSegmentedCell::setWidth(CGFloat width, long segment) {
    Runtime::assertMainActor();
    const std::string text = label(segment);
    if (!text.empty() && font()) {
        const auto& padding = style()->segmentPadding();
        width = CoreGraphics::TextLayout::size(CoreGraphics::AttributedText(text, font()->font())).width + padding.left + padding.right;
    }
    AppKit::NSSegmentedCell::setWidth(width, segment);
}

CoreGraphics::AttributedText StyledSegmentedCell::labelText(long segment, StyledControlState state) const {
    return CellDrawing::title(label(segment), *style()->font(), *style()->textColor(state), CoreGraphics::TextAlignment::center);
}

bool StyledSegmentedCell::hasKitFocus(const AppKit::NSView& view) const {
    auto* control = dynamic_cast<const AppKit::NSControl*>(&view);
    return control && isFirstResponderOrEditing(*control);
}

void StyledSegmentedCell::draw(CGRect withFrame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    drawInterior(withFrame, in);
}

void StyledSegmentedCell::drawSegment(long segment, CGRect f, AppKit::NSView& view) {
    Runtime::assertMainActor();
    cachedSegmentFrames_[segment] = f;
    const StyledControlState state = segmentState(segment);
    auto image = style()->bezelImage(state);
    const CGRect r = bezelFrame(segment, f);
    if (image) CellDrawing::drawImage(*image, r, view, 1.0, false);
    if (segment == keySegment() && hasKitFocus(view)) {
        // The kit's ring sits 2 points inside the bezel (drawFocusRing takes the first).
        CellDrawing::drawFocusRing(focusRingMaskBounds(r, view).insetBy(1, 1), *style()->focusRingColor(controlState()));
    }
    const std::string text = label(segment);
    auto* ctx = CoreGraphics::CGContext::current();
    if (text.empty() || !ctx) return;
    const auto attributed = labelText(segment, state);
    const CGFloat measured = CoreGraphics::TextLayout::size(attributed, r.width()).height;
    ctx->drawText(attributed, {r.minX(), r.minY() + (r.height() - measured) * 0.5, r.width(), r.height()});
}

void StyledSegmentedCell::drawFocusRingMask(CGRect, AppKit::NSView&) { Runtime::assertMainActor(); }

CGRect StyledSegmentedCell::focusRingMaskBounds(CGRect, AppKit::NSView&) const {
    Runtime::assertMainActor();
    auto it = cachedSegmentFrames_.find(keySegment());
    if (it == cachedSegmentFrames_.end()) return {};
    return bezelFrame(keySegment(), it->second);
}

AppKit::NSBackgroundStyle StyledSegmentedCell::interiorBackgroundStyle() const {
    Runtime::assertMainActor();
    return style()->interiorBackgroundStyle();
}

}  // namespace Orrindle
