#pragma once
#include <memory>

#include "AppKit/NSCell.hpp"

namespace AppKit {

// A slider's shape, with the platform's raw values.
enum class NSSliderType : unsigned long { linear = 0, circular = 1 };

// The cell of a slider: a value kept within [minValue, maxValue], a bar and a knob whose
// position along the bar shows the value. Geometry (all virtual, so a subclass can reshape the
// slider): the track is the drawing rectangle of the control view's bounds (of the last frame
// drawn without one); the knob is knobThickness long along the track and travels its length
// less that; the bar is a 4-point line through the track's middle, 2 points in at each end.
// Drawing: drawBar(barRect), drawTickMarks(), drawKnob() (= drawKnob(knobRect)). Tracking
// moves the knob's centre to the pointer until the button goes up.
class NSSliderCell : public NSCell {
    VZ_OBJECT(NSSliderCell, NSCell)
public:
    using Ptr = std::shared_ptr<NSSliderCell>;

    double minValue() const { return min_; }
    void setMinValue(double value);
    double maxValue() const { return max_; }
    void setMaxValue(double value);
    // Clamped to the range (a value that is no number becomes minValue).
    void setDoubleValue(double value) override;

    virtual NSSliderType sliderType() const { return type_; }
    virtual void setSliderType(NSSliderType type) { type_ = type; }
    virtual bool isVertical() const { return vertical_; }
    virtual void setVertical(bool flag) { vertical_ = flag; }
    long numberOfTickMarks() const { return tickMarks_; }
    void setNumberOfTickMarks(long count);

    virtual CGFloat knobThickness() const { return 20; }
    CGRect trackRect() const;
    virtual CGRect barRect(bool flipped) const;
    virtual CGRect knobRect(bool flipped) const;
    virtual void drawBar(CGRect inside, bool flipped);
    virtual void drawKnob(CGRect knobRect);
    void drawKnob();
    virtual void drawTickMarks();
    void drawInterior(CGRect withFrame, NSView& in) override;
    CGSize cellSize(CGRect forBounds) const override;
    // The value at a point of the control view.
    double value(CGPoint at) const;

    bool prefersTrackingUntilMouseUp() const override { return true; }
    bool startTracking(CGPoint at, NSView& in) override;
    bool continueTracking(CGPoint last, CGPoint current, NSView& in) override;
    bool acceptsFirstResponder() const override { return true; }

    void didInit() override;

protected:
    NSSliderCell() = default;
    bool controlViewIsFlipped() const;

private:
    double min_ = 0, max_ = 1;
    NSSliderType type_ = NSSliderType::linear;
    bool vertical_ = false;
    long tickMarks_ = 0;
    CGRect lastFrame_;
};

}  // namespace AppKit
