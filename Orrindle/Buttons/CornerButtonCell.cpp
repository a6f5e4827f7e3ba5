#include "Orrindle/Buttons/CornerButtonCell.hpp"

#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/Styles/CornerButtonCellStyle.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

namespace {
std::shared_ptr<CornerButtonCellStyle> makeStyle() {
    using S = StyledControlState;
    auto style = std::make_shared<CornerButtonCellStyle>();
    style->setEdgeInsets({});
    style->setBezelImages({{S::default_, AppKit::NSImage::withResource(ImageResources::kvuButton())},
                           {S::on, AppKit::NSImage::withResource(ImageResources::kvuButtonSelected())},
                           {S::highlighted, AppKit::NSImage::withResource(ImageResources::kvuButtonDown())}});
    return style;
}
}  // namespace

void CornerButtonCell::didInit() {
    Runtime::assertMainActor();
    StyledButtonCell::didInit();
    setBezelStyle(AppKit::NSBezelStyle::shadowlessSquare);
    setButtonType(AppKit::NSButtonType::momentaryChange);
}

std::shared_ptr<ButtonCellStyle> CornerButtonCell::style() const {
    static const std::shared_ptr<CornerButtonCellStyle> style = makeStyle();
    return style;
}

}  // namespace Orrindle
