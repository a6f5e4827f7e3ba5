#pragma once
#include <memory>

#include "AppKit/NSBackgroundStyle.hpp"
#include "AppKit/NSSliderCell.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/SliderCellStyle.hpp"

namespace Orrindle {

// The kit's slider cell: always horizontal and linear, no tick marks, no focus ring. It draws
// a track image ("kvu-slider-alley") as tall as the image and centred in the control, 2 points
// in at each end; the filled part ("kvu-slider") from the track's start to the knob's centre,
// none while the knob stands on the track's start; and the knob image of its state, all at half
// opacity when disabled. The knob keeps its image's size, centred on where the platform would
// put the knob, never beyond either end of the bar: its travel is the bar's length less its
// width, from the bar's start at the minimum to the bar's end at the maximum.
class StyledSliderCell : public AppKit::NSSliderCell, public StyledControl<SliderCellStyle> {
    VZ_OBJECT(StyledSliderCell, AppKit::NSSliderCell)
public:
    using Ptr = std::shared_ptr<StyledSliderCell>;

    // Made on first use and shared by all slider cells: the control defaults on a clear
    // background.
    static std::shared_ptr<SliderCellStyle> sharedStyle();
    std::shared_ptr<SliderCellStyle> style() const override { return sharedStyle(); }
    // (enabled ? default : default + disabled), plus highlighted while pressed and enabled.
    StyledControlState controlState() const override;

    AppKit::NSSliderType sliderType() const override { return AppKit::NSSliderType::linear; }
    bool isVertical() const override { return false; }
    AppKit::CGFloat knobThickness() const override;
    AppKit::CGRect barRect(bool flipped) const override;
    AppKit::CGRect knobRect(bool flipped) const override;
    void drawBar(AppKit::CGRect inside, bool flipped) override;
    void drawKnob(AppKit::CGRect knobRect) override;
    using AppKit::NSSliderCell::drawKnob;
    void drawTickMarks() override {}
    void drawFocusRingMask(AppKit::CGRect, AppKit::NSView&) override {}
    AppKit::CGRect focusRingMaskBounds(AppKit::CGRect forFrame, AppKit::NSView& in) const override;
    AppKit::NSBackgroundStyle interiorBackgroundStyle() const override { return style()->interiorBackgroundStyle(); }

protected:
    StyledSliderCell() = default;

private:
    AppKit::NSImage::Ptr knobImage() const { return style()->knobImage(controlState()); }
    AppKit::NSImage::Ptr barImage() const { return style()->barImage(controlState()); }
};

}  // namespace Orrindle
