#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "CoreGraphics/Geometry.hpp"
#include "Observation/Observation.hpp"
#include "Orrindle/Settings/SliderIconClickBehaviour.hpp"

namespace Orrindle {

using CoreGraphics::CGFloat;

// The observable model behind the kit's SwiftUI slider: a value in a range, the value a reset
// returns to, a step for icon clicks and snapping, and the values the edited objects had when
// editing began. No value means those differed (a mixed state). It converts between the value
// and the fraction of the track (0 to 1) that the slider draws, and tells its owner of the
// start, progress and end of a change.
class PobbleSliderModel {
public:
    using Callback = std::function<void(double value)>;

    // The closed range the value is kept in. Its owner keeps the minimum at or below the
    // maximum; while it is above, the range is the minimum alone.
    struct Range {
        CGFloat lowerBound, upperBound;
        // NaN becomes the lower bound.
        CGFloat clamp(CGFloat v) const;
    };

    // The value is the starting values' one value, or none when they differ or there are none.
    PobbleSliderModel(std::vector<CGFloat> startingValues, CGFloat defaultValue, CGFloat minimumValue, CGFloat maximumValue,
                      CGFloat incrementBy, SliderIconClickBehaviour iconClickBehaviour);
    static std::shared_ptr<PobbleSliderModel> make(std::vector<CGFloat> startingValues, CGFloat defaultValue, CGFloat minimumValue,
                                                   CGFloat maximumValue, CGFloat incrementBy,
                                                   SliderIconClickBehaviour iconClickBehaviour);

    // Not observed. Started when a drag begins, ongoing for each change of a drag, complete
    // when a change is finished (a drag's end, an icon click, a reset); each gets the value.
    Callback onSlideStarted, onSlideOngoing, onSlideComplete;

    // Observed; an equal value notifies nobody.
    CGFloat incrementBy() const { return incrementBy_.get(); }
    void setIncrementBy(CGFloat v) { incrementBy_.set(v); }
    CGFloat minimumValue() const { return minimumValue_.get(); }
    void setMinimumValue(CGFloat v) { minimumValue_.set(v); }
    CGFloat maximumValue() const { return maximumValue_.get(); }
    void setMaximumValue(CGFloat v) { maximumValue_.set(v); }
    const std::optional<CGFloat>& value() const { return value_.get(); }
    void setValue(std::optional<CGFloat> v) { value_.set(v); }
    // Changing them later leaves the value alone.
    const std::vector<CGFloat>& startingValues() const { return startingValues_.get(); }
    void setStartingValues(std::vector<CGFloat> values) { startingValues_.set(std::move(values)); }

    CGFloat defaultValue() const { return defaultValue_; }
    SliderIconClickBehaviour iconClickBehaviour() const { return iconClickBehaviour_; }

    Range range() const;
    // The value's fraction of the range, or none without a value. Setting a fraction sets the
    // value that far along the range, clamped to it (a NaN fraction counts as 0); none sets
    // none.
    std::optional<CGFloat> percent() const;
    void setPercent(std::optional<CGFloat> fraction);
    // `value`'s fraction of the range, clamped to 0...1: in a range of no width, 1 above its
    // value and 0 at or below it.
    CGFloat percent(CGFloat value) const;

    // The icons' actions: the minimum or maximum, or a step down or up from the value (the
    // default without one) clamped to the range; then onSlideComplete.
    void leftIconClicked();
    void rightIconClicked();
    // The default value, not clamped; then onSlideComplete.
    void resetToDefault();

private:
    void complete(CGFloat v) const;

    Observation::Observed<CGFloat> incrementBy_, minimumValue_, maximumValue_;
    Observation::Observed<std::optional<CGFloat>> value_;
    Observation::Observed<std::vector<CGFloat>> startingValues_;
    CGFloat defaultValue_;
    SliderIconClickBehaviour iconClickBehaviour_;
};

}  // namespace Orrindle
