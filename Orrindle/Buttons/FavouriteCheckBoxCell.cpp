#include "Orrindle/Buttons/FavouriteCheckBoxCell.hpp"

#include "Orrindle/Styles/FavouriteCheckBoxCellStyle.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

namespace {
AppKit::NSImage::Ptr exactImage(const ButtonCellStyle& style, StyledControlState key) {
    auto* checkBox = dynamic_cast<const CheckBoxCellStyle*>(&style);
    if (!checkBox) return nullptr;
    auto it = checkBox->buttonImages().find(key);
    return it == checkBox->buttonImages().end() ? nullptr : it->second;
}
}  // namespace

std::shared_ptr<ButtonCellStyle> FavouriteCheckBoxCell::style() const {
    return sharedStyle<FavouriteCheckBoxCell, FavouriteCheckBoxCellStyle>();
}

AppKit::NSImage::Ptr FavouriteCheckBoxCell::image() const {
    Runtime::assertMainActor();
    return exactImage(*style(), StyledControlState::default_);
}

AppKit::NSImage::Ptr FavouriteCheckBoxCell::alternateImage() const {
    Runtime::assertMainActor();
    return exactImage(*style(), StyledControlState::on);
}

CGSize FavouriteCheckBoxCell::imageSize() const {
    Runtime::assertMainActor();
    auto checkBox = std::dynamic_pointer_cast<CheckBoxCellStyle>(style());
    auto image = checkBox ? checkBox->image(controlState()) : nullptr;
    return image ? image->size() : CGSize{16, 16};
}

}  // namespace Orrindle
