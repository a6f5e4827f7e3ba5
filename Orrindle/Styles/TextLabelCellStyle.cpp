#include "Orrindle/Styles/TextLabelCellStyle.hpp"

#include "Orrindle/Styles/Styles.hpp"

namespace Orrindle {

TextLabelCellStyle::TextLabelCellStyle() {
    setFont(Styles::Label::font());
    setTextColor(Styles::Label::nsTextColor());
    setDisabledTextColor(Styles::Label::disabledTextColor());
    setBezelImageCapInsets({});
    setPadding({});
    setBezelImages({});
}

}  // namespace Orrindle
