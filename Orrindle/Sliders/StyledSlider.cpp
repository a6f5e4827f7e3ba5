#include "Orrindle/Sliders/StyledSlider.hpp"

#include <algorithm>
#include <cmath>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSEvent.hpp"

namespace Orrindle {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> StyledSlider::classActions() {
    return {Runtime::action("sliderValueChanged:", &StyledSlider::sliderValueChanged)};
}

void StyledSlider::didInit() {
    AppKit::NSSlider::didInit();
    setTarget(sharedAs<Runtime::NSObject>());
    setAction(Runtime::Selector("sliderValueChanged:"));
}

void StyledSlider::setFixedWidth(std::optional<AppKit::CGFloat> width) {
    fixedWidth_ = width;
    invalidateIntrinsicContentSize();
}

void StyledSlider::sliderValueChanged(Runtime::NSObject*) {
    auto event = AppKit::NSApplication::shared().currentEvent();
    if (!event) return;
    const std::function<void(double)>* callback = nullptr;
    switch (event->type()) {
    case AppKit::EventType::leftMouseDown: callback = &onSlideStarted; break;
    case AppKit::EventType::leftMouseDragged: callback = &onSlideOngoing; break;
    case AppKit::EventType::leftMouseUp: callback = &onSlideComplete; break;
    default: return;
    }
    if (*callback) (*callback)(doubleValue());
}

AppKit::CGSize StyledSlider::intrinsicContentSize() const {
    AppKit::CGSize size = AppKit::NSSlider::intrinsicContentSize();
    if (!fixedWidth_) return size;
    size.width = *fixedWidth_;
    auto c = styledCell();
    if (!c) return size;
    auto bar = c->style()->barImage(c->controlState());
    auto knob = c->style()->knobImage(c->controlState());
    if (bar) size.width = std::max(size.width, bar->size().width);
    if (bar && knob) size.height = std::max(knob->size().height, bar->size().height);
    return size;
}

void StyledScrollableSlider::scrollWheel(const AppKit::NSEvent& event) {
    if (!isEnabled()) return;
    const double range = maxValue() - minValue();
    double d;
    if (isVertical() && sliderType() == AppKit::NSSliderType::linear)
        d = event.scrollingDeltaY();
    else if (userInterfaceLayoutDirection() == AppKit::NSUserInterfaceLayoutDirection::rightToLeft)
        d = event.scrollingDeltaY() + event.scrollingDeltaX();
    else
        d = event.scrollingDeltaY() - event.scrollingDeltaX();
    if (event.isDirectionInvertedFromDevice()) d = -d;
    const double step = range * d / 100;
    double value = doubleValue() + step * 0.25;
    if (sliderType() == AppKit::NSSliderType::circular) {
        if (value < minValue())
            value = maxValue() - std::abs(step * 0.25);
        else if (value > maxValue())
            value = minValue() + std::abs(step * 0.25);
    }
    setDoubleValue(value);
    sendAction(action(), target().get());
}

}  // namespace Orrindle
