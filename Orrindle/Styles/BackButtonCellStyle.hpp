#pragma once
#include "Orrindle/Styles/ButtonCellStyle.hpp"

namespace Orrindle {

// The navigation back button: "organiser-navbar-back", pressed or on "organiser-navbar-back-down".
class BackButtonCellStyle : public ButtonCellStyle {
public:
    BackButtonCellStyle();
};

}  // namespace Orrindle
