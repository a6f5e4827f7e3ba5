#pragma once
#include <string>

namespace Pellicot {

// The kit's three type faces.
enum class PelliFont { rocket, dosisLight, dosisMedium };

// The PostScript name the face is registered under: "Rocket", "Dosis-Light", "Dosis-Medium".
// The kit's faces are registered by the first call.
const std::string& fontName(PelliFont font);

}  // namespace Pellicot
