#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "AppKit/NSCursor.hpp"
#include "AppKit/NSGestureRecognizer.hpp"
#include "AppKit/NSTrackingArea.hpp"
#include "Orrindle/Views/ClickableImageView.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// An image that works as a value control: a drag along its axis (faster than 5 points a
// second) or a scroll steps the value by `incrementBy` within [minimumValue, maximumValue];
// only the direction of a movement counts, never its size. The pointer shows the slider's
// cursor over it. A pan reports its start and end through the two closures and `clicked`.
// Values are clamped between the two bounds whichever way round they are; the integer values
// saturate at their type's range. Main thread only: an entry point called from another thread
// stops the program.
class TrackingSlider : public ClickableImageView {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

private:
    VZ_OBJECT(TrackingSlider, ClickableImageView)
public:
    using Ptr = std::shared_ptr<TrackingSlider>;
    enum class MovementDirection : long { horizontal = 0, vertical = 1 };
    static std::optional<MovementDirection> movementDirection(long rawValue);

    MovementDirection movementDirection() const { return direction_; }
    void setMovementDirection(MovementDirection d) {
        Runtime::assertMainActor();
        direction_ = d;
    }
    bool horizontalDirection() const { return direction_ == MovementDirection::horizontal; }
    void setHorizontalDirection(bool flag) {
        Runtime::assertMainActor();
        direction_ = flag ? MovementDirection::horizontal : MovementDirection::vertical;
    }
    AppKit::CGFloat incrementBy() const { return increment_; }
    void setIncrementBy(AppKit::CGFloat step) {
        Runtime::assertMainActor();
        increment_ = step;
    }
    AppKit::CGFloat minimumValue() const { return minimum_; }
    void setMinimumValue(AppKit::CGFloat value) {
        Runtime::assertMainActor();
        minimum_ = value;
    }
    AppKit::CGFloat maximumValue() const { return maximum_; }
    void setMaximumValue(AppKit::CGFloat value) {
        Runtime::assertMainActor();
        maximum_ = value;
    }
    bool valueWasEdited() const { return edited_; }
    void setValueWasEdited(bool flag) {
        Runtime::assertMainActor();
        edited_ = flag;
    }
    std::function<void(double)> onSlideStarted;
    std::function<void(double)> onSlideComplete;

    double doubleValue() const override {
        Runtime::assertMainActor();
        return value_;
    }
    void setDoubleValue(double value) override;
    float floatValue() const {
        Runtime::assertMainActor();
        return float(value_);
    }
    void setFloatValue(float value) { setDoubleValue(value); }
    std::int32_t intValue() const;
    void setIntValue(std::int32_t value) { setDoubleValue(value); }
    std::int64_t integerValue() const;
    void setIntegerValue(std::int64_t value) { setDoubleValue(double(value)); }

    std::shared_ptr<AppKit::NSPanGestureRecognizer> panGestureRecognizer();
    // The pan recogniser's action ("handlePanGesture:").
    void handlePanGesture(Runtime::NSObject* sender);
    // One step up (delta > 0) or down (delta < 0); nothing for 0. Sends the action when
    // `continuous`.
    void step(bool continuous, AppKit::CGFloat delta);

    bool mouseDownCanMoveWindow() const override {
        Runtime::assertMainActor();
        return false;
    }
    bool acceptsFirstResponder() const override {
        Runtime::assertMainActor();
        return false;
    }
    void scrollWheel(const AppKit::NSEvent& event) override;
    void updateTrackingAreas() override;
    void mouseEntered(const AppKit::NSEvent& event) override;
    void mouseExited(const AppKit::NSEvent& event) override;
    void viewWillMoveToWindow(AppKit::NSWindow* newWindow) override;
    void setHidden(bool hidden) override;
    std::shared_ptr<AppKit::NSTrackingArea> trackingArea() const { return trackingArea_; }
    AppKit::NSCursor::Ptr cursor() const { return cursor_; }

    void didInit() override;

protected:
    TrackingSlider() = default;
    explicit TrackingSlider(AppKit::CGRect frame) : ClickableImageView(frame) {}

private:
    void sendOwnAction();
    void popIfPushed();

    MovementDirection direction_ = MovementDirection::vertical;
    AppKit::CGFloat increment_ = 0.01;
    AppKit::CGFloat minimum_ = 0, maximum_ = 1.0;
    bool edited_ = false;
    std::shared_ptr<AppKit::NSTrackingArea> trackingArea_;
    AppKit::NSCursor::Ptr cursor_;
    std::shared_ptr<AppKit::NSPanGestureRecognizer> panRecognizer_;
    double value_ = 0;
    AppKit::CGFloat minimumPanVelocity_ = 5.0;
    bool pushed_ = false;
};

}  // namespace Orrindle
