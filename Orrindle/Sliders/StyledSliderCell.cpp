#include "Orrindle/Sliders/StyledSliderCell.hpp"

#include <algorithm>

#include "AppKit/NSColor.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "Orrindle/Drawing/CellDrawing.hpp"

namespace Orrindle {

using S = StyledControlState;
using AppKit::CGFloat;
using AppKit::CGRect;

std::shared_ptr<SliderCellStyle> StyledSliderCell::sharedStyle() {
    static const std::shared_ptr<SliderCellStyle> style = [] {
        auto s = std::make_shared<SliderCellStyle>();
        s->setBackgroundColor(AppKit::NSColor::clear());
        return s;
    }();
    return style;
}

StyledControlState StyledSliderCell::controlState() const {
    StyledControlState state = isEnabled() ? S::default_ : S{S::default_, S::disabled};
    if (isHighlighted() && isEnabled()) state = state.union_(S::highlighted);
    return state;
}

// The knob's own width, so that the knob travels the whole bar (the bar image's width, as long
// as the bar, would leave it no travel at all).
CGFloat StyledSliderCell::knobThickness() const {
    if (auto knob = knobImage()) return knob->size().width;
    return AppKit::NSSliderCell::knobThickness();
}

CGRect StyledSliderCell::barRect(bool flipped) const {
    const CGRect p = AppKit::NSSliderCell::barRect(flipped);
    auto view = controlView();
    auto bar = barImage();
    if (!view || !bar) return p;
    const CGFloat h = bar->size().height;
    const CGRect d = drawingRect(view->bounds());
    const CGRect r = CGRect{p.minX(), CellDrawing::round(d.midY() - h / 2), p.width(), h}.integral();
    return CGRect{r.minX() + 2, r.minY(), r.width() - 4, r.height()}.integral();
}

CGRect StyledSliderCell::knobRect(bool flipped) const {
    const CGRect k = AppKit::NSSliderCell::knobRect(flipped);
    auto knob = knobImage();
    if (!knob) return k;
    const auto size = knob->size();
    const CGRect b = barRect(flipped);
    // Within the bar's own ends (a knob wider than the bar starts at its start).
    const CGFloat x = std::max(std::min(CellDrawing::round(k.midX() - size.width / 2), b.maxX() - size.width), b.minX());
    const CGFloat y = CellDrawing::round(b.midY() - size.height / 2);
    return CGRect{x, y, size.width, size.height}.integral();
}

void StyledSliderCell::drawBar(CGRect r, bool flipped) {
    auto view = controlView();
    const auto& images = style()->barImages();
    auto track = images.find(S::default_);
    if (!view || track == images.end() || !track->second || !CoreGraphics::CGContext::current()) return;
    const CGFloat fraction = isEnabled() ? 1.0 : 0.5;
    CellDrawing::drawImage(*track->second, r, *view, fraction, false);
    auto fill = images.find(S::highlighted);
    if (fill == images.end() || !fill->second) return;
    // Near the minimum the knob's centre may lie before the track's start: then no fill at all.
    const CGFloat width = knobRect(flipped).midX() - r.minX();
    if (width <= 0) return;
    CellDrawing::drawImage(*fill->second, CGRect{r.minX(), r.minY(), width, r.height()}.integral(), *view, fraction, false);
}

void StyledSliderCell::drawKnob(CGRect rect) {
    auto view = controlView();
    auto knob = knobImage();
    if (!view || !knob) return;
    CellDrawing::drawImage(*knob, rect, *view, isEnabled() ? 1.0 : 0.5, true);
}

CGRect StyledSliderCell::focusRingMaskBounds(CGRect frame, AppKit::NSView&) const {
    return isBezeled() || isBordered() ? frame : drawingRect(frame);
}

}  // namespace Orrindle
