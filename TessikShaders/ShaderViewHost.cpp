#include "TessikShaders/ShaderViewHost.hpp"

#include "AppKit/NSWindow.hpp"
#include "Metal/MTLDevice.hpp"
#include "TessikShaders/ViewAnchoring.hpp"

namespace TessikShaders {

void ShaderViewHost::viewWillAppear() {
    AppKit::NSViewController::viewWillAppear();
    if (metalKitView_) return;
    auto container = view();
    metalKitView_ = MetalKit::MTKView::make(container->bounds(), Metal::MTLCreateSystemDefaultDevice());
    container->addSubview(metalKitView_);
    anchorToAllSidesOf(*metalKitView_, container, {});
    metalKitView_->setAutoResizeDrawable(true);
    metalKitView_->setEnableSetNeedsDisplay(true);
    metalKitView_->setColorPixelFormat(Metal::MTLPixelFormat::rgba16Float);
    metalKitView_->setColorspace(colorspace());
    metalKitView_->setPreferredFramesPerSecond(60);
    // Any failure leaves the controller without a renderer: the Metal view then shows nothing.
    try {
        renderer_ = makeRenderer(*metalKitView_);
    } catch (const std::exception&) {
        renderer_.reset();
    }
    metalKitView_->setDelegate(renderer_);
    if (auto layer = metalKitView_->layer()) {
        auto window = container->window();
        layer->setContentsScale(window ? window->backingScaleFactor() : 1.0);
        layer->setDelegate(std::dynamic_pointer_cast<QuartzCore::CALayerDelegate>(shared_from_this()));
    }
}

void ShaderViewHost::viewDidAppear() {
    AppKit::NSViewController::viewDidAppear();
    if (metalKitView_) metalKitView_->setPaused(false);
    // Registered once per controller; the tokens go with it, so a window never calls back
    // into a controller that is gone.
    std::weak_ptr<ShaderViewHost> self = sharedAs<ShaderViewHost>();
    auto& center = Foundation::NotificationCenter::defaultCenter();
    if (!becomeKeyToken_.isActive())
        becomeKeyToken_ = center.addObserver(AppKit::NSWindow::didBecomeKeyNotification, nullptr, [self](const auto& n) {
            if (auto c = self.lock()) c->handleDidBecomeKey(n);
        });
    if (!resignKeyToken_.isActive())
        resignKeyToken_ = center.addObserver(AppKit::NSWindow::didResignKeyNotification, nullptr, [self](const auto& n) {
            if (auto c = self.lock()) c->handleDidResignKey(n);
        });
    // Appearing in a window that is not key starts paused, as if it had just resigned.
    auto window = viewIfLoaded() ? viewIfLoaded()->window() : nullptr;
    if (window && !window->isKeyWindow()) {
        if (renderer_) renderer_->willPause();
        if (metalKitView_) metalKitView_->setPaused(true);
    }
}

bool ShaderViewHost::isOwnWindow(const Foundation::Notification& notification) const {
    auto* posted = dynamic_cast<AppKit::NSWindow*>(notification.object);
    if (!posted) return false;
    auto own = viewIfLoaded() ? viewIfLoaded()->window() : nullptr;
    return own && own.get() == posted;
}

void ShaderViewHost::handleDidBecomeKey(const Foundation::Notification& notification) {
    if (!isOwnWindow(notification)) return;
    if (renderer_) renderer_->willResume();
    if (metalKitView_) metalKitView_->setPaused(false);
}

void ShaderViewHost::handleDidResignKey(const Foundation::Notification& notification) {
    if (!isOwnWindow(notification)) return;
    if (renderer_) renderer_->willPause();
    if (metalKitView_) metalKitView_->setPaused(true);
}

void ShaderViewHost::viewDidDisappear() {
    AppKit::NSViewController::viewDidDisappear();
    if (metalKitView_) {
        metalKitView_->setPaused(true);
        metalKitView_->removeFromSuperview();
    }
    metalKitView_.reset();
    renderer_.reset();
}

bool ShaderViewHost::layerShouldInheritContentsScale(QuartzCore::CALayer&, CoreGraphics::CGFloat, Runtime::NSObject*) {
    return true;
}

}  // namespace TessikShaders
