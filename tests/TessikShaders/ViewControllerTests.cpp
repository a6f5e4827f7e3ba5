#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "AppKit/NSWindow.hpp"
#include "Foundation/NotificationCenter.hpp"
#include "Metal/MetalTesting.hpp"
#include "TessikShaders/MetalShaderViewController.hpp"
#include "TessikShaders/ShaderTestSupport.hpp"

namespace {

using namespace TessikShaders;

// A renderer that draws nothing and counts the pauses it is asked to open and close.
class CountingRenderer : public ShaderRenderer {
public:
    void mtkViewDrawableSizeWillChange(MetalKit::MTKView&, CoreGraphics::CGSize) override {}
    void drawInMTKView(MetalKit::MTKView&) override {}
    void willPause() override { ++pauses; }
    void willResume() override { ++resumes; }
    int pauses = 0, resumes = 0;
};

// A shader controller whose renderers are CountingRenderers, the newest last.
class CountingController : public ShaderViewHost {
    VZ_OBJECT(CountingController, ShaderViewHost)
public:
    std::vector<std::shared_ptr<CountingRenderer>> made;

protected:
    std::shared_ptr<ShaderRenderer> makeRenderer(MetalKit::MTKView&) override {
        made.push_back(std::make_shared<CountingRenderer>());
        return made.back();
    }
};

class ShaderController : public ShaderTest::ShaderTest {
protected:
    std::shared_ptr<MetalShaderViewController> controller(const std::string& fragment = "audioWaveformFragmentShader") {
        auto container = Runtime::make<AppKit::NSView>();
        container->setFrame({0, 0, 300, 200});
        return MetalShaderViewController::make(container, "Main", "audioWaveformVertexShader", fragment);
    }
    // A window around the controller's view.
    static AppKit::NSWindow::Ptr windowFor(const std::shared_ptr<MetalShaderViewController>& c) {
        auto window = AppKit::NSWindow::make({0, 0, 300, 200});
        window->setContentViewController(c);
        return window;
    }
};

// Shown in the key window it animates; while another window is key it stops, frame counter
// and clock alike; back in key it goes on from where it stood; hidden, it lets go of
// everything, and the next showing starts afresh.
TEST_F(ShaderController, AppearKeyResignDisappear) {
    auto c = controller();
    auto window = windowFor(c);
    auto other = AppKit::NSWindow::make({400, 0, 100, 100});
    window->makeKeyAndOrderFront();
    ASSERT_NE(c->metalKitView(), nullptr);
    ASSERT_NE(c->renderer(), nullptr);
    auto view = c->metalKitView();
    EXPECT_EQ(view->superview(), c->view());
    EXPECT_EQ(view->preferredFramesPerSecond(), 60);
    EXPECT_EQ(view->colorPixelFormat(), Metal::MTLPixelFormat::rgba16Float);
    EXPECT_EQ(view->colorspace(), CoreGraphics::CGColorSpace::extendedLinearSRGB);
    EXPECT_TRUE(view->enableSetNeedsDisplay());
    const auto firstSeed = c->renderer()->seed();

    auto& device = *Metal::MTLCreateSystemDefaultDevice();
    const auto shadedAtStart = device.fragmentInvocationCount();
    loop().advance(1.0);
    EXPECT_EQ(view->framesDrawn(), 60u);
    EXPECT_NEAR(c->renderer()->time(), 1.0f, 1e-5);

    other->makeKeyAndOrderFront();
    EXPECT_TRUE(view->isPaused());
    const auto shaded = device.fragmentInvocationCount();
    EXPECT_EQ(shaded - shadedAtStart, 60u * 300 * 200) << "every frame shades every pixel once";
    loop().advance(2.0);
    EXPECT_EQ(view->framesDrawn(), 60u);
    EXPECT_EQ(device.fragmentInvocationCount(), shaded) << "no shader runs while paused";
    EXPECT_NEAR(c->renderer()->time(), 1.0f, 1e-5);

    window->makeKeyWindow();
    EXPECT_FALSE(view->isPaused());
    loop().advance(0.5);
    EXPECT_EQ(view->framesDrawn(), 90u);
    EXPECT_NEAR(c->renderer()->time(), 1.5f, 1e-5);

    window->orderOut();
    EXPECT_EQ(c->metalKitView(), nullptr);
    EXPECT_EQ(c->renderer(), nullptr);
    EXPECT_EQ(view->superview(), nullptr);
    EXPECT_TRUE(view->isPaused());

    window->makeKeyAndOrderFront();
    ASSERT_NE(c->metalKitView(), nullptr);
    EXPECT_NE(c->metalKitView(), view);
    EXPECT_NE(c->renderer()->seed(), firstSeed);
    EXPECT_NEAR(c->renderer()->time(), 0.0f, 1e-6);
    loop().advance(0.25);
    EXPECT_EQ(c->metalKitView()->framesDrawn(), 15u);
}

// Key changes between other windows touch nothing; a redisplay while paused shows the
// picture where it stopped.
TEST_F(ShaderController, OnlyItsOwnWindowPausesIt) {
    auto c = controller();
    auto window = windowFor(c);
    auto a = AppKit::NSWindow::make({0, 0, 50, 50});
    auto b = AppKit::NSWindow::make({0, 0, 50, 50});
    window->makeKeyAndOrderFront();
    a->makeKeyAndOrderFront();
    EXPECT_TRUE(c->metalKitView()->isPaused());
    b->makeKeyAndOrderFront();
    a->makeKeyAndOrderFront();
    EXPECT_TRUE(c->metalKitView()->isPaused());
    loop().advance(1.0);
    c->metalKitView()->setNeedsDisplay(true);
    drain();
    EXPECT_EQ(c->metalKitView()->framesDrawn(), 1u);
    EXPECT_NEAR(*fragmentInput<float>(2), 0.0f, 1e-6);  // frozen at the pause
    Foundation::NotificationCenter::defaultCenter().post(AppKit::NSWindow::didBecomeKeyNotification, nullptr);
    EXPECT_TRUE(c->metalKitView()->isPaused());
}

// Shown in a window that is not key, it starts paused until the window becomes key.
TEST_F(ShaderController, AppearingInAWindowThatIsNotKeyStartsPaused) {
    auto c = controller();
    auto window = windowFor(c);
    window->orderFront();
    ASSERT_FALSE(window->isKeyWindow());
    EXPECT_TRUE(c->metalKitView()->isPaused());
    loop().advance(1.0);
    EXPECT_EQ(c->metalKitView()->framesDrawn(), 0u);
    window->makeKeyWindow();
    loop().advance(1.0);
    EXPECT_EQ(c->metalKitView()->framesDrawn(), 60u);
    EXPECT_NEAR(c->renderer()->time(), 1.0f, 1e-5);
}

TEST_F(ShaderController, TheLayerTakesTheWindowScaleAndFollowsIt) {
    auto c = controller();
    auto window = windowFor(c);
    window->setBackingScaleFactor(2);
    window->makeKeyAndOrderFront();
    auto view = c->metalKitView();
    window->contentView()->layoutSubtreeIfNeeded();
    EXPECT_EQ(view->frame(), c->view()->bounds());
    EXPECT_EQ(view->layer()->contentsScale(), 2.0);
    EXPECT_EQ(view->drawableSize(), (CoreGraphics::CGSize{600, 400}));
    EXPECT_EQ(c->renderer()->viewSize().x, 600.0f);
    window->setBackingScaleFactor(1);
    EXPECT_EQ(view->layer()->contentsScale(), 1.0);
    EXPECT_EQ(c->renderer()->viewport().width, 300.0);

    // Outside any window it starts at 1.
    auto loose = controller();
    loose->viewWillAppear();
    EXPECT_EQ(loose->metalKitView()->layer()->contentsScale(), 1.0);
}

// Without Metal, or with a function the library lacks, it shows an empty view and goes on.
TEST_F(ShaderController, WithoutARendererItShowsAnEmptyView) {
    for (bool noDevice : {true, false}) {
        Metal::Testing::switches().noSystemDefaultDevice = noDevice;
        auto c = controller(noDevice ? "audioWaveformFragmentShader" : "noSuchFragmentShader");
        auto window = windowFor(c);
        window->makeKeyAndOrderFront();
        ASSERT_NE(c->metalKitView(), nullptr);
        EXPECT_EQ(c->renderer(), nullptr);
        loop().advance(0.5);
        EXPECT_EQ(c->metalKitView()->framesDrawn(), 0u);
        EXPECT_EQ(c->metalKitView()->layer()->contents(), nullptr);
        AppKit::NSWindow::make({0, 0, 10, 10})->makeKeyAndOrderFront();
        window->makeKeyWindow();
        window->close();
        EXPECT_EQ(c->metalKitView(), nullptr);
    }
}

// The key-window observers are the controller's own: shown many times it still answers each
// notice once, and once it is gone, windows changing key call nothing.
TEST_F(ShaderController, ObserversGoWithTheController) {
    auto c = controller();
    auto window = windowFor(c);
    for (int i = 0; i < 3; ++i) {
        window->makeKeyAndOrderFront();
        window->orderOut();
    }
    window->makeKeyAndOrderFront();
    auto other = AppKit::NSWindow::make({0, 0, 10, 10});
    other->makeKeyAndOrderFront();
    loop().advance(1.0);
    window->makeKeyWindow();
    EXPECT_NEAR(c->renderer()->pausedTime(), 1.0, 1e-9);
    std::weak_ptr<MetalShaderViewController> gone = c;
    window->setContentViewController(nullptr);
    window->close();
    c.reset();
    EXPECT_TRUE(gone.expired());
    other->makeKeyAndOrderFront();
    window->makeKeyAndOrderFront();
}

// However often it appears, one key change of its window is one pause opened or closed.
TEST_F(ShaderController, EachKeyChangeReachesTheRendererOnce) {
    auto c = Runtime::make<CountingController>();
    auto container = Runtime::make<AppKit::NSView>();
    container->setFrame({0, 0, 300, 200});
    c->setView(container);
    auto window = AppKit::NSWindow::make({0, 0, 300, 200});
    window->setContentViewController(c);
    auto other = AppKit::NSWindow::make({400, 0, 100, 100});
    for (int i = 0; i < 3; ++i) {
        window->makeKeyAndOrderFront();
        window->orderOut();
    }
    window->makeKeyAndOrderFront();
    ASSERT_EQ(c->made.size(), 4u) << "a renderer for each appearance";
    const auto& r = *c->made.back();
    const int pauses = r.pauses, resumes = r.resumes;  // those of the appearance itself
    other->makeKeyAndOrderFront();
    EXPECT_EQ(r.pauses, pauses + 1);
    window->makeKeyWindow();
    EXPECT_EQ(r.resumes, resumes + 1);
    other->makeKeyAndOrderFront();
    window->makeKeyWindow();
    EXPECT_EQ(r.pauses, pauses + 2);
    EXPECT_EQ(r.resumes, resumes + 2);
    window->close();
}

}  // namespace
