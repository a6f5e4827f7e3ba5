// A small bundle's worth of art: a dial in five positions, a button in two states, a
// template mask, and colours (one sharing its name with an image).
#include <cmath>
#include <cstdio>

#include "tools/artwork/Artwork.hpp"

using namespace CoreGraphics;

namespace {
void dial(CGContext& c, CGSize s, double position) {
    CGFloat d = std::min(s.width, s.height) - 6;
    CGRect body{(s.width - d) / 2, (s.height - d) / 2, d, d};
    CGPoint centre = body.center();
    c.fillRadialGradient(CGPath::ellipse(body), {{0, CGColor::hex(0x4a4e57)}, {1, CGColor::hex(0x1c1e22)}},
                         {centre.x - d * 0.15, centre.y - d * 0.2}, d * 0.7);
    c.setStrokeColor(CGColor::gray(0, 0.6));
    c.setLineWidth(1);
    c.stroke(CGPath::ellipse(body.insetBy(0.5, 0.5)));
    // Track and value arcs from 7:30 to 4:30 o'clock.
    const double start = 3 * pi / 4, sweep = 3 * pi / 2;
    CGPath track;
    track.addArc(centre, d / 2 + 1.5, start, start + sweep, false);
    c.setLineCap(LineCap::round);
    c.setLineWidth(2);
    c.setStrokeColor(CGColor::hex(0x33363c));
    c.stroke(track);
    if (position > 0) {
        CGPath value;
        value.addArc(centre, d / 2 + 1.5, start, start + sweep * position, false);
        c.setStrokeColor(CGColor::hex(0x3d9bff));
        c.stroke(value);
    }
    double a = start + sweep * position;
    CGPath pointer;
    pointer.move({centre.x + std::cos(a) * d * 0.12, centre.y + std::sin(a) * d * 0.12});
    pointer.addLine({centre.x + std::cos(a) * d * 0.42, centre.y + std::sin(a) * d * 0.42});
    c.setLineWidth(2.5);
    c.setStrokeColor(CGColor::hex(0xf0f2f5));
    c.stroke(pointer);
}

void button(CGContext& c, CGSize s, bool down) {
    CGRect r{0.5, 0.5, s.width - 1, s.height - 1};
    auto shape = CGPath::roundedRect(r, 4, CornerStyle::continuous);
    c.fillLinearGradient(shape, {{0, CGColor::hex(down ? 0x23252a : 0x50545d)}, {1, CGColor::hex(down ? 0x34373d : 0x2a2c31)}},
                         {0, 0}, {0, s.height});
    c.setStrokeColor(CGColor::hex(down ? 0x3d9bff : 0x15161a));
    c.stroke(shape);
}
}  // namespace

VZ_ART_SOURCE(sampleArt) {
    for (int i = 1; i <= 5; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "knobs/sample-dial-%02d", i);
        double position = (i - 1) / 4.0;
        art.image(name, {40, 40}, [position](CGContext& c, CGSize s) { dial(c, s, position); });
    }
    art.image("button", {88, 27}, [](CGContext& c, CGSize s) { button(c, s, false); });
    art.image("button-down", {88, 27}, [](CGContext& c, CGSize s) { button(c, s, true); });
    art.image("mask-dot", {12, 12}, [](CGContext& c, CGSize s) {
        c.setFillColor(CGColor::black());
        c.fill(CGPath::ellipse({1, 1, s.width - 2, s.height - 2}));
    }, true);
    art.image("background", {64, 32}, [](CGContext& c, CGSize s) {
        c.fillLinearGradient(CGPath::rect({0, 0, s.width, s.height}), {{0, CGColor::hex(0x2b2e34)}, {1, CGColor::hex(0x1a1b1f)}},
                             {0, 0}, {0, s.height});
    });
    art.color("background", CGColor::hex(0x1e2024));
    art.color("accent", CGColor::displayP3(1, 0.3, 0.1));
    art.color("labelText", CGColor::gray(0.9));
}
