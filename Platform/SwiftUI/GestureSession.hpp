#pragma once
#include <memory>
#include <vector>

#include "SwiftUI/Gesture.hpp"
#include "SwiftUI/View.hpp"

namespace SwiftUI {

class ViewNode;

// The gestures taking part in one press, from mouse-down to mouse-up. Exclusive gestures
// compete: the innermost to recognise wins and the others are cancelled; simultaneous ones
// always run. The views whose closures the gestures call are kept alive for the press.
class GestureSession {
public:
    GestureSession(const std::shared_ptr<ViewNode>& hit, CGPoint location, int clickCount, EventModifiers modifiers);
    void moved(CGPoint location, EventModifiers modifiers);
    void up(CGPoint location, int clickCount, EventModifiers modifiers);
    // Cancels the gestures of views that have gone away or been disabled.
    void cancelStale();
    void cancelAll();
    bool isEmpty() const { return entries_.empty(); }

private:
    struct Entry {
        std::weak_ptr<ViewNode> node;
        std::unique_ptr<GestureRecognizer> recognizer;
        int priority;
    };
    template <class F> void deliver(CGPoint location, F&& send, int clickCount, EventModifiers modifiers);
    PointerEvent eventFor(const Entry& e, CGPoint location, int clickCount, EventModifiers modifiers) const;

    std::vector<Entry> entries_;  // high priority first, then innermost first
    std::vector<std::shared_ptr<const ViewImpl>> pins_;
    int clickCount_;
};

}  // namespace SwiftUI
