#pragma once
#include "Orrindle/Styles/ButtonCellStyle.hpp"

namespace Orrindle {

// The pop-up button: "kvu-popup" bezels (no "on" look), inset for the arrows at the right.
class PopUpButtonCellStyle : public ButtonCellStyle {
public:
    PopUpButtonCellStyle();

    // The pop-up's insets, and a chosen item's title in the plain text colour: what the
    // pop-down button and the combo box share with it (their title insets are their own).
    static void applyPopUpMetrics(ButtonCellStyle& style);
};

}  // namespace Orrindle
