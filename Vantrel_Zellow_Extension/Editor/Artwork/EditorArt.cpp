// The editor's artwork: the panel behind the dials and the step grid, its small bezels, the
// preset button and the velocity fader's handle in three states; and its three colours.
#include <cmath>
#include <string>

#include "CoreGraphics/FontRegistry.hpp"
#include "tools/artwork/Artwork.hpp"

using namespace CoreGraphics;

namespace {

// Where the step grid's columns fall on the panel (points from the panel's top left): the
// panel's and the grid's paddings, then sixteen columns of the small dial's width.
constexpr CGFloat gridLeft = 16 + 17;
constexpr CGFloat columnWidth = 34;
constexpr CGFloat columnSpacing = 2;
constexpr CGFloat dialRowHeight = 150;

void drawPanel(CGContext& c, CGSize s) {
    const CGRect all{0, 0, s.width, s.height};
    c.fillLinearGradient(CGPath::rect(all), {{0, CGColor::hex(0x24272d)}, {0.45, CGColor::hex(0x1c1e23)}, {1, CGColor::hex(0x15171b)}},
                         {0, 0}, {0, s.height});
    // Fine horizontal grain, as on a brushed plate.
    for (CGFloat y = 1; y < s.height; y += 3) {
        const double shade = 0.012 + 0.012 * std::fabs(std::sin(y * 0.37));
        c.setFillColor(CGColor::gray(1, shade));
        c.fill(CGPath::rect({0, y, s.width, 1}));
    }
    // A light edge under the header and a shadow below it.
    c.setFillColor(CGColor::gray(0, 0.55));
    c.fill(CGPath::rect({0, 0, s.width, 1}));
    c.fillLinearGradient(CGPath::rect({0, 1, s.width, 10}), {{0, CGColor::gray(0, 0.35)}, {1, CGColor::gray(0, 0)}}, {0, 1}, {0, 11});

    // The dial row sits in a recessed well.
    const CGRect well{10, 8, s.width - 20, dialRowHeight - 14};
    auto wellPath = CGPath::roundedRect(well, 8, CornerStyle::continuous);
    c.fillLinearGradient(wellPath, {{0, CGColor::hex(0x121317)}, {1, CGColor::hex(0x1a1c21)}}, {0, well.origin.y},
                         {0, well.origin.y + well.size.height});
    c.setLineWidth(1);
    c.setStrokeColor(CGColor::gray(1, 0.06));
    c.stroke(CGPath::roundedRect(well.insetBy(-0.5, -0.5), 8.5, CornerStyle::continuous));
    // Dividers between the delay, random and swing groups (widths 98, 198, 300, spacing 6).
    for (CGFloat x : {16.0 + 98 + 3, 16.0 + 98 + 6 + 198 + 3 - 1}) {
        c.fillLinearGradient(CGPath::rect({x - 0.5, well.origin.y + 16, 1, well.size.height - 32}),
                             {{0, CGColor::gray(1, 0)}, {0.5, CGColor::gray(1, 0.10)}, {1, CGColor::gray(1, 0)}},
                             {0, well.origin.y + 16}, {0, well.origin.y + well.size.height - 16});
    }

    // The step grid: a plate with one lane per step, every fourth lane marked as a beat.
    const CGFloat gridTop = dialRowHeight + 8;
    const CGRect plate{10, gridTop, s.width - 20, s.height - gridTop - 8};
    auto platePath = CGPath::roundedRect(plate, 8, CornerStyle::continuous);
    c.setFillColor(CGColor::hex(0x131418));
    c.fill(platePath);
    c.setStrokeColor(CGColor::gray(1, 0.06));
    c.stroke(CGPath::roundedRect(plate.insetBy(-0.5, -0.5), 8.5, CornerStyle::continuous));
    const CGFloat laneTop = gridTop + 32, laneBottom = plate.origin.y + plate.size.height - 6;
    for (int k = 0; k < 16; ++k) {
        const CGFloat x = gridLeft + k * (columnWidth + columnSpacing);
        const CGRect lane{x, laneTop, columnWidth, laneBottom - laneTop};
        const bool beat = k % 4 == 0;
        c.fillLinearGradient(CGPath::roundedRect(lane, 4, CornerStyle::continuous),
                             {{0, CGColor::hex(beat ? 0x23262d : 0x1d1f24)}, {1, CGColor::hex(beat ? 0x1c1e23 : 0x18191d)}},
                             {0, laneTop}, {0, laneBottom});
        // The fader's slot, under the handle's travel.
        const CGFloat slotTop = laneTop + 100, slotBottom = slotTop + 73;
        c.setFillColor(CGColor::hex(0x08090b));
        c.fill(CGPath::roundedRect({x + columnWidth / 2 - 1.5, slotTop, 3, slotBottom - slotTop}, 1.5, CornerStyle::circular));
        c.setFillColor(CGColor::gray(1, 0.07));
        c.fill(CGPath::rect({x + columnWidth / 2 - 1.5, slotBottom, 3, 1}));
        if (beat) {
            c.setFillColor(CGColor::hex(0xe8b04a, 0.55));
            c.fill(CGPath::rect({x + 4, laneTop + 1, columnWidth - 8, 1.5}));
        }
    }
}

// The small bezel of RESET and the step count; pressed, it sinks and darkens.
void drawBezel(CGContext& c, CGSize s, bool down) {
    const CGRect outer{0.5, 0.5, s.width - 1, s.height - 1};
    c.setFillColor(CGColor::hex(0x08090b));
    c.fill(CGPath::roundedRect(outer, 5, CornerStyle::continuous));
    const CGRect face = outer.insetBy(1.5, 1.5);
    auto facePath = CGPath::roundedRect(face, 4, CornerStyle::continuous);
    c.fillLinearGradient(facePath,
                         {{0, CGColor::hex(down ? 0x1e2025 : 0x444852)}, {1, CGColor::hex(down ? 0x2a2d33 : 0x2b2e34)}},
                         {0, face.origin.y}, {0, face.origin.y + face.size.height});
    c.setLineWidth(1);
    if (down) {
        c.setStrokeColor(CGColor::hex(0xe8b04a, 0.8));
        c.stroke(CGPath::roundedRect(face.insetBy(0.5, 0.5), 3.5, CornerStyle::continuous));
    } else {
        c.setStrokeColor(CGColor::gray(1, 0.16));
        CGPath highlight;
        highlight.move({face.origin.x + 4, face.origin.y + 0.5});
        highlight.addLine({face.origin.x + face.size.width - 4, face.origin.y + 0.5});
        c.stroke(highlight);
    }
}

// The header's preset button: a bezel with its name and a chevron.
void drawPresetButton(CGContext& c, CGSize s) {
    drawBezel(c, s, false);
    c.drawText(AttributedText("PRESETS", Font::named("Rocket", 12), CGColor::hex(0xe8ebf0)), {12, (s.height - 15) / 2, s.width - 30, 16});
    CGPath chevron;
    const CGFloat cx = s.width - 14, cy = s.height / 2;
    chevron.move({cx - 4, cy - 2});
    chevron.addLine({cx, cy + 2});
    chevron.addLine({cx + 4, cy - 2});
    c.setLineWidth(1.6);
    c.setLineCap(LineCap::round);
    c.setStrokeColor(CGColor::hex(0xe8b04a));
    c.stroke(chevron);
}

// The fader handle: a cap with grip lines and a centre mark; lit while dragged, flat and dim
// when disabled.
void drawHandle(CGContext& c, CGSize s, bool down, bool disabled) {
    const CGRect body{2, 1.5, s.width - 4, s.height - 4};
    c.setFillColor(CGColor::gray(0, disabled ? 0.25 : 0.5));
    c.fill(CGPath::roundedRect(body.offsetBy(0, 1.5), 3.5, CornerStyle::continuous));
    auto path = CGPath::roundedRect(body, 3.5, CornerStyle::continuous);
    if (disabled) {
        c.setFillColor(CGColor::hex(0x2a2c31));
        c.fill(path);
    } else {
        c.fillLinearGradient(path, {{0, CGColor::hex(down ? 0x6a6f7a : 0x5a5f69)}, {0.5, CGColor::hex(down ? 0x50545e : 0x3e424a)},
                                    {1, CGColor::hex(down ? 0x3c4048 : 0x2a2d33)}},
                             {0, body.origin.y}, {0, body.origin.y + body.size.height});
    }
    c.setLineWidth(1);
    c.setStrokeColor(disabled ? CGColor::gray(1, 0.05) : CGColor::gray(0, 0.7));
    c.stroke(CGPath::roundedRect(body.insetBy(0.5, 0.5), 3, CornerStyle::continuous));
    const CGFloat mid = body.origin.y + body.size.height / 2;
    for (CGFloat dy : {-4.0, 4.0}) {
        c.setFillColor(CGColor::gray(1, disabled ? 0.05 : 0.14));
        c.fill(CGPath::rect({body.origin.x + 6, mid + dy, body.size.width - 12, 1}));
    }
    c.setFillColor(disabled ? CGColor::hex(0x44474e) : CGColor::hex(down ? 0xffd27a : 0xe8b04a));
    c.fill(CGPath::rect({body.origin.x + 3, mid - 1, body.size.width - 6, 2}));
}

}  // namespace

VZ_ART_SOURCE(editorArt) {
    // The preset button's name is set in the editor's face; the art tool runs outside any bundle.
    FontRegistry::registerFontFile("/usr/share/fonts/truetype/play/Play-Bold.ttf", "Rocket");

    art.color("background", CGColor::hex(0x15171b));
    art.color("labels", CGColor::hex(0x8a919e));
    art.color("values", CGColor::hex(0xe8ebf0));

    art.image("background", {640, 434}, [](CGContext& c, CGSize s) { drawPanel(c, s); });
    art.image("button", {100, 22}, [](CGContext& c, CGSize s) { drawBezel(c, s, false); });
    art.image("button-down", {100, 22}, [](CGContext& c, CGSize s) { drawBezel(c, s, true); });
    art.image("button-preset", {104, 26}, [](CGContext& c, CGSize s) { drawPresetButton(c, s); });
    art.image("sliders/slider-handle", {32, 20}, [](CGContext& c, CGSize s) { drawHandle(c, s, false, false); });
    art.image("sliders/slider-handle-disabled", {32, 20}, [](CGContext& c, CGSize s) { drawHandle(c, s, false, true); });
    art.image("sliders/slider-handle-down", {32, 20}, [](CGContext& c, CGSize s) { drawHandle(c, s, true, false); });
}
