#pragma once
#include "Orrindle/Styles/TextFieldCellStyle.hpp"

namespace Orrindle {

// Labels in table rows: the text field look, which their users adjust.
class TableRowLabelCellStyle : public TextFieldCellStyle {};

}  // namespace Orrindle
