#pragma once
#include "Orrindle/Styles/ButtonCellStyle.hpp"

namespace Orrindle {

// The combo box: the button bezels with the pop-up's insets and room for the title.
class ComboBoxStyle : public ButtonCellStyle {
public:
    ComboBoxStyle();
};

}  // namespace Orrindle
