#pragma once
#include <memory>

#include "Orrindle/Styles/TableRowLabelCellStyle.hpp"
#include "Orrindle/TextFields/StyledTextFieldCell.hpp"

namespace Orrindle {

// The cell of the labels of ordinary table rows: a styled text field cell over a style of its own, Styles::TableRow's
// font, selected font and text colour with no bezel and no padding.
class StyledTableRowLabelCell : public StyledTextFieldCell {
    VZ_OBJECT(StyledTableRowLabelCell, StyledTextFieldCell)
public:
    using Ptr = std::shared_ptr<StyledTableRowLabelCell>;

    // Made on first use and shared by the cells of this class.
    static std::shared_ptr<TableRowLabelCellStyle> sharedStyle();
    std::shared_ptr<TextFieldCellStyle> style() const override { return sharedStyle(); }

protected:
    StyledTableRowLabelCell() = default;
};

}  // namespace Orrindle
