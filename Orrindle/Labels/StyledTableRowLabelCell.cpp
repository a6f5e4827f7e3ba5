#include "Orrindle/Labels/StyledTableRowLabelCell.hpp"

#include "Orrindle/Labels/LabelStyle.hpp"
#include "Orrindle/Styles/Styles.hpp"

namespace Orrindle {

std::shared_ptr<TableRowLabelCellStyle> StyledTableRowLabelCell::sharedStyle() {
    static const auto style = labelStyle<TableRowLabelCellStyle>(Styles::TableRow::font(), Styles::TableRow::selectedFont(), Styles::TableRow::textColor());
    return style;
}

}  // namespace Orrindle
