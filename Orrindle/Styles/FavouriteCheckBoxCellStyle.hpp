#pragma once
#include "Orrindle/Styles/CheckBoxCellStyle.hpp"

namespace Orrindle {

// The favourite toggle: an empty star, a filled one when on.
class FavouriteCheckBoxCellStyle : public CheckBoxCellStyle {
public:
    FavouriteCheckBoxCellStyle();
};

}  // namespace Orrindle
