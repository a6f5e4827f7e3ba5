#pragma once
#include <memory>

#include "Orrindle/Styles/TextLabelCellStyle.hpp"
#include "Orrindle/TextFields/StyledTextFieldCell.hpp"

namespace Orrindle {

// The cell of the plain label: a styled text field cell over the label style (the label font
// and colours, no bezel, no padding).
class StyledTextLabelCell : public StyledTextFieldCell {
    VZ_OBJECT(StyledTextLabelCell, StyledTextFieldCell)
public:
    using Ptr = std::shared_ptr<StyledTextLabelCell>;

    // Made on first use and shared by the cells of this class.
    static std::shared_ptr<TextLabelCellStyle> sharedStyle() { return Orrindle::sharedStyle<StyledTextLabelCell, TextLabelCellStyle>(); }
    std::shared_ptr<TextFieldCellStyle> style() const override { return sharedStyle(); }

protected:
    StyledTextLabelCell() = default;
};

}  // namespace Orrindle
