#pragma once
#include <memory>

#include "AppKit/NSViewController.hpp"
#include "Foundation/Notification.hpp"
#include "Foundation/NotificationCenter.hpp"
#include "MetalKit/MTKView.hpp"
#include "QuartzCore/CALayerDelegate.hpp"
#include "TessikShaders/ShaderRenderer.hpp"

namespace TessikShaders {

// What the shader view controllers share: on appearance a Metal view pinned over the
// controller's view (wide gamut, 60 fps) with a fresh renderer as its delegate; paused with
// the renderer's clock while the controller's window is not key; torn down on disappearance.
// A controller supplies its renderer.
class ShaderViewHost : public AppKit::NSViewController, public QuartzCore::CALayerDelegate {
    VZ_OBJECT(ShaderViewHost, AppKit::NSViewController)
public:
    MetalKit::MTKView::Ptr metalKitView() const { return metalKitView_; }
    void setMetalKitView(MetalKit::MTKView::Ptr view) { metalKitView_ = std::move(view); }

    void viewWillAppear() override;
    void viewDidAppear() override;
    void viewDidDisappear() override;

    // Window key changes, acted on only for the window that holds the controller's view.
    void handleDidBecomeKey(const Foundation::Notification& notification);
    void handleDidResignKey(const Foundation::Notification& notification);

    // The Metal view's layer follows the scale of whatever window or screen it moves to.
    bool layerShouldInheritContentsScale(QuartzCore::CALayer& layer, CoreGraphics::CGFloat newScale,
                                         Runtime::NSObject* window) override;

protected:
    ShaderViewHost() : AppKit::NSViewController(std::nullopt) {}
    // The controller's renderer for a new Metal view; throws when it cannot be built.
    virtual std::shared_ptr<ShaderRenderer> makeRenderer(MetalKit::MTKView& view) = 0;
    // The colour space the Metal view draws in.
    virtual CoreGraphics::CGColorSpace colorspace() const { return CoreGraphics::CGColorSpace::extendedLinearSRGB; }
    const std::shared_ptr<ShaderRenderer>& currentRenderer() const { return renderer_; }

private:
    bool isOwnWindow(const Foundation::Notification& notification) const;

    MetalKit::MTKView::Ptr metalKitView_;
    std::shared_ptr<ShaderRenderer> renderer_;
    Foundation::NotificationCenter::Token becomeKeyToken_, resignKeyToken_;
};

}  // namespace TessikShaders
