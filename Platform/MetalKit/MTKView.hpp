#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "AppKit/NSView.hpp"
#include "CoreGraphics/Color.hpp"
#include "Dispatch/Timer.hpp"
#include "Foundation/NotificationCenter.hpp"
#include "Metal/MTLDevice.hpp"
#include "Metal/MTLRenderPassDescriptor.hpp"
#include "MetalKit/MTKViewDelegate.hpp"
#include "QuartzCore/CAMetalDrawable.hpp"
#include "QuartzCore/CAMetalLayer.hpp"

namespace MetalKit {

// A view backed by a Metal layer that calls its delegate once per frame:
// - while not paused, from a timer on the main run loop at preferredFramesPerSecond, on
//   the shared clock (virtual in tests: one second is exactly that many frames), except while
//   its window is on screen but the desktop shows none of it (minimised, hidden, covered);
// - with enableSetNeedsDisplay, once more on the next turn after setNeedsDisplay(true),
//   paused or not.
// The drawable is bounds x the layer's contentsScale pixels when autoResizeDrawable, and
// the delegate hears of a new size before the frame that uses it. What a frame presents
// becomes the layer's contents, which the view draws into its window at the layer's opacity.
class MTKView : public AppKit::NSView {
    VZ_OBJECT(MTKView, AppKit::NSView)
public:
    using Ptr = std::shared_ptr<MTKView>;
    static Ptr make(CoreGraphics::CGRect frame, std::shared_ptr<Metal::MTLDevice> device);
    ~MTKView() override;
    void didInit() override;

    std::shared_ptr<Metal::MTLDevice> device() const { return device_; }
    void setDevice(std::shared_ptr<Metal::MTLDevice> device);

    Metal::MTLPixelFormat colorPixelFormat() const { return layer_->pixelFormat(); }
    void setColorPixelFormat(Metal::MTLPixelFormat format) { layer_->setPixelFormat(format); }
    const std::optional<CoreGraphics::CGColorSpace>& colorspace() const { return layer_->colorspace(); }
    void setColorspace(std::optional<CoreGraphics::CGColorSpace> space) { layer_->setColorspace(space); }
    Metal::MTLClearColor clearColor() const { return clearColor_; }
    void setClearColor(Metal::MTLClearColor color) { clearColor_ = color; }

    int preferredFramesPerSecond() const { return framesPerSecond_; }
    void setPreferredFramesPerSecond(int fps);
    bool isPaused() const { return paused_; }
    void setPaused(bool paused);
    bool enableSetNeedsDisplay() const { return enableSetNeedsDisplay_; }
    void setEnableSetNeedsDisplay(bool flag) { enableSetNeedsDisplay_ = flag; }
    bool autoResizeDrawable() const { return autoResizeDrawable_; }
    void setAutoResizeDrawable(bool flag);
    CoreGraphics::CGSize drawableSize() const { return layer_->drawableSize(); }
    // Honoured while autoResizeDrawable is off.
    void setDrawableSize(CoreGraphics::CGSize size);

    // Held weakly: the owner keeps its delegate alive.
    std::shared_ptr<MTKViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<MTKViewDelegate>& delegate) { delegate_ = delegate; }

    // Within a frame: the drawable and a pass that clears it to clearColor and stores it.
    // nullptr without a device or an empty drawable.
    std::shared_ptr<QuartzCore::CAMetalDrawable> currentDrawable();
    std::shared_ptr<Metal::MTLRenderPassDescriptor> currentRenderPassDescriptor();

    const std::shared_ptr<QuartzCore::CAMetalLayer>& layer() const { return layer_; }

    // Asks for a frame (see above) and for the view to be redrawn in its window.
    void setNeedsDisplay(bool flag);
    // One frame now: the delegate's drawInMTKView.
    void draw();
    // Frames the delegate was asked to draw.
    std::uint64_t framesDrawn() const { return framesDrawn_; }

    void setFrame(CoreGraphics::CGRect frame) override;
    void draw(CoreGraphics::CGRect dirtyRect) override;
    void viewDidMoveToWindow() override;
    void viewDidChangeBackingProperties() override;
    bool isOpaque() const override { return layer_->contents() != nullptr; }

    // Test switches for every view: frames without a render pass descriptor, or with one but
    // without a drawable to present.
    struct Testing {
        static void setRenderPassDescriptorsWithheld(bool flag);
        static void setDrawablesWithheld(bool flag);
    };

protected:
    MTKView(CoreGraphics::CGRect frame, std::shared_ptr<Metal::MTLDevice> device);

private:
    void updateDrawableSize();
    // In a window that is ordered in but shows nowhere.
    bool isOccluded() const;
    void scheduleFrames();
    void stopFrames();
    void frameTimerFired();

    std::shared_ptr<Metal::MTLDevice> device_;
    std::shared_ptr<QuartzCore::CAMetalLayer> layer_;
    std::weak_ptr<MTKViewDelegate> delegate_;
    Metal::MTLClearColor clearColor_{0, 0, 0, 1};
    int framesPerSecond_ = 60;
    bool paused_ = false;
    bool enableSetNeedsDisplay_ = false;
    bool autoResizeDrawable_ = true;
    bool redrawQueued_ = false;
    bool inFrame_ = false;
    std::shared_ptr<QuartzCore::CAMetalDrawable> currentDrawable_;
    std::shared_ptr<Metal::MTLRenderPassDescriptor> currentPass_;
    std::shared_ptr<Dispatch::Timer> timer_;
    Foundation::NotificationCenter::Token occlusionToken_;
    double epoch_ = 0;         // when the frame clock started
    std::int64_t frameIndex_ = 0;  // frames since epoch_
    std::uint64_t framesDrawn_ = 0;
};

}  // namespace MetalKit
