#pragma once
#include <memory>

namespace AppKit {

// Groups of animated changes: beginGrouping opens one with the enclosing group's duration (a
// quarter second at the outside), current() is the innermost, endGrouping closes it. Nothing
// here animates; code that would animate reads current().duration() (0: change at once).
class NSAnimationContext {
public:
    static void beginGrouping();
    static void endGrouping();
    static NSAnimationContext& current();

    double duration() const { return duration_; }
    void setDuration(double seconds) { duration_ = seconds; }

private:
    double duration_ = 0.25;
};

}  // namespace AppKit
