#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace CoreGraphics {

// The colour spaces the system uses. Extended spaces let components leave 0...1; every
// colour is converted to (clamped, gamma-encoded) sRGB when it is drawn.
enum class CGColorSpace {
    sRGB,
    extendedSRGB,
    extendedLinearSRGB,
    displayP3,
    extendedLinearDisplayP3,
    genericGray,  // one grey component (gamma 2.2) plus alpha
};

// The platform's name for the space ("kCGColorSpaceSRGB", ...).
const char* colorSpaceName(CGColorSpace space);

// Straight (not premultiplied) sRGB components in 0...1, ready for display.
struct DisplayColor {
    double r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const DisplayColor&, const DisplayColor&) = default;
};

// A colour value: a space and its components (colour components then alpha).
class CGColor {
public:
    constexpr CGColor() = default;  // clear
    static CGColor sRGB(double r, double g, double b, double a = 1) { return {CGColorSpace::sRGB, r, g, b, a}; }
    static CGColor extendedLinearSRGB(double r, double g, double b, double a = 1) {
        return {CGColorSpace::extendedLinearSRGB, r, g, b, a};
    }
    static CGColor displayP3(double r, double g, double b, double a = 1) { return {CGColorSpace::displayP3, r, g, b, a}; }
    static CGColor gray(double white, double a = 1) { return {CGColorSpace::genericGray, white, a, 0, 0}; }
    // 0xRRGGBB with a separate alpha.
    static CGColor hex(std::uint32_t rgb, double a = 1) {
        return sRGB(((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0, a);
    }
    static CGColor clear() { return {}; }
    static CGColor black() { return sRGB(0, 0, 0); }
    static CGColor white() { return sRGB(1, 1, 1); }

    CGColor(CGColorSpace space, double c0, double c1, double c2, double c3) : space_(space), c_{c0, c1, c2, c3} {}

    CGColorSpace colorSpace() const { return space_; }
    int numberOfComponents() const { return space_ == CGColorSpace::genericGray ? 2 : 4; }
    // Component i (0-based); alpha is the last one.
    double component(int i) const { return (i >= 0 && i < numberOfComponents()) ? c_[i] : 0; }
    double alpha() const { return c_[numberOfComponents() - 1]; }
    CGColor withAlpha(double a) const;

    // Converted to sRGB for display: out-of-gamut components clamped to 0...1.
    DisplayColor displayColor() const;

    friend bool operator==(const CGColor&, const CGColor&) = default;

private:
    CGColorSpace space_ = CGColorSpace::sRGB;
    std::array<double, 4> c_{0, 0, 0, 0};
};

// The sRGB transfer function and its inverse, on the extended range (sign-symmetric).
double srgbEncode(double linear);
double srgbDecode(double encoded);

}  // namespace CoreGraphics
