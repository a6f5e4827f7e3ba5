#pragma once
#include <memory>

#include "AppKit/NSControl.hpp"
#include "AppKit/NSSliderCell.hpp"

namespace AppKit {

// A slider over an NSSliderCell (or a subclass's cell). The mouse puts the knob's centre
// under the pointer: on the mouse-down, on every drag and on the mouse-up, wherever the pointer
// is; the action goes out on each while the slider is continuous (the default), else on the
// mouse-up only - the application's current event tells which one it was. The arrow keys step
// the value by a twentieth of the range and send the action. The scroll wheel is not the
// slider's: it goes on to the next responder.
class NSSlider : public NSControl {
    VZ_OBJECT(NSSlider, NSControl)
public:
    using Ptr = std::shared_ptr<NSSlider>;

    NSCellClass cellClass() const override { return NSCellClass::of<NSSliderCell>(); }
    NSSliderCell::Ptr sliderCell() const { return std::dynamic_pointer_cast<NSSliderCell>(cell()); }

    double minValue() const;
    void setMinValue(double value);
    double maxValue() const;
    void setMaxValue(double value);
    NSSliderType sliderType() const;
    void setSliderType(NSSliderType type);
    bool isVertical() const;
    void setVertical(bool flag);
    long numberOfTickMarks() const;
    void setNumberOfTickMarks(long count);

    void mouseDown(const NSEvent& event) override;
    void keyDown(const NSEvent& event) override;

protected:
    NSSlider() = default;
    explicit NSSlider(CGRect frame) : NSControl(frame) {}
};

}  // namespace AppKit
