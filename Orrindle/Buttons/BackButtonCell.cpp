#include "Orrindle/Buttons/BackButtonCell.hpp"

#include "Orrindle/Styles/BackButtonCellStyle.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void BackButtonCell::didInit() {
    Runtime::assertMainActor();
    StyledButtonCell::didInit();
    setBezelStyle(AppKit::NSBezelStyle::shadowlessSquare);
    setButtonType(AppKit::NSButtonType::toggle);
}

std::shared_ptr<ButtonCellStyle> BackButtonCell::style() const { return sharedStyle<BackButtonCell, BackButtonCellStyle>(); }

}  // namespace Orrindle
