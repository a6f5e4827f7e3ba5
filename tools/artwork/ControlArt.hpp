#pragma once
// Drawings of common control parts that the modules' art sources share, so knobs and
// buttons of every bundle look like one family. All in a flipped context, in points.
#include "CoreGraphics/CGContext.hpp"

namespace Artwork {

struct DialStyle {
    CoreGraphics::CGColor body = CoreGraphics::CGColor::hex(0x3a3d44);       // cap colour (lit side)
    CoreGraphics::CGColor bodyShade = CoreGraphics::CGColor::hex(0x1c1e22);  // cap colour (far side)
    CoreGraphics::CGColor track = CoreGraphics::CGColor::hex(0x33363c);
    CoreGraphics::CGColor value = CoreGraphics::CGColor::hex(0x3d9bff);
    CoreGraphics::CGColor pointer = CoreGraphics::CGColor::hex(0xf0f2f5);
    CoreGraphics::CGFloat trackWidth = 2;
};

// A round knob in `box` at `position` (0...1) of its travel, which runs from 7:30 to 4:30
// o'clock: the lit arc and the pointer show the value.
void drawDial(CoreGraphics::CGContext& c, const CoreGraphics::CGRect& box, double position, const DialStyle& style = {});

struct ButtonStyle {
    CoreGraphics::CGColor top = CoreGraphics::CGColor::hex(0x50545d);
    CoreGraphics::CGColor bottom = CoreGraphics::CGColor::hex(0x2a2c31);
    CoreGraphics::CGColor border = CoreGraphics::CGColor::hex(0x15161a);
    CoreGraphics::CGColor lit = CoreGraphics::CGColor::hex(0x3d9bff);  // border when on or pressed
    CoreGraphics::CGFloat cornerRadius = 4;
};

// A raised button face in `box`; pressed sinks it (darker, inverted gradient), on lights its
// border.
void drawButton(CoreGraphics::CGContext& c, const CoreGraphics::CGRect& box, bool pressed, bool on = false,
                const ButtonStyle& style = {});

// The maker's mark: a ring cut by a swash, beside the name set in "Dosis-Medium" (which the art
// source registers). Laid out for a height of 26 points at `scale` 1 and scaled from there.
void drawMakerMark(CoreGraphics::CGContext& c, CoreGraphics::CGSize s, CoreGraphics::CGFloat scale,
                   const CoreGraphics::CGColor& ring, const CoreGraphics::CGColor& name);

}  // namespace Artwork
