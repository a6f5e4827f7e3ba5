// The application's catalogue: the window's colours and the application's icon.
#include <cmath>

#include "tools/artwork/Artwork.hpp"

namespace {

using CoreGraphics::CGColor;
using CoreGraphics::CGContext;
using CoreGraphics::CGPath;
using CoreGraphics::CGPoint;
using CoreGraphics::CGSize;

// A dark tile with three glowing waveforms, the header's picture in small.
void drawIcon(CGContext& c, CGSize s) {
    const double inset = s.width * 0.06, side = s.width - 2 * inset;
    const CoreGraphics::CGRect tile{inset, inset, side, side};
    const CGPath shape = CGPath::roundedRect(tile, side * 0.22, CoreGraphics::CornerStyle::continuous);
    c.fillLinearGradient(shape, {{0, CGColor::hex(0x111a3a)}, {1, CGColor::hex(0x2a0f3d)}}, {tile.midX(), tile.minY()},
                         {tile.midX(), tile.maxY()});
    struct Wave {
        CGColor color;
        double cycles, amplitude, phase, width;
    } waves[] = {
        {CGColor::hex(0x2f7bff), 1.5, 0.17, 0.3, 0.035},
        {CGColor::hex(0xd63fa6), 2.2, 0.12, 2.1, 0.030},
        {CGColor::hex(0x8b5cff), 1.0, 0.22, 4.0, 0.032},
    };
    c.setLineCap(CoreGraphics::LineCap::round);
    for (const Wave& w : waves) {
        CGPath line;
        const int steps = 48;
        for (int i = 0; i <= steps; ++i) {
            const double t = double(i) / steps;
            const double taper = std::sin(M_PI * t);
            const CGPoint p{tile.minX() + side * (0.1 + 0.8 * t),
                            tile.midY() + side * w.amplitude * taper * std::sin(2 * M_PI * w.cycles * t + w.phase)};
            if (i == 0) line.move(p);
            else line.addLine(p);
        }
        // A wide faint halo under a bright core.
        c.setStrokeColor(w.color.withAlpha(0.25));
        c.setLineWidth(side * w.width * 3);
        c.stroke(line);
        c.setStrokeColor(w.color);
        c.setLineWidth(side * w.width);
        c.stroke(line);
    }
    c.setStrokeColor(CGColor::gray(1, 0.12));
    c.setLineWidth(1);
    c.stroke(CGPath::roundedRect(tile.insetBy(0.5, 0.5), side * 0.22, CoreGraphics::CornerStyle::continuous));
}

}  // namespace

VZ_ART_SOURCE(appArt) {
    // Violet-black, as the bottom of the header; the text a light lavender grey on it.
    art.color("background", CGColor::hex(0x15111c));
    art.color("buttonText", CGColor::hex(0xc9c4d8));
    art.image("AppIcon", {128, 128}, drawIcon);
}
