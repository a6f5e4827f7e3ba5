#include "Orrindle/Labels/StyledTableGroupRowLabelCell.hpp"

#include "Orrindle/Labels/LabelStyle.hpp"
#include "Orrindle/Styles/Styles.hpp"

namespace Orrindle {

std::shared_ptr<TableGroupLabelCellStyle> StyledTableGroupRowLabelCell::sharedStyle() {
    static const auto style = labelStyle<TableGroupLabelCellStyle>(Styles::TableGroupRow::font(), Styles::TableGroupRow::selectedFont(), Styles::TableGroupRow::textColor());
    return style;
}

}  // namespace Orrindle
