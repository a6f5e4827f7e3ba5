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

// The platform moves the knob along the whole track less this thickness, while the knob image
// has to travel the bar, which leaves some of the track free at its ends: that margin counts as
// part of the knob, so the knob leaves the bar's start with the first point of travel and meets
// its end at the maximum. (The bar image's width, as long as the bar, would leave no travel.)
CGFloat StyledSliderCell::knobThickness() const {
    auto knob = knobImage();
    if (!knob) return AppKit::NSSliderCell::knobThickness();
    const CGFloat margin = std::max<CGFloat>(0, trackRect().width() - barRect(false).width());
    return knob->size().width + margin;
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
    // While the knob still stands on the track's start nothing lies left of it to fill; a fill
    // under it would peek out round its edge.
    const CGRect knob = knobRect(flipped);
    const CGFloat width = knob.midX() - r.minX();
    if (width <= 0 || knob.minX() <= r.minX()) return;
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
