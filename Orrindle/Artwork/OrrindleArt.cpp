// The control kit's artwork: bezels, fields, check boxes, sliders, tabs, tool buttons and icons
// in every state, the big logo and the colour table. The plug-in kit's dark look: graphite
// bezels with a fine dark rim, sunken fields, a blue accent for focus, selection and "on".
// Nominal sizes are what the controls lay out by: bezels and tabs 24 points high, text and
// search fields 22, check boxes 14 x 14, slider handles 12 x 12, tool buttons 24 x 24.
#include <algorithm>
#include <cmath>
#include <string>

#include "CoreGraphics/FontRegistry.hpp"
#include "tools/artwork/Artwork.hpp"
#include "tools/artwork/ControlArt.hpp"

using namespace CoreGraphics;

namespace {

const CGColor accent = CGColor::hex(0x3d9bff);
const CGColor accentDown = CGColor::hex(0x2a6fc0);
const CGColor errorRed = CGColor::hex(0xe5484d);
const CGColor glyph = CGColor::hex(0xb4b9c3);       // icons and chevrons
const CGColor glyphBright = CGColor::hex(0xf0f2f5);
const CGColor fieldFill = CGColor::hex(0x141518);
const CGColor fieldRim = CGColor::hex(0x3a3e46);

enum class Look { normal, down, selected };

CGRect whole(CGSize s) { return {0, 0, s.width, s.height}; }

// A chevron pointing down (or up) centred at `m`, `w` wide.
void chevron(CGContext& c, CGPoint m, CGFloat w, bool down, const CGColor& colour) {
    const CGFloat h = w / 2;
    CGPath p;
    p.move({m.x - w / 2, down ? m.y - h / 2 : m.y + h / 2});
    p.addLine({m.x, down ? m.y + h / 2 : m.y - h / 2});
    p.addLine({m.x + w / 2, down ? m.y - h / 2 : m.y + h / 2});
    c.setStrokeColor(colour);
    c.setLineWidth(1.5);
    c.setLineCap(LineCap::round);
    c.setLineJoin(LineJoin::round);
    c.stroke(p);
}

// The raised graphite bezel: pressed sinks it (darker, the light turned to shade), selected
// lights its rim and underlines it in the accent colour.
void bezel(CGContext& c, CGRect box, Look look) {
    CGRect r = box.insetBy(0.5, 0.5);
    auto shape = CGPath::roundedRect(r, 4, CornerStyle::continuous);
    const bool down = look == Look::down, selected = look == Look::selected;
    const CGColor top = CGColor::hex(down ? 0x1d1f23 : selected ? 0x50555f : 0x4a4e57);
    const CGColor bottom = CGColor::hex(down ? 0x2a2d33 : selected ? 0x30333a : 0x2b2e34);
    c.fillLinearGradient(shape, {{0, top}, {1, bottom}}, {0, r.minY()}, {0, r.maxY()});
    c.setLineWidth(1);
    CGPath edge;
    edge.move({r.minX() + 4, r.minY() + 1});
    edge.addLine({r.maxX() - 4, r.minY() + 1});
    c.setStrokeColor(down ? CGColor::gray(0, 0.45) : CGColor::gray(1, 0.14));
    c.stroke(edge);
    if (selected) {
        c.setFillColor(accent);
        c.fill(CGPath::roundedRect({r.minX() + 6, r.maxY() - 3.5, r.width() - 12, 2}, 1));
    }
    c.setStrokeColor(selected ? accent : CGColor::hex(down ? 0x0b0c0e : 0x111215));
    c.stroke(shape);
}

// A sunken field: dark fill, a rim, and a faint shadow under its top edge. `rim` lights it.
void field(CGContext& c, CGRect box, const CGColor& rim, CGFloat radius = 3, bool glow = false) {
    CGRect r = box.insetBy(0.5, 0.5);
    auto shape = CGPath::roundedRect(r, radius, CornerStyle::continuous);
    c.setFillColor(fieldFill);
    c.fill(shape);
    c.setLineWidth(1);
    c.setStrokeColor(CGColor::gray(0, 0.5));
    CGPath shade;
    shade.move({r.minX() + radius, r.minY() + 1});
    shade.addLine({r.maxX() - radius, r.minY() + 1});
    c.stroke(shade);
    if (glow) {
        c.setStrokeColor(rim.withAlpha(0.3));
        c.setLineWidth(1.5);
        c.stroke(CGPath::roundedRect(r.insetBy(1.25, 1.25), std::max<CGFloat>(0, radius - 1), CornerStyle::continuous));
        c.setLineWidth(1);
    }
    c.setStrokeColor(rim);
    c.stroke(shape);
}

void drawPopUp(CGContext& c, CGSize s, Look look, bool popDown) {
    bezel(c, whole(s), look);
    const CGFloat x = s.width - 9;
    const CGColor k = look == Look::down ? glyphBright : glyph;
    if (popDown) {
        chevron(c, {x, s.height / 2}, 7, true, k);
    } else {
        chevron(c, {x, s.height / 2 - 3}, 6, false, k);
        chevron(c, {x, s.height / 2 + 3}, 6, true, k);
    }
}

void drawCheckBox(CGContext& c, CGSize s, bool on, bool mixed, bool down) {
    CGRect r = whole(s).insetBy(0.5, 0.5);
    auto shape = CGPath::roundedRect(r, 3, CornerStyle::continuous);
    if (on || mixed) {
        c.fillLinearGradient(shape, {{0, down ? accentDown : accent}, {1, down ? CGColor::hex(0x1f5596) : CGColor::hex(0x2f80e0)}},
                             {0, r.minY()}, {0, r.maxY()});
        c.setStrokeColor(CGColor::hex(0x12325a));
        c.setLineWidth(1);
        c.stroke(shape);
        c.setStrokeColor(down ? CGColor::gray(1, 0.8) : CGColor::white());
        c.setLineWidth(1.8);
        c.setLineCap(LineCap::round);
        c.setLineJoin(LineJoin::round);
        CGPath mark;
        if (mixed) {
            mark.move({3.5, s.height / 2});
            mark.addLine({s.width - 3.5, s.height / 2});
        } else {
            mark.move({3.5, 7.2});
            mark.addLine({6, 9.8});
            mark.addLine({10.6, 4.2});
        }
        c.stroke(mark);
        return;
    }
    field(c, whole(s), down ? accent : CGColor::hex(0x5a5f69), 3);
    if (down) {
        c.setFillColor(CGColor::gray(1, 0.08));
        c.fill(CGPath::roundedRect(r.insetBy(1, 1), 2, CornerStyle::continuous));
    }
}

void drawCheckerboard(CGContext& c, CGSize s, CGFloat square) {
    for (int row = 0; row * square < s.height; ++row)
        for (int col = 0; col * square < s.width; ++col) {
            c.setFillColor(CGColor::hex((row + col) % 2 ? 0x2a2c31 : 0x3a3d44));
            c.fill(CGRect{col * square, row * square, square, square});
        }
}

void drawSearchField(CGContext& c, CGSize s, bool focus) {
    field(c, whole(s), focus ? accent : fieldRim, s.height / 2, focus);
    const CGPoint m{11, s.height / 2 - 1};
    c.setStrokeColor(focus ? glyphBright : glyph);
    c.setLineWidth(1.4);
    c.stroke(CGPath::ellipse({m.x - 3.5, m.y - 3.5, 7, 7}));
    CGPath handle;
    handle.move({m.x + 2.6, m.y + 2.6});
    handle.addLine({m.x + 5, m.y + 5});
    c.setLineCap(LineCap::round);
    c.stroke(handle);
}

// A round slider knob: light cap, dark rim; pressed shows an accent ring, "multi" (mixed
// values) a dash across the cap.
void drawKnob(CGContext& c, CGSize s, bool down, bool multi) {
    CGRect r = whole(s).insetBy(1, 1);
    c.setFillColor(CGColor::gray(0, 0.45));
    c.fill(CGPath::ellipse(r.offsetBy(0, 0.75)));
    c.fillLinearGradient(CGPath::ellipse(r), {{0, CGColor::hex(down ? 0xc9cdd4 : 0xeef0f3)}, {1, CGColor::hex(down ? 0x8d929c : 0xaeb3bc)}},
                         {0, r.minY()}, {0, r.maxY()});
    c.setStrokeColor(down ? accent : CGColor::hex(0x15161a));
    c.setLineWidth(1);
    c.stroke(CGPath::ellipse(r.insetBy(0.5, 0.5)));
    if (multi) {
        c.setStrokeColor(CGColor::hex(0x2a2c31));
        c.setLineWidth(1.5);
        c.setLineCap(LineCap::round);
        CGPath dash;
        dash.move({r.minX() + 3, r.midY()});
        dash.addLine({r.maxX() - 3, r.midY()});
        c.stroke(dash);
    }
}

void drawBar(CGContext& c, CGSize s, bool filled) {
    auto shape = CGPath::capsule(whole(s).insetBy(0.5, 0.5), CornerStyle::continuous);
    if (filled) {
        c.fillLinearGradient(shape, {{0, CGColor::hex(0x5aaeff)}, {1, CGColor::hex(0x2f80e0)}}, {0, 0}, {0, s.height});
    } else {
        c.setFillColor(CGColor::hex(0x0e0f12));
        c.fill(shape);
        c.setStrokeColor(CGColor::hex(0x2c2f35));
        c.setLineWidth(1);
        c.stroke(shape);
    }
}

void drawTab(CGContext& c, CGSize s, Look look) {
    CGRect r = whole(s).insetBy(0.5, 0.5);
    auto shape = CGPath::roundedRect(r, {4, 4, 0, 0}, CornerStyle::continuous);
    const std::uint32_t top = look == Look::selected ? 0x3a3e46 : look == Look::down ? 0x1c1e22 : 0x2a2c31;
    const std::uint32_t bottom = look == Look::selected ? 0x2c2f35 : look == Look::down ? 0x17181c : 0x222429;
    c.fillLinearGradient(shape, {{0, CGColor::hex(top)}, {1, CGColor::hex(bottom)}}, {0, 0}, {0, s.height});
    c.setStrokeColor(CGColor::hex(0x111215));
    c.setLineWidth(1);
    c.stroke(shape);
    if (look == Look::selected) {
        c.setFillColor(accent);
        c.fill(CGRect{6, s.height - 3, s.width - 12, 2});
    }
}

void drawToolBackground(CGContext& c, CGSize s, Look look) {
    CGRect r = whole(s).insetBy(0.5, 0.5);
    auto shape = CGPath::roundedRect(r, 4, CornerStyle::continuous);
    const std::uint32_t fill = look == Look::selected ? 0x1f3a5e : look == Look::down ? 0x17181c : 0x2a2d33;
    c.setFillColor(CGColor::hex(fill));
    c.fill(shape);
    c.setStrokeColor(look == Look::normal ? CGColor::hex(0x111215) : accent);
    c.setLineWidth(1);
    c.stroke(shape);
}

// A filled triangle pointing right, or down when open.
void drawDisclosure(CGContext& c, CGSize s, bool open) {
    const CGPoint m{s.width / 2, s.height / 2};
    CGPath t;
    if (open) {
        t.move({m.x - 4, m.y - 2});
        t.addLine({m.x + 4, m.y - 2});
        t.addLine({m.x, m.y + 3});
    } else {
        t.move({m.x - 2, m.y - 4});
        t.addLine({m.x + 3, m.y});
        t.addLine({m.x - 2, m.y + 4});
    }
    t.closeSubpath();
    c.setFillColor(glyph);
    c.fill(t);
}

void drawStar(CGContext& c, CGSize s, bool filled) {
    const CGPoint m{s.width / 2, s.height / 2 + 0.5};
    CGPath star;
    for (int i = 0; i < 10; ++i) {
        const double a = -pi / 2 + i * pi / 5;
        const CGFloat r = i % 2 ? 2.7 : 6.2;
        CGPoint p{m.x + std::cos(a) * r, m.y + std::sin(a) * r};
        if (i == 0) star.move(p);
        else star.addLine(p);
    }
    star.closeSubpath();
    c.setLineJoin(LineJoin::round);
    c.setLineWidth(1.2);
    if (filled) {
        c.setFillColor(CGColor::hex(0xffc93c));
        c.fill(star);
        c.setStrokeColor(CGColor::hex(0xc8901a));
    } else {
        c.setStrokeColor(glyph);
    }
    c.stroke(star);
}

void drawBack(CGContext& c, CGSize s, bool down) {
    bezel(c, whole(s), down ? Look::down : Look::normal);
    CGPath p;
    const CGFloat x = s.width / 2 + 1.5, y = s.height / 2;
    p.move({x + 2, y - 5});
    p.addLine({x - 3, y});
    p.addLine({x + 2, y + 5});
    c.setStrokeColor(down ? glyphBright : glyph);
    c.setLineWidth(1.8);
    c.setLineCap(LineCap::round);
    c.setLineJoin(LineJoin::round);
    c.stroke(p);
}

// Small icons of the table header: a plus, or three dots; pressed sits on a dark disc and
// takes the accent.
void drawHeaderIcon(CGContext& c, CGSize s, bool plus, bool down) {
    const CGPoint m{s.width / 2, s.height / 2};
    if (down) {
        c.setFillColor(CGColor::gray(0, 0.45));
        c.fill(CGPath::ellipse(whole(s).insetBy(0.5, 0.5)));
    }
    const CGColor k = down ? accent : glyph;
    if (plus) {
        CGPath p;
        p.move({m.x - 4.5, m.y});
        p.addLine({m.x + 4.5, m.y});
        p.move({m.x, m.y - 4.5});
        p.addLine({m.x, m.y + 4.5});
        c.setStrokeColor(k);
        c.setLineWidth(1.6);
        c.setLineCap(LineCap::round);
        c.stroke(p);
    } else {
        c.setFillColor(k);
        for (CGFloat dx : {-4.5, 0.0, 4.5}) c.fill(CGPath::ellipse({m.x + dx - 1.3, m.y - 1.3, 2.6, 2.6}));
    }
}

// A pointer whose tip is the hot spot (3, 4), with a double arrow: drag sideways.
void drawTrackingCursor(CGContext& c, CGSize) {
    CGPath arrow;
    arrow.move({3, 4});
    arrow.addLine({3, 14});
    arrow.addLine({5.5, 11.5});
    arrow.addLine({7.5, 15});
    arrow.addLine({9, 14.2});
    arrow.addLine({7.2, 10.8});
    arrow.addLine({10.5, 10.8});
    arrow.closeSubpath();
    c.setFillColor(CGColor::white());
    c.fill(arrow);
    c.setStrokeColor(CGColor::black());
    c.setLineWidth(1);
    c.setLineJoin(LineJoin::round);
    c.stroke(arrow);
    CGPath both;
    both.move({9.5, 4.5});
    both.addLine({15, 4.5});
    both.move({11, 3});
    both.addLine({9.5, 4.5});
    both.addLine({11, 6});
    both.move({13.5, 3});
    both.addLine({15, 4.5});
    both.addLine({13.5, 6});
    c.setStrokeColor(CGColor::black());
    c.setLineWidth(1.2);
    c.setLineCap(LineCap::round);
    c.stroke(both);
}


}  // namespace

VZ_ART_SOURCE(orrindleArt) {
    // The logo's name is set in the plug-in kit's face; the art tool runs outside any bundle.
    FontRegistry::registerFontFile("/usr/share/fonts/opentype/dosis/Dosis-Medium.otf", "Dosis-Medium");

    art.color("Background/Darker", CGColor::hex(0x17181c));
    art.color("Background/Darkest", CGColor::hex(0x101114));
    art.color("Background/Normal", CGColor::hex(0x1e2025));
    art.color("Error", errorRed);
    for (int percent : {100, 20, 30, 40, 50, 60, 70, 85}) {
        const double v = percent / 100.0;
        art.color("Grey " + std::to_string(percent) + "%", CGColor::sRGB(v, v, v));
    }
    art.color("Highlight/System", CGColor::hex(0x2f7fe8));
    art.color("Tessik/Aqua", CGColor::hex(0x3fd0c9));
    art.color("Tessik/Blue", CGColor::hex(0x4aa8ff));
    art.color("Tessik/DarkPurple", CGColor::hex(0x5b3a9e));
    art.color("Tessik/LightBlue", CGColor::hex(0x8fd0ff));
    art.color("Tessik/Orange", CGColor::hex(0xff8a3d));
    art.color("Tessik/Purple", CGColor::hex(0xb07cff));
    art.color("Tessik/Red", CGColor::hex(0xff5a5f));
    art.color("Tessik/Yellow", CGColor::hex(0xffc93c));

    const CGSize button{180, 24}, popUp{80, 24}, toolPopUp{36, 24}, tool{24, 24}, text{80, 22}, tab{80, 24};
    art.image("kvu-button", button, [](CGContext& c, CGSize s) { bezel(c, whole(s), Look::normal); });
    art.image("kvu-button-down", button, [](CGContext& c, CGSize s) { bezel(c, whole(s), Look::down); });
    art.image("kvu-button-selected", button, [](CGContext& c, CGSize s) { bezel(c, whole(s), Look::selected); });

    for (bool down : {false, true}) {
        const std::string d = down ? "-down" : "";
        art.image("kvu-checkbox" + d, {14, 14}, [down](CGContext& c, CGSize s) { drawCheckBox(c, s, false, false, down); });
        art.image("kvu-checkbox-on" + d, {14, 14}, [down](CGContext& c, CGSize s) { drawCheckBox(c, s, true, false, down); });
        art.image("kvu-checkbox-mixed" + d, {14, 14}, [down](CGContext& c, CGSize s) { drawCheckBox(c, s, false, true, down); });
        const Look look = down ? Look::down : Look::normal;
        art.image("kvu-popup" + d, popUp, [look](CGContext& c, CGSize s) { drawPopUp(c, s, look, false); });
        art.image("kvu-popdown" + d, popUp, [look](CGContext& c, CGSize s) { drawPopUp(c, s, look, true); });
        art.image("kvu-popup-tool" + d, toolPopUp, [look](CGContext& c, CGSize s) { drawPopUp(c, s, look, true); });
        art.image("organiser-navbar-back" + d, {28, 24}, [down](CGContext& c, CGSize s) { drawBack(c, s, down); });
        art.image("properties-table-add" + d, {16, 16}, [down](CGContext& c, CGSize s) { drawHeaderIcon(c, s, true, down); });
        art.image("properties-tableheader-overflow" + d, {16, 16},
                  [down](CGContext& c, CGSize s) { drawHeaderIcon(c, s, false, down); });
    }

    art.image("kvu-checkerboard", {16, 16}, [](CGContext& c, CGSize s) { drawCheckerboard(c, s, 4); });
    art.image("kvu-checkerboard-small", {8, 8}, [](CGContext& c, CGSize s) { drawCheckerboard(c, s, 2); });

    // The combo box: the field part (also the arrow part while the list is open) and the arrow
    // part at rest.
    art.image("kvu-combobox", {20, 22}, [](CGContext& c, CGSize s) { field(c, whole(s), fieldRim, 3); });
    art.image("kvu-combobox-up", {20, 22}, [](CGContext& c, CGSize s) {
        bezel(c, whole(s), Look::normal);
        chevron(c, {s.width / 2, s.height / 2}, 7, true, glyph);
    });

    art.image("kvu-customslider-handle", {16, 16}, [](CGContext& c, CGSize s) { drawKnob(c, s, false, false); });
    art.image("kvu-customslider-handle-down", {16, 16}, [](CGContext& c, CGSize s) { drawKnob(c, s, true, false); });
    art.image("kvu-customslider-on", {24, 16}, [](CGContext& c, CGSize s) { drawBar(c, s, true); });

    art.image("kvu-searchfield", {120, 22}, [](CGContext& c, CGSize s) { drawSearchField(c, s, false); });
    art.image("kvu-searchfield-focus", {120, 22}, [](CGContext& c, CGSize s) { drawSearchField(c, s, true); });

    art.image("kvu-slider", {64, 4}, [](CGContext& c, CGSize s) { drawBar(c, s, true); });
    art.image("kvu-slider-alley", {64, 4}, [](CGContext& c, CGSize s) { drawBar(c, s, false); });
    art.image("kvu-slider-handle", {12, 12}, [](CGContext& c, CGSize s) { drawKnob(c, s, false, false); });
    art.image("kvu-slider-handle-down", {12, 12}, [](CGContext& c, CGSize s) { drawKnob(c, s, true, false); });
    art.image("kvu-slider-handle-multi", {12, 12}, [](CGContext& c, CGSize s) { drawKnob(c, s, false, true); });

    art.image("kvu-textfield", text, [](CGContext& c, CGSize s) { field(c, whole(s), fieldRim); });
    art.image("kvu-textfield-error", text, [](CGContext& c, CGSize s) { field(c, whole(s), errorRed, 3, true); });
    art.image("kvu-textfield-focus", text, [](CGContext& c, CGSize s) { field(c, whole(s), accent, 3, true); });
    art.image("kvu-textfield-tableheader", text, [](CGContext& c, CGSize s) { field(c, whole(s), CGColor::hex(0x2c2f35), 2); });

    art.image("kvu-window-tab", tab, [](CGContext& c, CGSize s) { drawTab(c, s, Look::normal); });
    art.image("kvu-window-tab-down", tab, [](CGContext& c, CGSize s) { drawTab(c, s, Look::down); });
    art.image("kvu-window-tab-selected", tab, [](CGContext& c, CGSize s) { drawTab(c, s, Look::selected); });

    art.image("corner-tool-background", tool, [](CGContext& c, CGSize s) { drawToolBackground(c, s, Look::normal); });
    art.image("corner-tool-background-down", tool, [](CGContext& c, CGSize s) { drawToolBackground(c, s, Look::down); });
    art.image("corner-tool-background-selected", tool, [](CGContext& c, CGSize s) { drawToolBackground(c, s, Look::selected); });
    // Drawn over the whole tool button: a small corner triangle, tinted by the cell.
    art.image(
        "corner-tool-more", tool,
        [](CGContext& c, CGSize s) {
            CGPath t;
            t.move({s.width - 3, s.height - 8});
            t.addLine({s.width - 3, s.height - 3});
            t.addLine({s.width - 8, s.height - 3});
            t.closeSubpath();
            c.setFillColor(CGColor::black());
            c.fill(t);
        },
        true);

    art.image("cursor-trackingslider", {16, 16}, [](CGContext& c, CGSize s) { drawTrackingCursor(c, s); });
    art.image("organiser-icon-disclose", {12, 12}, [](CGContext& c, CGSize s) { drawDisclosure(c, s, false); });
    art.image("organiser-icon-disclose-open", {12, 12}, [](CGContext& c, CGSize s) { drawDisclosure(c, s, true); });
    art.image("organiser-icon-star", {14, 14}, [](CGContext& c, CGSize s) { drawStar(c, s, true); });
    art.image("organiser-icon-star-empty", {14, 14}, [](CGContext& c, CGSize s) { drawStar(c, s, false); });

    // What the SwiftUI slider stretches to its fill and its track: the round ends keep their shape.
    art.slice("kvu-customslider-on", {true, false, 8, 0, 8, 0});
    art.slice("kvu-textfield", {true, false, 4, 0, 4, 0});
    // The search field's round ends and its magnifier keep their shape however wide the field.
    art.slice("kvu-searchfield", {true, false, 22, 0, 11, 0});
    art.slice("kvu-searchfield-focus", {true, false, 22, 0, 11, 0});

    // The maker's mark, large and in one colour: a template, which the window tints.
    art.image(
        "window-quorvane", {224, 52},
        [](CGContext& c, CGSize s) { Artwork::drawMakerMark(c, s, 2, CGColor::white(), CGColor::white()); }, true);
}
