#include "MetalKit/MTKView.hpp"

#include <atomic>
#include <cmath>

#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/ImageAsset.hpp"
#include "Dispatch/Clock.hpp"
#include "Dispatch/RunLoop.hpp"

namespace MetalKit {

namespace {
std::atomic<bool> passesWithheld{false};
std::atomic<bool> drawablesWithheld{false};
// A frame's timer is set this much before its exact time, so that rounding never pushes a
// frame past the end of the second it belongs to.
constexpr double kFrameSlack = 1e-9;
}  // namespace

void MTKView::Testing::setRenderPassDescriptorsWithheld(bool flag) { passesWithheld = flag; }
void MTKView::Testing::setDrawablesWithheld(bool flag) { drawablesWithheld = flag; }

MTKView::Ptr MTKView::make(CoreGraphics::CGRect frame, std::shared_ptr<Metal::MTLDevice> device) {
    return Runtime::make<MTKView>(frame, std::move(device));
}

MTKView::MTKView(CoreGraphics::CGRect frame, std::shared_ptr<Metal::MTLDevice> device)
    : AppKit::NSView(frame), device_(std::move(device)), layer_(QuartzCore::CAMetalLayer::make()) {}

MTKView::~MTKView() { stopFrames(); }

void MTKView::didInit() {
    AppKit::NSView::didInit();
    layer_->setDevice(device_);
    std::weak_ptr<MTKView> self = sharedAs<MTKView>();
    layer_->setContentsObserver([self] {
        if (auto v = self.lock()) v->AppKit::NSView::setNeedsDisplay(true);
    });
    layer_->setScaleObserver([self] {
        if (auto v = self.lock()) v->updateDrawableSize();
    });
    updateDrawableSize();
    scheduleFrames();
}

void MTKView::setDevice(std::shared_ptr<Metal::MTLDevice> device) {
    device_ = std::move(device);
    layer_->setDevice(device_);
}

void MTKView::setPreferredFramesPerSecond(int fps) {
    if (fps == framesPerSecond_) return;
    framesPerSecond_ = fps;
    stopFrames();
    scheduleFrames();
}

void MTKView::setPaused(bool paused) {
    if (paused == paused_) return;
    paused_ = paused;
    if (paused) stopFrames();
    else scheduleFrames();
}

void MTKView::setAutoResizeDrawable(bool flag) {
    autoResizeDrawable_ = flag;
    updateDrawableSize();
}

void MTKView::setDrawableSize(CoreGraphics::CGSize size) {
    if (autoResizeDrawable_) return;
    size = {std::max(0.0, std::round(size.width)), std::max(0.0, std::round(size.height))};
    if (size == layer_->drawableSize()) return;
    if (auto d = delegate_.lock()) d->mtkViewDrawableSizeWillChange(*this, size);
    layer_->setDrawableSize(size);
}

void MTKView::updateDrawableSize() {
    if (!autoResizeDrawable_) return;
    const double scale = layer_->contentsScale();
    CoreGraphics::CGSize size{std::max(0.0, std::round(bounds().size.width * scale)),
                              std::max(0.0, std::round(bounds().size.height * scale))};
    if (size == layer_->drawableSize()) return;
    if (auto d = delegate_.lock()) d->mtkViewDrawableSizeWillChange(*this, size);
    layer_->setDrawableSize(size);
}

void MTKView::setFrame(CoreGraphics::CGRect frame) {
    AppKit::NSView::setFrame(frame);
    updateDrawableSize();
}

void MTKView::viewDidMoveToWindow() {
    auto w = window();
    if (w) layer_->hostScaleChanged(w->backingScaleFactor(), w.get());
    occlusionToken_.cancel();
    if (w) {
        std::weak_ptr<MTKView> self = sharedAs<MTKView>();
        occlusionToken_ = Foundation::NotificationCenter::defaultCenter().addObserver(
            AppKit::NSWindow::didChangeOcclusionStateNotification, w, [self](const Foundation::Notification&) {
                auto v = self.lock();
                if (!v) return;
                if (v->isOccluded()) v->stopFrames();
                else v->scheduleFrames();
            });
    }
    if (isOccluded()) stopFrames();
    else scheduleFrames();
}

bool MTKView::isOccluded() const {
    auto w = window();
    return w && w->isVisible() && !w->occlusionState().contains(AppKit::OcclusionState::visible());
}

void MTKView::viewDidChangeBackingProperties() {
    if (auto w = window()) layer_->hostScaleChanged(w->backingScaleFactor(), w.get());
}

void MTKView::scheduleFrames() {
    if (paused_ || framesPerSecond_ <= 0 || timer_ || isOccluded()) return;
    epoch_ = Dispatch::Clock::shared().now();
    frameIndex_ = 0;
    std::weak_ptr<MTKView> self = sharedAs<MTKView>();
    timer_ = Dispatch::Timer::scheduledTimer(1.0 / framesPerSecond_ - kFrameSlack, false, [self](Dispatch::Timer&) {
        if (auto v = self.lock()) v->frameTimerFired();
    });
}

void MTKView::stopFrames() {
    if (timer_) timer_->invalidate();
    timer_.reset();
}

void MTKView::frameTimerFired() {
    // Frames are counted from the epoch, so their times never drift; a late timer skips the
    // frames it missed instead of bunching them up.
    const double now = Dispatch::Clock::shared().now();
    const double period = 1.0 / framesPerSecond_;
    ++frameIndex_;
    while (epoch_ + double(frameIndex_ + 1) * period - kFrameSlack <= now) ++frameIndex_;
    timer_.reset();
    std::weak_ptr<MTKView> self = sharedAs<MTKView>();
    const double next = epoch_ + double(frameIndex_ + 1) * period - kFrameSlack;
    timer_ = Dispatch::Timer::scheduledTimer(next - now, false, [self](Dispatch::Timer&) {
        if (auto v = self.lock()) v->frameTimerFired();
    });
    draw();
}

void MTKView::setNeedsDisplay(bool flag) {
    AppKit::NSView::setNeedsDisplay(flag);
    if (!flag || !enableSetNeedsDisplay_ || redrawQueued_) return;
    redrawQueued_ = true;
    std::weak_ptr<MTKView> self = sharedAs<MTKView>();
    Dispatch::RunLoop::main().perform([self] {
        if (auto v = self.lock()) {
            v->redrawQueued_ = false;
            v->draw();
        }
    });
}

void MTKView::draw() {
    auto d = delegate_.lock();
    if (!d || inFrame_) return;
    inFrame_ = true;
    ++framesDrawn_;
    d->drawInMTKView(*this);
    currentDrawable_.reset();
    currentPass_.reset();
    inFrame_ = false;
}

std::shared_ptr<QuartzCore::CAMetalDrawable> MTKView::currentDrawable() {
    if (drawablesWithheld) return nullptr;
    if (!currentDrawable_) currentDrawable_ = layer_->nextDrawable();
    return currentDrawable_;
}

std::shared_ptr<Metal::MTLRenderPassDescriptor> MTKView::currentRenderPassDescriptor() {
    if (passesWithheld) return nullptr;
    if (currentPass_) return currentPass_;
    std::shared_ptr<Metal::MTLTexture> texture;
    if (drawablesWithheld) {
        // Drawn, but into a texture no one will see.
        if (device_ && drawableSize().width > 0 && drawableSize().height > 0)
            texture = device_->newTexture(Metal::MTLTextureDescriptor::texture2D(
                colorPixelFormat(), int(drawableSize().width), int(drawableSize().height)));
    } else if (auto drawable = currentDrawable()) {
        texture = drawable->texture();
    }
    if (!texture) return nullptr;
    currentPass_ = std::make_shared<Metal::MTLRenderPassDescriptor>();
    auto& attachment = currentPass_->colorAttachments[0];
    attachment.texture = texture;
    attachment.loadAction = Metal::MTLLoadAction::clear;
    attachment.storeAction = Metal::MTLStoreAction::store;
    attachment.clearColor = clearColor_;
    return currentPass_;
}

void MTKView::draw(CoreGraphics::CGRect) {
    auto image = layer_->contents();
    auto* context = CoreGraphics::CGContext::current();
    if (!image || !context) return;
    context->draw(CoreGraphics::ImageAsset::fromBitmap("", image, layer_->contentsScale()), bounds(), {},
                  CoreGraphics::CompositingOperation::sourceOver, layer_->opacity());
}

}  // namespace MetalKit
