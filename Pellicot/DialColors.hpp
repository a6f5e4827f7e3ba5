#pragma once
#include <string>

namespace Pellicot {

// The colours the dials' artwork comes in; the case name is the colour word of the images.
enum class SmallDialColor { blue, yellow, red, purple };
enum class ModernDialColor { grey };
enum class TinyDialColor { grey };

std::string colorWord(SmallDialColor color);

}  // namespace Pellicot
