#pragma once
#include "Orrindle/Styles/ControlStyle.hpp"

namespace Orrindle {

// The slider: bar images (the track, and the filled part) and knob images, each table loaded
// from the catalogue on its first read unless assigned before.
class SliderCellStyle : public ControlStyle {
public:
    const ImageTable& barImages() const;
    void setBarImages(ImageTable images) { barImages_ = std::move(images); }
    const ImageTable& knobImages() const;
    void setKnobImages(ImageTable images) { knobImages_ = std::move(images); }
    virtual AppKit::NSImage::Ptr barImage(StyledControlState state) const;
    virtual AppKit::NSImage::Ptr knobImage(StyledControlState state) const;

private:
    mutable std::optional<ImageTable> barImages_;
    mutable std::optional<ImageTable> knobImages_;
};

}  // namespace Orrindle
