#include "AppKit/NSSliderCell.hpp"

#include <algorithm>
#include <cmath>

#include "AppKit/NSColor.hpp"
#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

void NSSliderCell::didInit() {
    NSCell::didInit();
    setContinuous(true);
}

void NSSliderCell::setMinValue(double value) {
    min_ = value;
    setDoubleValue(doubleValue());
}

void NSSliderCell::setMaxValue(double value) {
    max_ = value;
    setDoubleValue(doubleValue());
}

void NSSliderCell::setDoubleValue(double value) {
    // A reversed range holds its values between the two ends all the same.
    const double lo = std::min(min_, max_), hi = std::max(min_, max_);
    NSCell::setDoubleValue(std::isnan(value) ? lo : std::clamp(value, lo, hi));
}

void NSSliderCell::setNumberOfTickMarks(long count) {
    tickMarks_ = std::max(0L, count);
    updateControlView();
}

bool NSSliderCell::controlViewIsFlipped() const {
    auto v = controlView();
    return v && v->isFlipped();
}

CGRect NSSliderCell::trackRect() const {
    if (auto v = controlView()) return drawingRect(v->bounds());
    return lastFrame_;
}

CGRect NSSliderCell::knobRect(bool flipped) const {
    const CGRect t = trackRect();
    const CGFloat k = knobThickness();
    const double range = max_ - min_;
    double f = range != 0 ? (doubleValue() - min_) / range : 0;
    f = std::clamp(f, 0.0, 1.0);
    if (isVertical()) {
        const CGFloat travel = std::max<CGFloat>(0, t.height() - k);
        // Larger values sit higher: nearer the top whichever way the view runs.
        const CGFloat y = flipped ? t.maxY() - k - f * travel : t.minY() + f * travel;
        const CGFloat w = std::min(k, t.width());
        return {t.midX() - w / 2, y, w, k};
    }
    const CGFloat travel = std::max<CGFloat>(0, t.width() - k);
    const CGFloat h = std::min(k, t.height());
    return {t.minX() + f * travel, t.midY() - h / 2, k, h};
}

CGRect NSSliderCell::barRect(bool) const {
    const CGRect t = trackRect();
    if (isVertical()) return {t.midX() - 2, t.minY() + 2, 4, std::max<CGFloat>(0, t.height() - 4)};
    return {t.minX() + 2, t.midY() - 2, std::max<CGFloat>(0, t.width() - 4), 4};
}

double NSSliderCell::value(CGPoint at) const {
    const CGRect t = trackRect();
    const CGFloat k = knobThickness();
    double f;
    if (isVertical()) {
        const CGFloat travel = t.height() - k;
        f = travel > 0 ? (at.y - t.minY() - k / 2) / travel : 0;
        if (controlViewIsFlipped()) f = 1 - f;
    } else {
        const CGFloat travel = t.width() - k;
        f = travel > 0 ? (at.x - t.minX() - k / 2) / travel : 0;
    }
    return min_ + std::clamp(f, 0.0, 1.0) * (max_ - min_);
}

void NSSliderCell::drawBar(CGRect inside, bool flipped) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    const double alpha = isEnabled() ? 1 : 0.5;
    ctx->setFillColor(CoreGraphics::CGColor::gray(0.35, alpha));
    ctx->fill(CoreGraphics::CGPath::roundedRect(inside, 2));
    const CGRect k = knobRect(flipped);
    CGRect filled = inside;
    if (isVertical())
        filled = flipped ? CGRect{inside.minX(), k.midY(), inside.width(), inside.maxY() - k.midY()}
                         : CGRect{inside.minX(), inside.minY(), inside.width(), k.midY() - inside.minY()};
    else
        filled.size.width = std::max<CGFloat>(0, k.midX() - inside.minX());
    ctx->setFillColor(NSColor::controlAccentColor()->cgColor().withAlpha(alpha));
    ctx->fill(CoreGraphics::CGPath::roundedRect(filled, 2));
}

void NSSliderCell::drawKnob(CGRect r) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    const double alpha = isEnabled() ? 1 : 0.5;
    const CGFloat d = std::min(r.width(), r.height());
    const CGRect circle{r.midX() - d / 2, r.midY() - d / 2, d, d};
    ctx->setFillColor(CoreGraphics::CGColor::gray(isHighlighted() ? 0.8 : 0.95, alpha));
    ctx->fill(CoreGraphics::CGPath::ellipse(circle.insetBy(1, 1)));
    ctx->setStrokeColor(CoreGraphics::CGColor::gray(0.4, alpha));
    ctx->setLineWidth(1);
    ctx->stroke(CoreGraphics::CGPath::ellipse(circle.insetBy(1.5, 1.5)));
}

void NSSliderCell::drawKnob() { drawKnob(knobRect(controlViewIsFlipped())); }

void NSSliderCell::drawTickMarks() {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx || tickMarks_ <= 0) return;
    const CGRect t = trackRect();
    const CGFloat k = knobThickness();
    ctx->setFillColor(CoreGraphics::CGColor::gray(0.5));
    for (long i = 0; i < tickMarks_; ++i) {
        const double f = tickMarks_ == 1 ? 0.5 : double(i) / double(tickMarks_ - 1);
        if (isVertical())
            ctx->fill(CGRect{t.minX(), t.minY() + k / 2 + f * (t.height() - k), 4, 1});
        else
            ctx->fill(CGRect{t.minX() + k / 2 + f * (t.width() - k), t.minY(), 1, 4});
    }
}

void NSSliderCell::drawInterior(CGRect frame, NSView& in) {
    lastFrame_ = drawingRect(frame);
    const bool flipped = in.isFlipped();
    drawBar(barRect(flipped), flipped);
    drawTickMarks();
    drawKnob();
}

CGSize NSSliderCell::cellSize(CGRect) const {
    const CGFloat k = knobThickness();
    return isVertical() ? CGSize{k + 2, 4 * k} : CGSize{4 * k, k + 2};
}

bool NSSliderCell::startTracking(CGPoint at, NSView&) {
    setDoubleValue(value(at));
    return true;
}

bool NSSliderCell::continueTracking(CGPoint, CGPoint current, NSView&) {
    setDoubleValue(value(current));
    return true;
}

}  // namespace AppKit
