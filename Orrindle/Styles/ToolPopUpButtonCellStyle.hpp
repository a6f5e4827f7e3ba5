#pragma once
#include "Orrindle/Styles/PopUpButtonCellStyle.hpp"

namespace Orrindle {

// The small tool pop-up: everything of the pop-up button, then its own insets and
// "kvu-popup-tool" bezels.
class ToolPopUpButtonCellStyle : public PopUpButtonCellStyle {
public:
    ToolPopUpButtonCellStyle();
};

}  // namespace Orrindle
