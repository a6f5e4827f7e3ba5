#include "Orrindle/Geometry/ColorDescription.hpp"

#include <charconv>
#include <cmath>

namespace Orrindle {

std::string shortestText(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    const double magnitude = std::fabs(value);
    const bool exponent = magnitude != 0 && (magnitude < 1e-4 || magnitude >= 9007199254740992.0);
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                         exponent ? std::chars_format::scientific : std::chars_format::fixed);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    if (!exponent && text.find('.') == std::string::npos) text += ".0";
    return text;
}

std::string debugDescription(const CoreGraphics::CGColor& color) {
    std::string text = CoreGraphics::colorSpaceName(color.colorSpace());
    text += ": [ ";
    for (int i = 0; i < color.numberOfComponents(); ++i) {
        if (i > 0) text += ", ";
        text += shortestText(color.component(i));
    }
    return text + " ]";
}

CoreGraphics::CGSize size(const CoreGraphics::CGImage& image) { return {double(image.width()), double(image.height())}; }

}  // namespace Orrindle
