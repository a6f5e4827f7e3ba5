#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGImage.hpp"
#include "Foundation/NSError.hpp"
#include "Metal/MTLCommandQueue.hpp"
#include "Metal/MetalTestSupport.hpp"
#include "MetalKit/MTKTextureLoader.hpp"
#include "MetalKit/MTKView.hpp"
#include "QuartzCore/CAMetalLayer.hpp"

namespace {

using namespace MetalKit;
using CoreGraphics::CGSize;

// A delegate that clears the drawable to a colour and notes what it was told.
class ClearingDelegate : public MTKViewDelegate {
public:
    void mtkViewDrawableSizeWillChange(MTKView& view, CGSize size) override {
        sizes.push_back(size);
        sizeBeforeChange.push_back(view.drawableSize());
    }
    void drawInMTKView(MTKView& view) override {
        ++frames;
        frameSizes.push_back(view.drawableSize());
        auto pass = view.currentRenderPassDescriptor();
        if (!pass) return;
        pass->colorAttachments[0].clearColor = color;
        auto buffer = queue->commandBuffer();
        buffer->renderCommandEncoder(*pass)->endEncoding();
        if (auto d = view.currentDrawable()) buffer->present(d);
        buffer->commit();
    }
    std::shared_ptr<Metal::MTLCommandQueue> queue = Metal::MTLCreateSystemDefaultDevice()->newCommandQueue();
    Metal::MTLClearColor color{1, 0, 0, 1};
    int frames = 0;
    std::vector<CGSize> sizes, sizeBeforeChange, frameSizes;
};

class MetalViews : public MetalTest::MetalTest {
protected:
    void TearDown() override {
        AppKit::NSApplication::shared().resetForTesting();
        MetalTest::MetalTest::TearDown();
    }
    void SetUp() override {
        MetalTest::MetalTest::SetUp();
        // After the clock went virtual: the view's frame clock starts on it.
        view = MTKView::make({0, 0, 40, 30}, Metal::MTLCreateSystemDefaultDevice());
    }
    MTKView::Ptr view;
    std::shared_ptr<ClearingDelegate> delegate = std::make_shared<ClearingDelegate>();
};

// On the virtual clock one second is exactly as many frames as asked for, however it is cut
// up, and a paused view draws none.
TEST_F(MetalViews, FramesFollowThePreferredRateAndStopWhilePaused) {
    view->setDelegate(delegate);
    loop().advance(1.0);
    EXPECT_EQ(delegate->frames, 60);
    for (int i = 0; i < 7; ++i) loop().advance(1.0 / 7);
    EXPECT_EQ(delegate->frames, 120);
    view->setPaused(true);
    loop().advance(2.0);
    EXPECT_EQ(delegate->frames, 120);
    view->setPreferredFramesPerSecond(30);
    view->setPaused(false);
    loop().advance(1.0);
    EXPECT_EQ(delegate->frames, 150);
    EXPECT_EQ(view->framesDrawn(), 150u);
}

// In a window on screen that the desktop does not show (minimised, hidden) the view draws no
// frames, as a display link stops there; shown again, it goes on. A window never shown, or no
// window at all, does not stop it.
TEST_F(MetalViews, FramesStopWhileTheWindowIsNotShownOnTheDesktop) {
    view->setDelegate(delegate);
    auto window = AppKit::NSWindow::make({0, 0, 40, 30});
    window->contentView()->addSubview(view);
    loop().advance(0.5);
    EXPECT_EQ(delegate->frames, 30) << "in a window never shown";
    window->orderFront();
    window->setShownOnDesktop(false);
    loop().advance(1.0);
    EXPECT_EQ(delegate->frames, 30);
    EXPECT_FALSE(view->isPaused()) << "not paused: only not shown";
    window->setShownOnDesktop(true);
    loop().advance(1.0);
    EXPECT_EQ(delegate->frames, 90);
    window->setShownOnDesktop(false);
    view->removeFromSuperview();
    loop().advance(0.5);
    EXPECT_EQ(delegate->frames, 120) << "out of the window";
}

TEST_F(MetalViews, SetNeedsDisplayDrawsOneFrameEvenWhilePaused) {
    view->setDelegate(delegate);
    view->setPaused(true);
    view->setNeedsDisplay(true);
    drain();
    EXPECT_EQ(delegate->frames, 0);  // only with enableSetNeedsDisplay
    view->setEnableSetNeedsDisplay(true);
    view->setNeedsDisplay(true);
    view->setNeedsDisplay(true);
    drain();
    EXPECT_EQ(delegate->frames, 1);
}

// The drawable is the bounds at the layer's scale, and the delegate hears of a new size
// before it and before the next frame.
TEST_F(MetalViews, TheDrawableFollowsBoundsAndScale) {
    view->setDelegate(delegate);
    EXPECT_EQ(view->drawableSize(), (CGSize{40, 30}));
    view->layer()->setContentsScale(2);
    view->setFrameSize({50, 25});
    ASSERT_EQ(delegate->sizes.size(), 2u);
    EXPECT_EQ(delegate->sizes[0], (CGSize{80, 60}));
    EXPECT_EQ(delegate->sizeBeforeChange[0], (CGSize{40, 30}));
    EXPECT_EQ(delegate->sizes[1], (CGSize{100, 50}));
    view->draw();
    EXPECT_EQ(delegate->frameSizes.back(), (CGSize{100, 50}));
    view->setAutoResizeDrawable(false);
    view->setDrawableSize({7, 9});
    view->setFrameSize({10, 10});
    EXPECT_EQ(view->drawableSize(), (CGSize{7, 9}));
}

// A presented frame becomes the layer's contents and what the window shows.
TEST_F(MetalViews, APresentedFrameIsWhatTheWindowShows) {
    view->setDelegate(delegate);
    auto window = AppKit::NSWindow::make({0, 0, 40, 30});
    window->contentView()->addSubview(view);
    view->draw();
    auto contents = view->layer()->contents();
    ASSERT_NE(contents, nullptr);
    EXPECT_EQ(contents->argb(5, 5), 0xFFFF0000u);
    EXPECT_EQ(window->snapshot()->argb(20, 15), 0xFFFF0000u);
    // At the layer's opacity, over the window's background.
    window->setBackgroundColor(AppKit::NSColor::sRGB(0, 0, 0));
    view->layer()->setOpacity(0.5f);
    EXPECT_NEAR(int((window->snapshot()->argb(20, 15) >> 16) & 0xff), 128, 1);
}

TEST_F(MetalViews, WithoutDeviceOrDrawableThereIsNoPass) {
    auto bare = MTKView::make({0, 0, 10, 10}, nullptr);
    EXPECT_EQ(bare->currentRenderPassDescriptor(), nullptr);
    EXPECT_EQ(bare->currentDrawable(), nullptr);
    auto empty = MTKView::make({0, 0, 0, 10}, Metal::MTLCreateSystemDefaultDevice());
    EXPECT_EQ(empty->currentRenderPassDescriptor(), nullptr);
    MTKView::Testing::setDrawablesWithheld(true);
    EXPECT_NE(view->currentRenderPassDescriptor(), nullptr);
    EXPECT_EQ(view->currentDrawable(), nullptr);
    MTKView::Testing::setRenderPassDescriptorsWithheld(true);
    EXPECT_EQ(MTKView::make({0, 0, 10, 10}, Metal::MTLCreateSystemDefaultDevice())->currentRenderPassDescriptor(), nullptr);
}

// The layer takes a new window scale when its delegate agrees, and follows its view when it
// has none.
class ScaleDelegate : public QuartzCore::CALayerDelegate {
public:
    bool layerShouldInheritContentsScale(QuartzCore::CALayer&, CoreGraphics::CGFloat scale, Runtime::NSObject* window) override {
        asked.push_back(scale);
        sawWindow = window != nullptr;
        return answer;
    }
    bool answer = true, sawWindow = false;
    std::vector<double> asked;
};

TEST_F(MetalViews, WindowScaleReachesTheLayerThroughItsDelegate) {
    auto window = AppKit::NSWindow::make({0, 0, 40, 30});
    window->setBackingScaleFactor(2);
    window->contentView()->addSubview(view);
    EXPECT_EQ(view->layer()->contentsScale(), 2.0);
    EXPECT_EQ(view->drawableSize(), (CGSize{80, 60}));
    auto scales = std::make_shared<ScaleDelegate>();
    view->layer()->setDelegate(scales);
    window->setBackingScaleFactor(3);
    EXPECT_EQ(view->layer()->contentsScale(), 3.0);
    EXPECT_TRUE(scales->sawWindow);
    scales->answer = false;
    window->setBackingScaleFactor(1);
    EXPECT_EQ(view->layer()->contentsScale(), 3.0);
    view->layer()->setContentsScale(0);  // refused
    EXPECT_EQ(view->layer()->contentsScale(), 3.0);
}

// Linear half floats are gamma-encoded for display; wide-gamut reds are brought into sRGB.
TEST(MetalLayers, PresentedPixelsAreConvertedByColourSpace) {
    auto layer = QuartzCore::CAMetalLayer::make();
    Metal::MTLTexture t(Metal::MTLTextureDescriptor::texture2D(Metal::MTLPixelFormat::rgba16Float, 3, 1));
    t.write(0, 0, {0.5f, 0.0f, 2.0f, 1.0f});
    t.write(1, 0, {1.0f, 0.0f, 0.0f, 0.5f});
    t.write(2, 0, {NAN, -1.0f, 1.0f, 1.0f});
    layer->setColorspace(CoreGraphics::CGColorSpace::extendedLinearSRGB);
    auto image = layer->displayImage(t);
    EXPECT_EQ(image->argb(0, 0), 0xFFBC00FFu);
    EXPECT_EQ(image->argb(1, 0) >> 24, 128u);
    EXPECT_EQ(image->argb(2, 0), 0xFF0000FFu);
    layer->setColorspace(CoreGraphics::CGColorSpace::extendedLinearDisplayP3);
    EXPECT_EQ(layer->displayImage(t)->argb(1, 0) & 0xFFFFFF, 0xFF0000u);
    Metal::MTLTexture bytes(Metal::MTLTextureDescriptor::texture2D(Metal::MTLPixelFormat::bgra8Unorm, 1, 1));
    bytes.write(0, 0, {0.5f, 0.5f, 0.5f, 1});
    layer->setColorspace(std::nullopt);
    EXPECT_EQ(layer->displayImage(bytes)->argb(0, 0), 0xFF808080u);
}

TEST_F(MetalViews, TheTextureLoaderReadsPNGFilesAndReportsMissingOnes) {
    const auto dir = std::filesystem::temp_directory_path() / ("mtk-loader-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    CoreGraphics::CGImage image(3, 2);
    image.setPixel(2, 1, {1, 0.5, 0, 1});
    ASSERT_TRUE(image.writePNG((dir / "t.png").string()));
    MTKTextureLoader loader(Metal::MTLCreateSystemDefaultDevice());
    auto texture = loader.newTexture(Foundation::URL::fileURLWithPath((dir / "t.png").string()));
    EXPECT_EQ(texture->width(), 3);
    EXPECT_EQ(texture->pixelFormat(), Metal::MTLPixelFormat::bgra8Unorm);
    EXPECT_NEAR(texture->read(2, 1).y, 0.5f, 0.01f);
    EXPECT_THROW(loader.newTexture(Foundation::URL::fileURLWithPath((dir / "none.png").string())), Foundation::NSError);
    auto bundle = bundleWithLibrary("loader", "");
    EXPECT_THROW(loader.newTexture("no-such-image", 1, *bundle), Foundation::NSError);
    std::filesystem::remove_all(dir);
}

}  // namespace
