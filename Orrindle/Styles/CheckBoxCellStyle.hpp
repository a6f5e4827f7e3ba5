#pragma once
#include "Orrindle/Styles/ButtonCellStyle.hpp"

namespace Orrindle {

// The check box: its box images by state (a selected check box looks pressed) beside the
// button bezels, and no highlighted or selected colours of its own.
class CheckBoxCellStyle : public ButtonCellStyle {
public:
    CheckBoxCellStyle();

    const ImageTable& buttonImages() const { return buttonImages_; }
    void setButtonImages(ImageTable images) { buttonImages_ = std::move(images); }
    // The box image of `state` (findImage over buttonImages).
    virtual AppKit::NSImage::Ptr image(StyledControlState state) const;

private:
    ImageTable buttonImages_;
};

}  // namespace Orrindle
