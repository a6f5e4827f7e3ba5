#pragma once
#include <memory>
#include <string>

#include "Runtime/NSObject.hpp"

namespace QuartzCore {

// An animation as data: what a window's or layer's animator plays. Nothing is drawn between
// frames here; the owner applies the end value at once and keeps the animation for anyone who
// asks what was played.
class CAAnimation : public Runtime::NSObject {
    VZ_OBJECT(CAAnimation, Runtime::NSObject)
public:
    double duration() const { return duration_; }
    void setDuration(double seconds) { duration_ = seconds; }

protected:
    CAAnimation() = default;

private:
    double duration_ = 0.25;  // the platform's default
};

}  // namespace QuartzCore
