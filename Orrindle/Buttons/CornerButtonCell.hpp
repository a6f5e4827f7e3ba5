#pragma once
#include "Orrindle/Buttons/StyledButtonCell.hpp"

namespace Orrindle {

// The corner button's cell: the button bezels without edge insets (CornerButtonCellStyle), a
// square shadowless bezel, momentary-change type.
class CornerButtonCell : public StyledButtonCell {
    VZ_OBJECT(CornerButtonCell, StyledButtonCell)
public:
    void didInit() override;
    std::shared_ptr<ButtonCellStyle> style() const override;

protected:
    CornerButtonCell() = default;
};

}  // namespace Orrindle
