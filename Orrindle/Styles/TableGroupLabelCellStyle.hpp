#pragma once
#include "Orrindle/Styles/TextFieldCellStyle.hpp"

namespace Orrindle {

// Labels of table group rows: the text field look, which their users adjust.
class TableGroupLabelCellStyle : public TextFieldCellStyle {};

}  // namespace Orrindle
