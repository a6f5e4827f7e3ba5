#include "Orrindle/Styles/ComboBoxStyle.hpp"

#include "Orrindle/Styles/PopUpButtonCellStyle.hpp"

namespace Orrindle {

ComboBoxStyle::ComboBoxStyle() {
    PopUpButtonCellStyle::applyPopUpMetrics(*this);
    setTitleEdgeInsets({3, 7, 2, 0});
}

}  // namespace Orrindle
