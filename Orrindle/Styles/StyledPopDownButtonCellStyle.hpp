#pragma once
#include "Orrindle/Styles/ButtonCellStyle.hpp"

namespace Orrindle {

// The pop-down button: the pop-up's insets with the "kvu-popdown" bezels.
class StyledPopDownButtonCellStyle : public ButtonCellStyle {
public:
    StyledPopDownButtonCellStyle();
};

}  // namespace Orrindle
