#include "Orrindle/Buttons/BackButtonCell.hpp"

#include "Orrindle/Styles/BackButtonCellStyle.hpp"

namespace Orrindle {

void BackButtonCell::didInit() {
    StyledButtonCell::didInit();
    setBezelStyle(AppKit::NSBezelStyle::shadowlessSquare);
    setButtonType(AppKit::NSButtonType::toggle);
}

std::shared_ptr<ButtonCellStyle> BackButtonCell::style() const { return sharedStyle<BackButtonCell, BackButtonCellStyle>(); }

}  // namespace Orrindle
