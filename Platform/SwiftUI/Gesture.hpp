#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "SwiftUI/Layout.hpp"

namespace SwiftUI {

class ViewNode;

// Modifier keys held during an event.
struct EventModifiers {
    std::uint8_t rawValue = 0;
    static constexpr EventModifiers none() { return {0}; }
    static constexpr EventModifiers shift() { return {1}; }
    static constexpr EventModifiers control() { return {2}; }
    static constexpr EventModifiers option() { return {4}; }
    static constexpr EventModifiers command() { return {8}; }
    constexpr bool contains(EventModifiers m) const { return (rawValue & m.rawValue) == m.rawValue; }
    friend constexpr EventModifiers operator|(EventModifiers a, EventModifiers b) { return {std::uint8_t(a.rawValue | b.rawValue)}; }
    friend constexpr bool operator==(EventModifiers, EventModifiers) = default;
};

// Which gestures stay active where a gesture is attached: bit 1 the attached gesture, bit 2
// the gestures of the subviews.
enum class GestureMask { none = 0, gesture = 1, subviews = 2, all = 3 };

enum class CoordinateSpace { local, global };

// One pointer event as a recogniser sees it.
struct PointerEvent {
    CGPoint location;        // in the attached view's own space (origin top-left of its frame)
    CGPoint globalLocation;  // in the root's space
    int clickCount = 1;
    EventModifiers modifiers;
};

// The live state of one gesture during one press (mouse down to up).
class GestureRecognizer {
public:
    enum class State { possible, active, ended, failed };
    virtual ~GestureRecognizer() = default;
    virtual void down(const PointerEvent&) {}
    virtual void moved(const PointerEvent&) {}
    virtual void up(const PointerEvent&) {}
    // The view went away or was disabled, or another gesture won.
    virtual void cancel() { state_ = State::failed; }
    State state() const { return state_; }
    bool isDone() const { return state_ == State::ended || state_ == State::failed; }
    bool hasRecognized() const { return state_ == State::active || state_ == State::ended; }

    // Callbacks into user code go through here, so that a combined gesture can hold back
    // the second gesture's callbacks until the first has failed.
    std::function<void(std::function<void()>)> emit = [](std::function<void()> f) { f(); };

protected:
    void setState(State s) { state_ = s; }

private:
    State state_ = State::possible;
};

// A gesture description; it makes a recogniser for each press.
class GestureImpl {
public:
    virtual ~GestureImpl() = default;
    virtual std::unique_ptr<GestureRecognizer> makeRecognizer(const std::weak_ptr<ViewNode>& node) const = 0;
};

class AnyGesture;

template <class Self>
class Gesture {
public:
    // `other` may recognise only once this gesture has failed.
    AnyGesture exclusively(const AnyGesture& before) const;
    AnyGesture simultaneously(const AnyGesture& with) const;
};

class AnyGesture : public Gesture<AnyGesture> {
public:
    template <class G>
        requires std::derived_from<G, GestureImpl>
    AnyGesture(G gesture) : impl_(std::make_shared<G>(std::move(gesture))) {}
    explicit AnyGesture(std::shared_ptr<const GestureImpl> impl) : impl_(std::move(impl)) {}
    const std::shared_ptr<const GestureImpl>& impl() const { return impl_; }

private:
    std::shared_ptr<const GestureImpl> impl_;
};

// A press-and-move gesture. onChanged first runs once the pointer has moved at least
// `minimumDistance` from where it went down (at once when that is 0); onEnded runs on release
// if the drag had started. A drag that is cancelled while it runs (its view disabled or
// removed) also runs onEnded, with `isCancelled` set, so that a control always finishes the
// edit it began.
class DragGesture : public GestureImpl, public Gesture<DragGesture> {
public:
    struct Value {
        CGPoint location;
        CGPoint startLocation;
        CGSize translation;
        CGPoint predictedEndLocation;
        bool isCancelled = false;
    };

    explicit DragGesture(CGFloat minimumDistance = 10, CoordinateSpace coordinateSpace = CoordinateSpace::local)
        : minimumDistance_(minimumDistance), space_(coordinateSpace) {}

    DragGesture onChanged(std::function<void(const Value&)> action) const;
    DragGesture onEnded(std::function<void(const Value&)> action) const;
    // Starts only while these modifier keys are held.
    DragGesture modifiers(EventModifiers required) const;

    std::unique_ptr<GestureRecognizer> makeRecognizer(const std::weak_ptr<ViewNode>& node) const override;

private:
    CGFloat minimumDistance_;
    CoordinateSpace space_;
    std::optional<EventModifiers> required_;
    std::function<void(const Value&)> onChanged_, onEnded_;
};

// A click gesture, recognised on the mouse-up of the count-th click (the event's click
// count), when the pointer has not wandered off.
class TapGesture : public GestureImpl, public Gesture<TapGesture> {
public:
    explicit TapGesture(int count = 1) : count_(count < 1 ? 1 : count) {}
    TapGesture onEnded(std::function<void()> action) const;
    // Recognised only while these modifier keys are held.
    TapGesture modifiers(EventModifiers required) const;

    std::unique_ptr<GestureRecognizer> makeRecognizer(const std::weak_ptr<ViewNode>& node) const override;

    static constexpr CGFloat allowableMovement = 10;

private:
    int count_;
    std::optional<EventModifiers> required_;
    std::function<void()> onEnded_;
};

namespace detail {
AnyGesture exclusiveGesture(const AnyGesture& first, const AnyGesture& second);
AnyGesture simultaneousGesture(const AnyGesture& first, const AnyGesture& second);
}  // namespace detail

template <class Self>
AnyGesture Gesture<Self>::exclusively(const AnyGesture& before) const {
    return detail::exclusiveGesture(AnyGesture(static_cast<const Self&>(*this)), before);
}
template <class Self>
AnyGesture Gesture<Self>::simultaneously(const AnyGesture& with) const {
    return detail::simultaneousGesture(AnyGesture(static_cast<const Self&>(*this)), with);
}

// A gesture a view contributes to the press under the pointer: the attached gesture of a
// `.gesture` modifier, or a control's own press handling.
struct GestureAttachment {
    std::shared_ptr<const GestureImpl> gesture;
    int priority = 0;  // 0 normal (exclusive), 1 simultaneous, 2 high priority
    GestureMask mask = GestureMask::all;
};

}  // namespace SwiftUI
