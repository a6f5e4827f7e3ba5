// The module's two textures: the about art's logo (a white mark on clear, the shader tints
// and lights it) and a tile of noise with an independent value in each colour channel.
#include <cmath>
#include <cstdint>

#include "tools/artwork/Artwork.hpp"

using namespace CoreGraphics;

namespace {

constexpr double kPi = 3.14159265358979323846;

void drawLogo(CGContext& c, CGSize s) {
    const double w = s.width, h = s.height, cx = w / 2, cy = h / 2, r = w * 0.40;
    c.setStrokeColor(CGColor::sRGB(1, 1, 1, 1));
    c.setLineCap(LineCap::round);
    c.setLineJoin(LineJoin::round);
    // An open ring, broken at the right like a dial's travel.
    CGPath ring;
    ring.addArc({cx, cy}, r, 0.22 * kPi, 1.78 * kPi, false);
    c.setLineWidth(w * 0.055);
    c.stroke(ring);
    // A waveform through the middle, tallest at its centre.
    CGPath wave;
    const int steps = 96;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const double x = cx - r * 0.78 + t * r * 1.56;
        const double envelope = std::sin(kPi * t);
        const double y = cy + envelope * envelope * r * 0.42 * std::sin(t * 5.5 * kPi);
        if (i == 0) wave.move({x, y});
        else wave.addLine({x, y});
    }
    c.setLineWidth(w * 0.045);
    c.stroke(wave);
    // A dot where the ring opens.
    c.setFillColor(CGColor::sRGB(1, 1, 1, 1));
    c.fill(CGPath::ellipse({cx + r * 0.93 - w * 0.04, cy - w * 0.04, w * 0.08, w * 0.08}));
}

std::uint32_t mix(std::uint32_t v) {
    v ^= v >> 16;
    v *= 0x7feb352dU;
    v ^= v >> 15;
    v *= 0x846ca68bU;
    v ^= v >> 16;
    return v;
}

void drawNoise(CGContext& c, CGSize s) {
    const int n = int(s.width);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const std::uint32_t v = mix(std::uint32_t(y * n + x) * 3u + 0x9e37u);
            c.setFillColor(CGColor::sRGB((v & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, ((v >> 16) & 0xFF) / 255.0, 1));
            c.fill(CGRect{double(x), double(y), 1, 1});
        }
}

}  // namespace

VZ_ART_SOURCE(shaderArt) {
    art.image("skeln-logo", {256, 256}, drawLogo);
    art.image("skeln-noise", {64, 64}, drawNoise);
}
