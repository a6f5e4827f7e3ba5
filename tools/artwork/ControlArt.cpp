#include "tools/artwork/ControlArt.hpp"

#include <algorithm>
#include <cmath>

using namespace CoreGraphics;

namespace Artwork {

void drawDial(CGContext& c, const CGRect& box, double position, const DialStyle& st) {
    position = std::isnan(position) ? 0 : std::clamp(position, 0.0, 1.0);
    CGFloat d = std::min(box.width(), box.height()) - 2 * (st.trackWidth + 1);
    if (d <= 0) return;
    CGPoint centre = box.center();
    CGRect body{centre.x - d / 2, centre.y - d / 2, d, d};
    c.saveGState();
    c.fillRadialGradient(CGPath::ellipse(body), {{0, st.body}, {1, st.bodyShade}}, {centre.x - d * 0.15, centre.y - d * 0.2},
                         d * 0.7);
    c.setStrokeColor(CGColor::gray(0, 0.6));
    c.setLineWidth(1);
    c.stroke(CGPath::ellipse(body.insetBy(0.5, 0.5)));
    const double start = 3 * pi / 4, sweep = 3 * pi / 2;
    CGFloat ring = d / 2 + st.trackWidth / 2 + 0.5;
    CGPath track;
    track.addArc(centre, ring, start, start + sweep, false);
    c.setLineCap(LineCap::round);
    c.setLineWidth(st.trackWidth);
    c.setStrokeColor(st.track);
    c.stroke(track);
    if (position > 0) {
        CGPath value;
        value.addArc(centre, ring, start, start + sweep * position, false);
        c.setStrokeColor(st.value);
        c.stroke(value);
    }
    double a = start + sweep * position;
    CGPath pointer;
    pointer.move({centre.x + std::cos(a) * d * 0.12, centre.y + std::sin(a) * d * 0.12});
    pointer.addLine({centre.x + std::cos(a) * d * 0.42, centre.y + std::sin(a) * d * 0.42});
    c.setLineWidth(std::max(1.0, d * 0.07));
    c.setStrokeColor(st.pointer);
    c.stroke(pointer);
    c.restoreGState();
}

void drawButton(CGContext& c, const CGRect& box, bool pressed, bool on, const ButtonStyle& st) {
    CGRect r = box.insetBy(0.5, 0.5);
    if (r.isEmpty()) return;
    auto shape = CGPath::roundedRect(r, st.cornerRadius, CornerStyle::continuous);
    auto darker = [](const CGColor& k) {
        auto d = k.displayColor();
        return CGColor::sRGB(d.r * 0.7, d.g * 0.7, d.b * 0.7, d.a);
    };
    CGColor top = pressed ? darker(st.bottom) : st.top, bottom = pressed ? darker(st.top) : st.bottom;
    c.saveGState();
    c.fillLinearGradient(shape, {{0, top}, {1, bottom}}, {0, r.minY()}, {0, r.maxY()});
    c.setLineWidth(1);
    c.setStrokeColor(on || pressed ? st.lit : st.border);
    c.stroke(shape);
    c.restoreGState();
}

void drawMakerMark(CGContext& c, CGSize s, CGFloat k, const CGColor& ring, const CGColor& name) {
    const CGFloat d = s.height - 4 * k;
    const CGPoint m{2 * k + d / 2, s.height / 2};
    c.saveGState();
    c.setLineCap(LineCap::round);
    c.setLineWidth(3 * k);
    c.setStrokeColor(ring);
    CGPath circle;
    circle.addArc(m, d / 2 - 2 * k, -pi / 4 + 0.35, -pi / 4 + 2 * pi - 0.35, false);
    c.stroke(circle);
    CGPath tail;
    tail.move({m.x + d * 0.05, m.y + d * 0.05});
    tail.addLine({m.x + d * 0.45, m.y + d * 0.45});
    c.stroke(tail);
    c.drawText(AttributedText("QUORVANE", Font::named("Dosis-Medium", 15 * k), name),
               {d + 10 * k, (s.height - 19 * k) / 2, s.width - d - 10 * k, 20 * k});
    c.restoreGState();
}

}  // namespace Artwork
