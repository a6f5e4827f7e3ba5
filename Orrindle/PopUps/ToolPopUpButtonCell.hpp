#pragma once
#include "Orrindle/PopUps/StyledPopUpButtonCell.hpp"
#include "Orrindle/Styles/ToolPopUpButtonCellStyle.hpp"

namespace Orrindle {

// The tool pop-up's cell: the pop-up cell with the compact tool style, which reaches the bezel,
// the title colours, the button's size and its ring through the cell's class.
class ToolPopUpButtonCell : public StyledPopUpButtonCell {
    VZ_OBJECT(ToolPopUpButtonCell, StyledPopUpButtonCell)
public:
    using Ptr = std::shared_ptr<ToolPopUpButtonCell>;

    std::shared_ptr<PopUpButtonCellStyle> style() const override { return toolStyle(); }
    static std::shared_ptr<ToolPopUpButtonCellStyle> toolStyle() {
        return sharedStyle<ToolPopUpButtonCell, ToolPopUpButtonCellStyle>();
    }

protected:
    ToolPopUpButtonCell() = default;
};

}  // namespace Orrindle
