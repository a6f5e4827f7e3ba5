#include "Orrindle/Sliders/TrackingSlider.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSEvent.hpp"
#include "Orrindle/Resources/ImageResources.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

using State = AppKit::NSGestureRecognizer::State;

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> TrackingSlider::classActions() {
    return {Runtime::action("handlePanGesture:", &TrackingSlider::handlePanGesture)};
}

std::optional<TrackingSlider::MovementDirection> TrackingSlider::movementDirection(long rawValue) {
    if (rawValue == 0) return MovementDirection::horizontal;
    if (rawValue == 1) return MovementDirection::vertical;
    return std::nullopt;
}

void TrackingSlider::didInit() {
    Runtime::assertMainActor();
    cursor_ = AppKit::NSCursor::make(AppKit::NSImage::withResource(ImageResources::cursorTrackingslider()), {3, 4});
    ClickableImageView::didInit();
    addGestureRecognizer(panGestureRecognizer());
}

std::shared_ptr<AppKit::NSPanGestureRecognizer> TrackingSlider::panGestureRecognizer() {
    Runtime::assertMainActor();
    if (!panRecognizer_) {
        panRecognizer_ = Runtime::make<AppKit::NSPanGestureRecognizer>();
        panRecognizer_->setTarget(sharedAs<Runtime::NSObject>());
        panRecognizer_->setAction(Runtime::Selector("handlePanGesture:"));
        panRecognizer_->setDelaysPrimaryMouseButtonEvents(false);
    }
    return panRecognizer_;
}

void TrackingSlider::setDoubleValue(double value) {
    Runtime::assertMainActor();
    // Bounds set one at a time may be reversed for a while; a value still lands between them.
    const double lo = std::min<double>(minimum_, maximum_), hi = std::max<double>(minimum_, maximum_);
    if (std::isnan(lo) || std::isnan(hi)) return;
    value_ = std::isnan(value) ? double(minimum_) : std::clamp(value, lo, hi);
}

std::int32_t TrackingSlider::intValue() const {
    Runtime::assertMainActor();
    using L = std::numeric_limits<std::int32_t>;
    return std::int32_t(std::clamp(std::trunc(value_), double(L::min()), double(L::max())));
}

std::int64_t TrackingSlider::integerValue() const {
    Runtime::assertMainActor();
    using L = std::numeric_limits<std::int64_t>;
    const double v = std::trunc(value_);
    // 2^63 is not an int64: the largest value below it saturates to max.
    if (v >= 9223372036854775808.0) return L::max();
    if (v <= double(L::min())) return L::min();
    return std::int64_t(v);
}

void TrackingSlider::sendOwnAction() {
    if (action()) AppKit::NSApplication::shared().sendAction(action(), target().get(), this);
}

void TrackingSlider::handlePanGesture(Runtime::NSObject* sender) {
    Runtime::assertMainActor();
    if (!isEnabled()) return;
    auto* recognizer = dynamic_cast<AppKit::NSPanGestureRecognizer*>(sender);
    if (!recognizer) return;
    switch (recognizer->state()) {
    case State::began:
    case State::cancelled:
    case State::failed:
        edited_ = false;
        recognizer->setTranslation({bounds().midX(), bounds().midY()}, this);
        if (auto subject = clicked()) subject->send(std::monostate{});
        if (recognizer->state() == State::began && onSlideStarted) onSlideStarted(doubleValue());
        break;
    case State::changed: {
        const auto v = recognizer->velocity(this);
        const AppKit::CGFloat along = direction_ == MovementDirection::vertical ? v.y : v.x;
        if (std::abs(along) > minimumPanVelocity_) step(isContinuous(), along);
        break;
    }
    case State::ended:
        sendOwnAction();
        if (onSlideComplete) onSlideComplete(doubleValue());
        break;
    default: break;
    }
}

void TrackingSlider::step(bool continuous, AppKit::CGFloat delta) {
    Runtime::assertMainActor();
    if (delta == 0 || std::isnan(delta)) return;
    edited_ = true;
    setDoubleValue(delta > 0 ? doubleValue() + increment_ : doubleValue() - increment_);
    if (continuous) sendOwnAction();
}

void TrackingSlider::scrollWheel(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    ClickableImageView::scrollWheel(event);
    if (!isEnabled()) return;
    AppKit::CGFloat delta = event.scrollingDeltaX();
    if (direction_ == MovementDirection::vertical) {
        delta = event.scrollingDeltaY();
        if (event.isDirectionInvertedFromDevice()) delta = -delta;
    }
    step(true, delta);
}

void TrackingSlider::updateTrackingAreas() {
    Runtime::assertMainActor();
    ClickableImageView::updateTrackingAreas();
    if (trackingArea_) removeTrackingArea(trackingArea_);
    using Options = AppKit::NSTrackingArea::Options;
    trackingArea_ = AppKit::NSTrackingArea::make(bounds(), Options::mouseEnteredAndExited() | Options::activeAlways(),
                                                 sharedAs<AppKit::NSResponder>());
    addTrackingArea(trackingArea_);
}

void TrackingSlider::mouseEntered(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    ClickableImageView::mouseEntered(event);
    if (pushed_) return;
    cursor_->push();
    pushed_ = true;
}

void TrackingSlider::mouseExited(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    ClickableImageView::mouseExited(event);
    popIfPushed();
}

// Pops only what this slider pushed, so an unmatched exit or a slider removed while hovered
// never takes someone else's cursor.
void TrackingSlider::popIfPushed() {
    if (!pushed_) return;
    pushed_ = false;
    cursor_->pop();
}

void TrackingSlider::viewWillMoveToWindow(AppKit::NSWindow* newWindow) {
    Runtime::assertMainActor();
    if (newWindow != window().get()) popIfPushed();
    ClickableImageView::viewWillMoveToWindow(newWindow);
}

void TrackingSlider::setHidden(bool hidden) {
    Runtime::assertMainActor();
    if (hidden) popIfPushed();
    ClickableImageView::setHidden(hidden);
}

}  // namespace Orrindle
