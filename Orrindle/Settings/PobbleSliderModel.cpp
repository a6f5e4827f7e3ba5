#include "Orrindle/Settings/PobbleSliderModel.hpp"

#include <algorithm>
#include <cmath>

namespace Orrindle {

CGFloat PobbleSliderModel::Range::clamp(CGFloat v) const {
    if (std::isnan(v)) return lowerBound;
    return std::max(lowerBound, std::min(v, upperBound));
}

PobbleSliderModel::PobbleSliderModel(std::vector<CGFloat> startingValues, CGFloat defaultValue, CGFloat minimumValue,
                                     CGFloat maximumValue, CGFloat incrementBy, SliderIconClickBehaviour iconClickBehaviour)
    : incrementBy_(incrementBy),
      minimumValue_(minimumValue),
      maximumValue_(maximumValue),
      startingValues_(std::move(startingValues)),
      defaultValue_(defaultValue),
      iconClickBehaviour_(iconClickBehaviour) {
    const auto& values = startingValues_.peek();
    if (!values.empty() && std::all_of(values.begin(), values.end(), [&](CGFloat v) { return v == values.front(); }))
        value_.set(values.front());
}

std::shared_ptr<PobbleSliderModel> PobbleSliderModel::make(std::vector<CGFloat> startingValues, CGFloat defaultValue,
                                                           CGFloat minimumValue, CGFloat maximumValue, CGFloat incrementBy,
                                                           SliderIconClickBehaviour iconClickBehaviour) {
    return std::make_shared<PobbleSliderModel>(std::move(startingValues), defaultValue, minimumValue, maximumValue, incrementBy,
                                               iconClickBehaviour);
}

PobbleSliderModel::Range PobbleSliderModel::range() const {
    const CGFloat lo = minimumValue(), hi = maximumValue();
    // An inverted range would leave clamping without an answer: it is the minimum alone.
    return {lo, std::max(lo, hi)};
}

std::optional<CGFloat> PobbleSliderModel::percent() const {
    const auto& v = value();
    if (!v) return std::nullopt;
    return percent(*v);
}

void PobbleSliderModel::setPercent(std::optional<CGFloat> fraction) {
    if (!fraction) {
        setValue(std::nullopt);
        return;
    }
    const Range r = range();
    const CGFloat f = std::isnan(*fraction) ? 0 : *fraction;
    setValue(r.clamp(r.lowerBound + (r.upperBound - r.lowerBound) * f));
}

CGFloat PobbleSliderModel::percent(CGFloat v) const {
    const Range r = range();
    const CGFloat f = (v - r.lowerBound) / (r.upperBound - r.lowerBound);
    if (std::isnan(f) || f < 0) return 0;
    return std::min<CGFloat>(f, 1);
}

void PobbleSliderModel::complete(CGFloat v) const {
    if (onSlideComplete) onSlideComplete(double(v));
}

void PobbleSliderModel::leftIconClicked() {
    CGFloat next = minimumValue();
    if (iconClickBehaviour_ == SliderIconClickBehaviour::increment)
        next = range().clamp(value().value_or(defaultValue_) - incrementBy());
    setValue(next);
    complete(next);
}

void PobbleSliderModel::rightIconClicked() {
    CGFloat next = maximumValue();
    if (iconClickBehaviour_ == SliderIconClickBehaviour::increment)
        next = range().clamp(value().value_or(defaultValue_) + incrementBy());
    setValue(next);
    complete(next);
}

void PobbleSliderModel::resetToDefault() {
    setValue(defaultValue_);
    complete(defaultValue_);
}

}  // namespace Orrindle
