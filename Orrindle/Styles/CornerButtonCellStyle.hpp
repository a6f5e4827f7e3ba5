#pragma once
#include "Orrindle/Styles/ButtonCellStyle.hpp"

namespace Orrindle {

// The corner button: the button look, which its users adjust.
class CornerButtonCellStyle : public ButtonCellStyle {};

}  // namespace Orrindle
