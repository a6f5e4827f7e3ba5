// The kit's artwork: dial frame sequences, button bezels in every state, the maker's logo and
// the colour table. Dark plug-in look with light text; every pair of states is visibly apart.
#include <algorithm>
#include <cmath>
#include <string>

#include "CoreGraphics/FontRegistry.hpp"
#include "tools/artwork/Artwork.hpp"
#include "tools/artwork/ControlArt.hpp"

using namespace CoreGraphics;

namespace {

constexpr int dialFrames = 51;
// The pointer sweeps 270 degrees, from lower left (7:30) to lower right (4:30), clockwise.
constexpr double sweepStart = 3 * pi / 4;
constexpr double sweep = 3 * pi / 2;

std::string frameNumber(int n) { return n <= 9 ? "0" + std::to_string(n) : std::to_string(n); }

CGPoint onCircle(CGPoint centre, double radius, double angle) {
    return {centre.x + std::cos(angle) * radius, centre.y + std::sin(angle) * radius};
}

struct DialLook {
    CGFloat diameter;   // of the knob body
    CGFloat trackWidth; // of the value ring around it
    CGColor accent;     // value arc and pointer tip
    CGColor bodyLight, bodyDark;
};

// One frame: a shaded knob body, a track ring with the value arc from the start angle to the
// frame's angle, a pointer at that angle and tick dots at both ends of the travel.
void drawDial(CGContext& c, CGSize s, const DialLook& look, double position) {
    const CGPoint centre{s.width / 2, s.height / 2};
    const CGFloat r = look.diameter / 2;
    const CGFloat ring = r + look.trackWidth * 1.6;
    const double angle = sweepStart + sweep * position;

    // Drop shadow and body.
    c.setFillColor(CGColor::gray(0, 0.45));
    c.fill(CGPath::ellipse({centre.x - r, centre.y - r + 1.5, 2 * r, 2 * r}));
    CGRect body{centre.x - r, centre.y - r, 2 * r, 2 * r};
    c.fillRadialGradient(CGPath::ellipse(body), {{0, look.bodyLight}, {1, look.bodyDark}},
                         {centre.x - r * 0.3, centre.y - r * 0.4}, r * 1.5);
    c.setStrokeColor(CGColor::gray(1, 0.10));
    c.setLineWidth(1);
    c.stroke(CGPath::ellipse(body.insetBy(0.5, 0.5)));
    // Inner cap.
    CGRect cap = body.insetBy(r * 0.28, r * 0.28);
    c.fillLinearGradient(CGPath::ellipse(cap), {{0, CGColor::hex(0x3a3e46)}, {1, CGColor::hex(0x23262c)}},
                         {cap.origin.x, cap.origin.y}, {cap.origin.x, cap.origin.y + cap.size.height});

    // Track and value arc.
    c.setLineCap(LineCap::round);
    c.setLineWidth(look.trackWidth);
    CGPath track;
    track.addArc(centre, ring, sweepStart, sweepStart + sweep, false);
    c.setStrokeColor(CGColor::hex(0x0e0f12));
    c.stroke(track);
    if (position > 0.001) {
        CGPath value;
        value.addArc(centre, ring, sweepStart, angle, false);
        c.setStrokeColor(look.accent);
        c.stroke(value);
    }
    // End ticks.
    c.setFillColor(CGColor::hex(0x5c616c));
    for (double a : {sweepStart, sweepStart + sweep}) {
        CGPoint p = onCircle(centre, ring + look.trackWidth * 1.4, a);
        c.fill(CGPath::ellipse({p.x - 1, p.y - 1, 2, 2}));
    }

    // Pointer: a light line from the cap's edge to near the rim, with an accent tip.
    CGPath pointer;
    pointer.move(onCircle(centre, r * 0.18, angle));
    pointer.addLine(onCircle(centre, r * 0.86, angle));
    c.setLineWidth(std::max<CGFloat>(1.5, r * 0.12));
    c.setStrokeColor(CGColor::hex(0xf2f3f5));
    c.stroke(pointer);
    CGPoint tip = onCircle(centre, r * 0.80, angle);
    const CGFloat t = std::max<CGFloat>(1.2, r * 0.09);
    c.setFillColor(look.accent);
    c.fill(CGPath::ellipse({tip.x - t, tip.y - t, 2 * t, 2 * t}));
}

void addDialSequence(Artwork::Catalog& art, const std::string& prefix, CGSize size, DialLook look) {
    for (int n = 1; n <= dialFrames; ++n) {
        const double position = double(n - 1) / (dialFrames - 1);
        art.image(prefix + frameNumber(n), size, [look, position](CGContext& c, CGSize s) { drawDial(c, s, look, position); });
    }
}

// A keycap: a dark base with a lit face on top. Pressed, the face sinks and darkens. `lip` is
// the base showing below the face when released.
struct Keycap {
    CGColor faceTop, faceBottom;
    CGColor base;
    CGFloat radius = 5;
    CGFloat lip = 6;
};

CGRect drawKeycap(CGContext& c, CGSize s, const Keycap& k, bool down) {
    CGRect outer{0.5, 0.5, s.width - 1, s.height - 1};
    c.setFillColor(CGColor::hex(0x08090b));
    c.fill(CGPath::roundedRect(outer, k.radius + 1, CornerStyle::continuous));
    CGRect base = outer.insetBy(1.5, 1.5);
    c.setFillColor(k.base);
    c.fill(CGPath::roundedRect(base, k.radius, CornerStyle::continuous));
    const CGFloat sink = down ? k.lip * 0.6 : 0;
    CGRect face{base.origin.x + 1, base.origin.y + 1 + sink, base.size.width - 2, base.size.height - 2 - k.lip};
    auto shade = [down](const CGColor& col) { return down ? col.withAlpha(1) : col; };
    auto facePath = CGPath::roundedRect(face, k.radius - 1, CornerStyle::continuous);
    c.fillLinearGradient(facePath, {{0, shade(k.faceTop)}, {1, shade(k.faceBottom)}}, {0, face.origin.y},
                         {0, face.origin.y + face.size.height});
    if (down) {
        c.setFillColor(CGColor::gray(0, 0.28));
        c.fill(facePath);
    } else {
        c.setStrokeColor(CGColor::gray(1, 0.22));
        c.setLineWidth(1);
        CGPath highlight;
        highlight.move({face.origin.x + k.radius, face.origin.y + 0.5});
        highlight.addLine({face.origin.x + face.size.width - k.radius, face.origin.y + 0.5});
        c.stroke(highlight);
    }
    return face;
}

const Keycap yellowCap{CGColor::hex(0xffd75a), CGColor::hex(0xe8a91c), CGColor::hex(0x8a5f0c)};
const Keycap greyCap{CGColor::hex(0x5a5f69), CGColor::hex(0x3c4048), CGColor::hex(0x1f2126)};

// The lamp of a grey toggle: a bar near the bottom of the face, yellow and glowing when on.
void drawLamp(CGContext& c, const CGRect& face, bool on, bool down) {
    const CGFloat w = std::min<CGFloat>(face.size.width - 10, 22), h = 3;
    CGRect lamp{face.origin.x + (face.size.width - w) / 2, face.origin.y + face.size.height - h - 5, w, h};
    if (on) {
        c.setFillColor(CGColor::hex(0xffc93c, 0.35));
        c.fill(CGPath::roundedRect(lamp.insetBy(-2.5, -2.5), 3.5, CornerStyle::continuous));
        c.setFillColor(CGColor::hex(down ? 0xe0a820 : 0xffd84a));
    } else {
        c.setFillColor(CGColor::hex(0x15161a));
    }
    c.fill(CGPath::roundedRect(lamp, 1.5, CornerStyle::continuous));
}

void drawArrow(CGContext& c, const CGRect& face, bool left) {
    const CGPoint m = face.center();
    const CGFloat w = 6, h = 8;
    CGPath tri;
    if (left) {
        tri.move({m.x - w / 2, m.y});
        tri.addLine({m.x + w / 2, m.y - h / 2});
        tri.addLine({m.x + w / 2, m.y + h / 2});
    } else {
        tri.move({m.x + w / 2, m.y});
        tri.addLine({m.x - w / 2, m.y - h / 2});
        tri.addLine({m.x - w / 2, m.y + h / 2});
    }
    tri.closeSubpath();
    c.setFillColor(CGColor::hex(0x3a2a05));
    c.fill(tri);
}

// The flat modern bezel: dark, a fine border; on shows a lit accent line along the bottom;
// pressed is darker and loses its top highlight.
void drawModern(CGContext& c, CGSize s, bool on, bool down) {
    CGRect r{0.5, 0.5, s.width - 1, s.height - 1};
    auto shape = CGPath::roundedRect(r, 4, CornerStyle::continuous);
    const std::uint32_t top = on ? (down ? 0x3b3f47 : 0x4a4f59) : (down ? 0x1f2126 : 0x30333a);
    const std::uint32_t bottom = on ? (down ? 0x2c2f35 : 0x383c44) : (down ? 0x17181c : 0x24272c);
    c.fillLinearGradient(shape, {{0, CGColor::hex(top)}, {1, CGColor::hex(bottom)}}, {0, 0}, {0, s.height});
    c.setLineWidth(1);
    c.setStrokeColor(CGColor::hex(on ? 0x6c7280 : 0x101114));
    c.stroke(shape);
    if (!down) {
        c.setStrokeColor(CGColor::gray(1, 0.12));
        CGPath hl;
        hl.move({4, 1.5});
        hl.addLine({s.width - 4, 1.5});
        c.stroke(hl);
    }
    if (on) {
        c.setStrokeColor(CGColor::hex(down ? 0xd9a52a : 0xffc93c));
        c.setLineWidth(2);
        c.setLineCap(LineCap::round);
        CGPath bar;
        bar.move({10, s.height - 3});
        bar.addLine({s.width - 10, s.height - 3});
        c.stroke(bar);
    }
}

// The retro bezel: a cream face with a brown rim, sunk when pressed.
void drawRetro(CGContext& c, CGSize s, bool down) {
    CGRect r{0.5, 0.5, s.width - 1, s.height - 1};
    auto shape = CGPath::roundedRect(r, 3, CornerStyle::circular);
    c.fillLinearGradient(shape, {{0, CGColor::hex(down ? 0xb9ac8e : 0xeee3c6)}, {1, CGColor::hex(down ? 0xa39679 : 0xd2c5a5)}},
                         {0, 0}, {0, s.height});
    c.setLineWidth(1);
    c.setStrokeColor(CGColor::hex(0x5a4a30));
    c.stroke(shape);
    if (down) {
        c.setStrokeColor(CGColor::gray(0, 0.3));
        CGPath inner;
        inner.move({3, 2});
        inner.addLine({s.width - 3, 2});
        c.stroke(inner);
    }
}

// The settings bezel: an outlined capsule with a small gear at the left.
void drawSettings(CGContext& c, CGSize s, bool down) {
    CGRect r{0.5, 0.5, s.width - 1, s.height - 1};
    auto shape = CGPath::capsule(r, CornerStyle::continuous);
    c.setFillColor(CGColor::hex(down ? 0x3a3e46 : 0x25282e));
    c.fill(shape);
    c.setLineWidth(1);
    c.setStrokeColor(CGColor::hex(down ? 0x8d93a0 : 0x4b505a));
    c.stroke(shape);
    const CGPoint g{13, s.height / 2};
    c.setStrokeColor(CGColor::hex(0x9aa0ab));
    c.setLineWidth(1.6);
    for (int i = 0; i < 8; ++i) {
        const double a = i * pi / 4;
        CGPath tooth;
        tooth.move(onCircle(g, 3, a));
        tooth.addLine(onCircle(g, 5, a));
        c.stroke(tooth);
    }
    c.stroke(CGPath::ellipse({g.x - 3, g.y - 3, 6, 6}));
}

}  // namespace

VZ_ART_SOURCE(pellicotKitArt) {
    // The logo's name is set in the kit's face; the art tool runs outside any bundle.
    FontRegistry::registerFontFile("/usr/share/fonts/opentype/dosis/Dosis-Medium.otf", "Dosis-Medium");

    art.color("ChaosYellowText", CGColor::hex(0x2e2408));
    art.color("background", CGColor::hex(0x1b1d22));
    art.color("buttonText", CGColor::hex(0xc9ccd3));
    art.color("chaosToggleText", CGColor::hex(0xb4b9c3));
    art.color("chaosToggleTextPressed", CGColor::hex(0xffd23f));
    art.color("pluginBlue", CGColor::hex(0x4aa8ff));
    art.color("pluginGrey", CGColor::hex(0xa3a8b3));
    art.color("pluginPurple", CGColor::hex(0xb07cff));
    art.color("pluginRed", CGColor::hex(0xff5a5f));
    art.color("pluginYellow", CGColor::hex(0xffc93c));
    art.color("tabSelected", CGColor::hex(0xf4f5f7));
    art.color("tabUnselected", CGColor::hex(0x666b76));
    art.color("tinyDialLabel", CGColor::hex(0x8f96a3));
    art.color("updateBackground", CGColor::hex(0xffc93c));
    art.color("versionInfo", CGColor::hex(0x7d838f));

    art.image("quorvane-logo", {112, 26}, [](CGContext& c, CGSize s) {
        Artwork::drawMakerMark(c, s, 1, CGColor::hex(0xffc93c), CGColor::hex(0xe6e8ec));
    });

    for (bool down : {false, true}) {
        const std::string d = down ? "-down" : "";
        art.image("chaos-button-grey-off" + d, {48, 56}, [down](CGContext& c, CGSize s) { drawLamp(c, drawKeycap(c, s, greyCap, down), false, down); });
        art.image("chaos-button-grey-on-yellow" + d, {48, 56}, [down](CGContext& c, CGSize s) { drawLamp(c, drawKeycap(c, s, greyCap, down), true, down); });
        art.image("chaos-button-narrow-grey-off" + d, {24, 62}, [down](CGContext& c, CGSize s) { drawLamp(c, drawKeycap(c, s, greyCap, down), false, down); });
        art.image("chaos-button-narrow-grey-on-yellow" + d, {24, 62}, [down](CGContext& c, CGSize s) { drawLamp(c, drawKeycap(c, s, greyCap, down), true, down); });
        art.image("chaos-button-small-yellow-left" + d, {28, 34}, [down](CGContext& c, CGSize s) { drawArrow(c, drawKeycap(c, s, {yellowCap.faceTop, yellowCap.faceBottom, yellowCap.base, 4, 4}, down), true); });
        art.image("chaos-button-small-yellow-right" + d, {28, 34}, [down](CGContext& c, CGSize s) { drawArrow(c, drawKeycap(c, s, {yellowCap.faceTop, yellowCap.faceBottom, yellowCap.base, 4, 4}, down), false); });
        art.image("chaos-button-yellow" + d, {48, 56}, [down](CGContext& c, CGSize s) { drawKeycap(c, s, yellowCap, down); });
        art.image("modern-button" + d, {88, 27}, [down](CGContext& c, CGSize s) { drawModern(c, s, false, down); });
        art.image("modern-button-on" + d, {88, 27}, [down](CGContext& c, CGSize s) { drawModern(c, s, true, down); });
        art.image("retro-button" + d, {88, 27}, [down](CGContext& c, CGSize s) { drawRetro(c, s, down); });
        art.image("settings-button" + d, {112, 27}, [down](CGContext& c, CGSize s) { drawSettings(c, s, down); });
    }

    const CGColor bodyLight = CGColor::hex(0x4b505a), bodyDark = CGColor::hex(0x1a1c20);
    addDialSequence(art, "knobs/dial-medium-blue-", {68, 84}, {50, 3, CGColor::hex(0x4aa8ff), bodyLight, bodyDark});
    addDialSequence(art, "knobs/dial-medium-yellow-", {68, 84}, {50, 3, CGColor::hex(0xffc93c), bodyLight, bodyDark});
    addDialSequence(art, "knobs/dial-medium-red-", {68, 84}, {50, 3, CGColor::hex(0xff5a5f), bodyLight, bodyDark});
    addDialSequence(art, "knobs/dial-medium-purple-", {68, 84}, {50, 3, CGColor::hex(0xb07cff), bodyLight, bodyDark});
    addDialSequence(art, "knobs/chaos-dial-grey_", {56, 64}, {40, 3, CGColor::hex(0xd4d8df), CGColor::hex(0x5d626c), CGColor::hex(0x25272c)});
    addDialSequence(art, "knobs/dial-small-grey-", {34, 40}, {22, 2, CGColor::hex(0xc3c8d0), bodyLight, bodyDark});
}
