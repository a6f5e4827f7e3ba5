#pragma once
#include <optional>
#include <string>

#include "CoreGraphics/Path.hpp"
#include "QuartzCore/CAAnimation.hpp"

namespace QuartzCore {

// A property animated through key frames; for a point property, the frames may be a path.
class CAKeyframeAnimation : public CAAnimation {
    VZ_OBJECT(CAKeyframeAnimation, CAAnimation)
public:
    static std::shared_ptr<CAKeyframeAnimation> make(std::string keyPath = {}) {
        return Runtime::make<CAKeyframeAnimation>(std::move(keyPath));
    }

    const std::string& keyPath() const { return keyPath_; }
    const std::optional<CoreGraphics::CGPath>& path() const { return path_; }
    void setPath(CoreGraphics::CGPath path) { path_ = std::move(path); }

protected:
    explicit CAKeyframeAnimation(std::string keyPath) : keyPath_(std::move(keyPath)) {}

private:
    std::string keyPath_;
    std::optional<CoreGraphics::CGPath> path_;
};

}  // namespace QuartzCore
