#pragma once
#include "Orrindle/Buttons/StyledButtonCell.hpp"

namespace Orrindle {

// The navigation back button's cell: "organiser-navbar-back" bezels (BackButtonCellStyle), a
// square shadowless bezel, toggle type.
class BackButtonCell : public StyledButtonCell {
    VZ_OBJECT(BackButtonCell, StyledButtonCell)
public:
    void didInit() override;
    std::shared_ptr<ButtonCellStyle> style() const override;

protected:
    BackButtonCell() = default;
};

}  // namespace Orrindle
