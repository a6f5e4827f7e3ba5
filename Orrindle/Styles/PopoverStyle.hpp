#pragma once
#include "Orrindle/Styles/WindowStyle.hpp"

namespace Orrindle {

// Popovers: the window look, which their users adjust.
class PopoverStyle : public WindowStyle {};

}  // namespace Orrindle
