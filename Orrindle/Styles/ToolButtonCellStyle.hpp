#pragma once
#include "Orrindle/Styles/ButtonCellStyle.hpp"

namespace Orrindle {

// The square tool button: "corner-tool-background" bezels, its image a point higher.
class ToolButtonCellStyle : public ButtonCellStyle {
public:
    ToolButtonCellStyle();
};

}  // namespace Orrindle
