#pragma once
#include "Orrindle/Styles/TextFieldCellStyle.hpp"

namespace Orrindle {

// A text field in a table header: the text field look on the "kvu-textfield-tableheader" bezel.
class HeaderTextFieldStyle : public TextFieldCellStyle {
public:
    HeaderTextFieldStyle();
};

}  // namespace Orrindle
