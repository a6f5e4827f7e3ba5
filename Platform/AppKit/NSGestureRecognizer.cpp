#include "AppKit/NSGestureRecognizer.hpp"

#include <cmath>
#include <vector>

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSView.hpp"

namespace AppKit {

using CoreGraphics::CGPoint;

void NSGestureRecognizer::setState(State state) {
    state_ = state;
    const bool sends = isContinuous() ? state != State::possible && state != State::failed : state == State::ended;
    if (!sends || !action_) return;
    auto keep = sharedAs<NSGestureRecognizer>();
    if (auto t = target()) t->perform(action_, this);
}

void NSGestureRecognizer::setEnabled(bool flag) {
    enabled_ = flag;
    // Disabling mid-gesture cancels it, as on the platform.
    if (!flag && (state_ == State::began || state_ == State::changed)) setState(State::cancelled);
}

CGPoint NSGestureRecognizer::location(const NSView* in) const {
    return in ? in->convert(lastLocationInWindow_, nullptr) : lastLocationInWindow_;
}

void NSGestureRecognizer::handle(const NSEvent& event) {
    switch (event.type()) {
    case EventType::leftMouseDown:
        if (state_ != State::possible) {
            state_ = State::possible;
            reset();
        }
        lastLocationInWindow_ = event.locationInWindow(), lastTimestamp_ = event.timestamp();
        mouseDown(event);
        break;
    case EventType::leftMouseDragged:
        mouseDragged(event);
        lastLocationInWindow_ = event.locationInWindow(), lastTimestamp_ = event.timestamp();
        break;
    case EventType::leftMouseUp:
        mouseUp(event);
        lastLocationInWindow_ = event.locationInWindow(), lastTimestamp_ = event.timestamp();
        break;
    default: break;
    }
}

void NSGestureRecognizer::deliver(NSView& view, const NSEvent& event) {
    const auto t = event.type();
    if (t != EventType::leftMouseDown && t != EventType::leftMouseDragged && t != EventType::leftMouseUp) return;
    std::vector<std::shared_ptr<NSGestureRecognizer>> all;
    for (auto v = view.sharedAs<NSView>(); v; v = v->superview())
        all.insert(all.end(), v->gestureRecognizers().begin(), v->gestureRecognizers().end());
    for (auto& r : all)
        if (r->isEnabled()) r->handle(event);
}

// --- Click ------------------------------------------------------------------------------------

void NSClickGestureRecognizer::mouseDown(const NSEvent& event) {
    start_ = event.locationInWindow();
    pressed_ = true;
}

void NSClickGestureRecognizer::mouseDragged(const NSEvent& event) {
    if (!pressed_) return;
    const CGPoint p = event.locationInWindow();
    if (std::hypot(p.x - start_.x, p.y - start_.y) > allowableMovement) {
        pressed_ = false;
        setState(State::failed);
    }
}

void NSClickGestureRecognizer::mouseUp(const NSEvent& event) {
    if (!pressed_) return;
    pressed_ = false;
    auto v = view();
    const bool inside = v && v->bounds().contains(v->convert(event.locationInWindow(), nullptr));
    setState(inside ? State::ended : State::failed);
}

// --- Pan --------------------------------------------------------------------------------------

CGPoint NSPanGestureRecognizer::toView(CGPoint windowPoint, const NSView* in) const {
    return in ? in->convert(windowPoint, nullptr) : windowPoint;
}

CGPoint NSPanGestureRecognizer::translation(const NSView* in) const {
    const CGPoint now = toView(lastLocationInWindow_, in), from = toView(start_, in);
    return {now.x - from.x, now.y - from.y};
}

void NSPanGestureRecognizer::setTranslation(CGPoint translation, const NSView* in) {
    // Moves the origin of the gesture so that the translation now reads `translation`.
    const CGPoint now = toView(lastLocationInWindow_, in);
    const CGPoint from{now.x - translation.x, now.y - translation.y};
    if (!in) {
        start_ = from;
        return;
    }
    start_ = in->convertTo(from, nullptr);
}

CGPoint NSPanGestureRecognizer::velocity(const NSView* in) const {
    const CGPoint now = toView(lastLocationInWindow_, in), before = toView(previous_, in);
    double dt = lastTimestamp_ - previousTimestamp_;
    if (dt <= 0) dt = 0.001;
    return {(now.x - before.x) / dt, (now.y - before.y) / dt};
}

void NSPanGestureRecognizer::mouseDown(const NSEvent& event) {
    pressed_ = true;
    start_ = previous_ = event.locationInWindow();
    previousTimestamp_ = event.timestamp();
}

void NSPanGestureRecognizer::mouseDragged(const NSEvent& event) {
    if (!pressed_) return;
    previous_ = lastLocationInWindow_, previousTimestamp_ = lastTimestamp_;
    lastLocationInWindow_ = event.locationInWindow(), lastTimestamp_ = event.timestamp();
    setState(state() == State::possible ? State::began : State::changed);
}

void NSPanGestureRecognizer::mouseUp(const NSEvent& event) {
    if (!pressed_) return;
    pressed_ = false;
    const bool moved = state() == State::began || state() == State::changed;
    previous_ = lastLocationInWindow_, previousTimestamp_ = lastTimestamp_;
    lastLocationInWindow_ = event.locationInWindow(), lastTimestamp_ = event.timestamp();
    setState(moved ? State::ended : State::failed);
}

}  // namespace AppKit
