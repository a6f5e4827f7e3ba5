#pragma once
#include <memory>

#include "Orrindle/Styles/TableGroupLabelCellStyle.hpp"
#include "Orrindle/TextFields/StyledTextFieldCell.hpp"

namespace Orrindle {

// The cell of the labels of table group rows: a styled text field cell over a style of its own, Styles::TableGroupRow's
// font, selected font and text colour with no bezel and no padding.
class StyledTableGroupRowLabelCell : public StyledTextFieldCell {
    VZ_OBJECT(StyledTableGroupRowLabelCell, StyledTextFieldCell)
public:
    using Ptr = std::shared_ptr<StyledTableGroupRowLabelCell>;

    // Made on first use and shared by the cells of this class.
    static std::shared_ptr<TableGroupLabelCellStyle> sharedStyle();
    std::shared_ptr<TextFieldCellStyle> style() const override { return sharedStyle(); }

protected:
    StyledTableGroupRowLabelCell() = default;
};

}  // namespace Orrindle
