#pragma once
#include <memory>

#include "Orrindle/Buttons/StyledCheckBoxCell.hpp"

namespace Orrindle {

// The favourite star: the check box with FavouriteCheckBoxCellStyle's images (an empty star
// when off, a filled one when on). Its image and alternate image are the style's and cannot
// be set; its image size is that of the star for its state.
class FavouriteCheckBoxCell : public StyledCheckBoxCell {
    VZ_OBJECT(FavouriteCheckBoxCell, StyledCheckBoxCell)
public:
    std::shared_ptr<ButtonCellStyle> style() const override;
    // The style's image for exactly `default` (image) and `on` (alternate image); writes are
    // ignored.
    AppKit::NSImage::Ptr image() const override;
    void setImage(AppKit::NSImage::Ptr) override {}
    AppKit::NSImage::Ptr alternateImage() const override;
    void setAlternateImage(AppKit::NSImage::Ptr) override {}
    // The size of the style's image for the current state; 16 x 16 without one.
    CGSize imageSize() const override;

protected:
    FavouriteCheckBoxCell() = default;
};

}  // namespace Orrindle
