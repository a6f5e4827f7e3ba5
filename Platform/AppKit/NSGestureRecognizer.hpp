#pragma once
#include <memory>

#include "CoreGraphics/Geometry.hpp"
#include "Runtime/NSObject.hpp"
#include "Runtime/Selector.hpp"

namespace AppKit {

class NSEvent;
class NSView;

// Watches the mouse events of its view (before the view gets them) and sends its action to its
// target when its state changes: a discrete recogniser on recognition, a continuous one on
// began, changed, ended and cancelled (never on failed). The target is held weakly.
class NSGestureRecognizer : public Runtime::NSObject {
    VZ_OBJECT(NSGestureRecognizer, Runtime::NSObject)
public:
    // The platform's raw values; ended is also "recognized".
    enum class State : long { possible = 0, began = 1, changed = 2, ended = 3, cancelled = 4, failed = 5 };

    State state() const { return state_; }
    // Moves to `state` and sends the action where that state calls for it; failed and a
    // finished gesture go back to possible before the next mouse-down.
    void setState(State state);

    std::shared_ptr<Runtime::NSObject> target() const { return target_.lock(); }
    void setTarget(const std::shared_ptr<Runtime::NSObject>& target) { target_ = target; }
    Runtime::Selector action() const { return action_; }
    void setAction(Runtime::Selector action) { action_ = action; }
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool flag);
    // Whether the view waits for the recogniser before it gets a primary-button event; the
    // stand-in never holds events back, so the view always gets them too.
    bool delaysPrimaryMouseButtonEvents() const { return delaysPrimary_; }
    void setDelaysPrimaryMouseButtonEvents(bool flag) { delaysPrimary_ = flag; }

    std::shared_ptr<NSView> view() const { return view_.lock(); }
    // Where the latest event was, in `view`'s coordinates (null: the window's).
    CoreGraphics::CGPoint location(const NSView* in) const;

    virtual void mouseDown(const NSEvent& event) { (void)event; }
    virtual void mouseDragged(const NSEvent& event) { (void)event; }
    virtual void mouseUp(const NSEvent& event) { (void)event; }
    virtual void reset() {}

    // Offers a mouse event to the recognisers of `view` and of its superviews (the view's
    // first); the window calls it before it delivers the event to the view.
    static void deliver(NSView& view, const NSEvent& event);

protected:
    NSGestureRecognizer() = default;
    virtual bool isContinuous() const { return false; }
    CoreGraphics::CGPoint lastLocationInWindow_;
    double lastTimestamp_ = 0;

private:
    friend class NSView;
    void handle(const NSEvent& event);
    std::weak_ptr<Runtime::NSObject> target_;
    Runtime::Selector action_;
    std::weak_ptr<NSView> view_;
    State state_ = State::possible;
    bool enabled_ = true, delaysPrimary_ = true;
};

// A click: the button goes down and up again without the pointer moving away.
class NSClickGestureRecognizer : public NSGestureRecognizer {
    VZ_OBJECT(NSClickGestureRecognizer, NSGestureRecognizer)
public:
    void mouseDown(const NSEvent& event) override;
    void mouseDragged(const NSEvent& event) override;
    void mouseUp(const NSEvent& event) override;

    // How far the pointer may move between down and up.
    static constexpr CoreGraphics::CGFloat allowableMovement = 4;

protected:
    NSClickGestureRecognizer() = default;

private:
    CoreGraphics::CGPoint start_;
    bool pressed_ = false;
};

// A drag: begins with the first drag event after a mouse-down, changes with each further one,
// ends with the mouse-up; a mouse-down and up without a drag fails. Translation and velocity
// are in a view's coordinates (flip-aware); the velocity comes from the two latest events'
// locations and timestamps, events stamped at the same time counting 1 ms apart.
class NSPanGestureRecognizer : public NSGestureRecognizer {
    VZ_OBJECT(NSPanGestureRecognizer, NSGestureRecognizer)
public:
    CoreGraphics::CGPoint translation(const NSView* in) const;
    void setTranslation(CoreGraphics::CGPoint translation, const NSView* in);
    CoreGraphics::CGPoint velocity(const NSView* in) const;

    void mouseDown(const NSEvent& event) override;
    void mouseDragged(const NSEvent& event) override;
    void mouseUp(const NSEvent& event) override;

protected:
    NSPanGestureRecognizer() = default;
    bool isContinuous() const override { return true; }

private:
    CoreGraphics::CGPoint toView(CoreGraphics::CGPoint windowPoint, const NSView* in) const;
    CoreGraphics::CGPoint start_;          // window coordinates, where the translation is zero
    CoreGraphics::CGPoint previous_;       // the event before the latest
    double previousTimestamp_ = 0;
    bool pressed_ = false;
};

}  // namespace AppKit
