#pragma once
#include <functional>
#include <memory>
#include <optional>

#include "CoreGraphics/CGImage.hpp"
#include "CoreGraphics/Color.hpp"
#include "CoreGraphics/Geometry.hpp"
#include "QuartzCore/CALayerDelegate.hpp"
#include "Runtime/NSObject.hpp"

namespace QuartzCore {

// The backing store of a layer-backed view: what the view shows (`contents`, pixels at
// `contentsScale` per point, over the background colour, all at the layer's opacity) and who
// decides about scale changes (the delegate, held weakly).
class CALayer : public Runtime::NSObject {
    VZ_OBJECT(CALayer, Runtime::NSObject)
public:
    CoreGraphics::CGFloat contentsScale() const { return contentsScale_; }
    void setContentsScale(CoreGraphics::CGFloat scale);

    std::shared_ptr<CALayerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<CALayerDelegate>& delegate) { delegate_ = delegate; }

    std::shared_ptr<const CoreGraphics::CGImage> contents() const { return contents_; }
    void setContents(std::shared_ptr<const CoreGraphics::CGImage> image);

    // Painted under the hosting view's own drawing.
    const std::optional<CoreGraphics::CGColor>& backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::optional<CoreGraphics::CGColor> color);

    // How opaque the layer and everything its view draws are, 0 to 1 (1 by default); a value
    // outside is taken to the nearer end, and one that is not a number is refused.
    float opacity() const { return opacity_; }
    void setOpacity(float opacity);

    // The view that hosts the layer hears here when what it shows changes (contents, background
    // colour, opacity), and of new scales.
    void setContentsObserver(std::function<void()> observer) { contentsObserver_ = std::move(observer); }
    void setScaleObserver(std::function<void()> observer) { scaleObserver_ = std::move(observer); }

    // The host moved to a window or screen of `scale`: the delegate decides, and a layer
    // without one follows its host.
    void hostScaleChanged(CoreGraphics::CGFloat scale, Runtime::NSObject* window);

protected:
    CALayer() = default;

private:
    CoreGraphics::CGFloat contentsScale_ = 1;
    std::weak_ptr<CALayerDelegate> delegate_;
    std::shared_ptr<const CoreGraphics::CGImage> contents_;
    std::optional<CoreGraphics::CGColor> backgroundColor_;
    float opacity_ = 1;
    std::function<void()> contentsObserver_, scaleObserver_;
};

}  // namespace QuartzCore
