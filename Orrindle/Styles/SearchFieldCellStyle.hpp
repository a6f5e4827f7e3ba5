#pragma once
#include "Orrindle/Styles/TextFieldCellStyle.hpp"

namespace Orrindle {

// The search field: the text field look on the "kvu-searchfield" bezels.
class SearchFieldCellStyle : public TextFieldCellStyle {
public:
    SearchFieldCellStyle();
};

}  // namespace Orrindle
