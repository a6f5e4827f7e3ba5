#pragma once
#include "Orrindle/Styles/TextFieldCellStyle.hpp"

namespace Orrindle {

// Labels: the label font and colours, no padding and no bezel.
class TextLabelCellStyle : public TextFieldCellStyle {
public:
    TextLabelCellStyle();
};

}  // namespace Orrindle
