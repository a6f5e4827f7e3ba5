#include "Orrindle/Styles/TextLabelCellStyle.hpp"

#include "Orrindle/Styles/Styles.hpp"

namespace Orrindle {

TextLabelCellStyle::TextLabelCellStyle() {
    setLabelLook(Styles::Label::font(), Styles::Label::nsTextColor());
    setDisabledTextColor(Styles::Label::disabledTextColor());
}

}  // namespace Orrindle
