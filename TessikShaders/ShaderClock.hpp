#pragma once
#include <optional>

namespace TessikShaders {

// A renderer's animation clock: seconds since it started, less every pause. Read from the
// platform's monotonic clock (virtual in tests), so a change of the wall clock never makes
// the effect jump.
class ShaderClock {
public:
    ShaderClock();  // starts now

    static double now();

    double startTime() const { return startTime_; }
    void restart() { startTime_ = now(); }
    // The moment the open pause began; absent while running.
    const std::optional<double>& pauseTime() const { return pauseTime_; }
    void setPauseTime(std::optional<double> time) { pauseTime_ = time; }
    // The length of every closed pause.
    double pausedTime() const { return pausedTime_; }

    // Closes an open pause, adding its length to pausedTime; nothing without one.
    void willResume();

    // The shader's time. While a pause is open the clock stands at the pause's start, so a
    // frame drawn while paused (a redisplay, a resize) shows the frozen picture, and the
    // first frame after resuming continues from it.
    double elapsed() const;

private:
    double startTime_;
    std::optional<double> pauseTime_;
    double pausedTime_ = 0;
};

}  // namespace TessikShaders
