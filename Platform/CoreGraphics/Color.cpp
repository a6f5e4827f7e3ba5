#include "CoreGraphics/Color.hpp"

#include <algorithm>
#include <cmath>

namespace CoreGraphics {

const char* colorSpaceName(CGColorSpace space) {
    switch (space) {
        case CGColorSpace::sRGB: return "kCGColorSpaceSRGB";
        case CGColorSpace::extendedSRGB: return "kCGColorSpaceExtendedSRGB";
        case CGColorSpace::extendedLinearSRGB: return "kCGColorSpaceExtendedLinearSRGB";
        case CGColorSpace::displayP3: return "kCGColorSpaceDisplayP3";
        case CGColorSpace::extendedLinearDisplayP3: return "kCGColorSpaceExtendedLinearDisplayP3";
        case CGColorSpace::genericGray: return "kCGColorSpaceGenericGrayGamma2_2";
    }
    return "";
}

double srgbEncode(double linear) {
    double x = std::abs(linear);
    double y = x <= 0.0031308 ? 12.92 * x : 1.055 * std::pow(x, 1 / 2.4) - 0.055;
    return std::copysign(y, linear);
}

double srgbDecode(double encoded) {
    double x = std::abs(encoded);
    double y = x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    return std::copysign(y, encoded);
}

CGColor CGColor::withAlpha(double a) const {
    CGColor c = *this;
    c.c_[numberOfComponents() - 1] = a;
    return c;
}

namespace {
double clamp01(double v) { return std::isnan(v) ? 0 : std::clamp(v, 0.0, 1.0); }

// Linear Display P3 to linear sRGB (both D65).
void p3ToSRGB(double& r, double& g, double& b) {
    double r2 = 1.2249401 * r - 0.2249404 * g;
    double g2 = -0.0420569 * r + 1.0420571 * g;
    double b2 = -0.0196376 * r - 0.0786361 * g + 1.0982735 * b;
    r = r2, g = g2, b = b2;
}
}  // namespace

DisplayColor CGColor::displayColor() const {
    double r = c_[0], g = c_[1], b = c_[2];
    switch (space_) {
        case CGColorSpace::sRGB:
        case CGColorSpace::extendedSRGB: break;
        case CGColorSpace::extendedLinearSRGB:
            r = srgbEncode(clamp01(r)), g = srgbEncode(clamp01(g)), b = srgbEncode(clamp01(b));
            break;
        case CGColorSpace::displayP3:
            r = srgbDecode(r), g = srgbDecode(g), b = srgbDecode(b);
            p3ToSRGB(r, g, b);
            r = srgbEncode(clamp01(r)), g = srgbEncode(clamp01(g)), b = srgbEncode(clamp01(b));
            break;
        case CGColorSpace::extendedLinearDisplayP3:
            p3ToSRGB(r, g, b);
            r = srgbEncode(clamp01(r)), g = srgbEncode(clamp01(g)), b = srgbEncode(clamp01(b));
            break;
        case CGColorSpace::genericGray: {
            double w = srgbEncode(std::pow(clamp01(c_[0]), 2.2));
            return {w, w, w, clamp01(c_[1])};
        }
    }
    return {clamp01(r), clamp01(g), clamp01(b), clamp01(alpha())};
}

}  // namespace CoreGraphics
