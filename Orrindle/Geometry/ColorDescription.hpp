#pragma once
#include <string>

#include "CoreGraphics/CGImage.hpp"
#include "CoreGraphics/Color.hpp"

namespace Orrindle {

// A colour for logs: its space's name, ": [ ", its components (alpha last) each as the
// shortest text that reads back as the same double ("1.0", "0.25", "1e-05"), ", " between
// them, then " ]".
std::string debugDescription(const CoreGraphics::CGColor& color);

// A double as it prints in logs: the shortest round-trip text, ".0" on whole numbers, an
// exponent below 1e-4 and from 2^53 on, "inf", "-inf" and "nan".
std::string shortestText(double value);

// The bitmap's pixel width and height.
CoreGraphics::CGSize size(const CoreGraphics::CGImage& image);

}  // namespace Orrindle
