#pragma once
#include <memory>

#include "Orrindle/Buttons/StyledButtonCell.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// The check box's cell: a box image of its style (CheckBoxCellStyle) chosen by state, at the
// left edge, the title to its right; a click turns it on, or off when it was on (never mixed).
// Its own initialisation highlights and shows the state by contents; made through its control,
// the styled button's setup() then empties highlightsBy again.
class StyledCheckBoxCell : public StyledButtonCell {
    VZ_OBJECT(StyledCheckBoxCell, StyledButtonCell)
public:
    using Ptr = std::shared_ptr<StyledCheckBoxCell>;

    // The image rectangle's horizontal shift, per cell.
    CGFloat xOffset() const { return xOffset_; }
    void setXOffset(CGFloat offset) {
        Runtime::assertMainActor();
        xOffset_ = offset;
    }

    void didInit() override;
    std::shared_ptr<ButtonCellStyle> style() const override;
    virtual CGSize imageSize() const { return {16, 16}; }

    // imageSize, at x 0 (whatever the bounds' x) shifted by xOffset, centred vertically on the
    // drawing rectangle.
    CGRect imageRect(CGRect forBounds) const override;
    // The title's own size (rounded up) from x = imageSize().width; centred vertically unless
    // verticallyCenterTitle is off (then at y 0, not made integral).
    CGRect titleRect(CGRect forBounds) const override;
    // The box only.
    CGRect focusRingMaskBounds(CGRect forFrame, AppKit::NSView& in) const override;
    // The style's box image for the state (the image handed in is not used); nothing when the
    // style is not a check-box style or has no image.
    void drawImage(const AppKit::NSImage::Ptr& image, CGRect withFrame, AppKit::NSView& in) override;
    AppKit::NSControlStateValue nextState() const override;

protected:
    StyledCheckBoxCell() = default;

private:
    CGFloat xOffset_ = -2;
};

}  // namespace Orrindle
