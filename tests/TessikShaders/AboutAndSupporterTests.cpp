#include <gtest/gtest.h>

#include "AppKit/NSScreen.hpp"
#include "AppKit/NSWindow.hpp"
#include "Foundation/NSError.hpp"
#include "TessikShaders/AboutRenderer.hpp"
#include "TessikShaders/AboutSampleView.hpp"
#include "TessikShaders/AboutShaderViewController.hpp"
#include "TessikShaders/ShaderTestSupport.hpp"
#include "TessikShaders/SupporterShaderViewController.hpp"

namespace {

using namespace TessikShaders;
using Kind = Metal::MTLEncodedCommand::Kind;
using Six = SupporterShaderRenderer::Switches;

class SwitchArt : public ShaderTest::ShaderTest {
protected:
    void SetUp() override {
        ShaderTest::ShaderTest::SetUp();
        auto container = Runtime::make<AppKit::NSView>();
        container->setFrame({0, 0, 60, 40});
        controller = SupporterShaderViewController::make(container, "Supporter");
    }
    std::shared_ptr<SupporterShaderViewController> controller;
};

TEST_F(SwitchArt, SwitchingOnRecordsHistoryOnceNewestFirst) {
    controller->viewWillAppear();
    controller->viewDidAppear();
    auto r = controller->renderer();
    ASSERT_NE(r, nullptr);
    loop().advance(0.5);
    controller->switchOn(2);
    EXPECT_EQ(r->switchOnState, (Six{0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(r->switchHistory(), (Six{2, -1, -1, -1, -1, -1}));
    EXPECT_NEAR(r->switchHistoryTime()[0], 0.5f, 1e-5);
    controller->switchOn(2);  // already on: nothing, not even history
    EXPECT_EQ(r->switchHistory(), (Six{2, -1, -1, -1, -1, -1}));
    loop().advance(0.25);
    controller->switchOff(2);
    controller->switchOn(2);
    EXPECT_EQ(r->switchHistory(), (Six{2, 2, -1, -1, -1, -1}));
    EXPECT_NEAR(r->switchHistoryTime()[0], 0.75f, 1e-5);
    EXPECT_NEAR(r->switchHistoryTime()[1], 0.5f, 1e-5);
    // Seven more switch-ons keep the six newest.
    for (int i : {0, 1, 3, 4, 5}) controller->switchOn(i);
    controller->switchOff(0);
    controller->switchOn(0);
    EXPECT_EQ(r->switchHistory(), (Six{0, 5, 4, 3, 1, 0}));
    // Holding a switch down and letting go leaves the on states alone.
    controller->switchDown(4);
    EXPECT_EQ(r->switchDownState[4], 1.0f);
    controller->switchUp(4);
    EXPECT_EQ(r->switchDownState, (Six{}));
    EXPECT_EQ(r->switchOnState, (Six{1, 1, 1, 1, 1, 1}));
}

// Indices outside 0...5 are ignored instead of writing past the lists.
TEST_F(SwitchArt, IndicesOutsideTheSixAreIgnored) {
    controller->viewWillAppear();
    auto r = controller->renderer();
    for (int bad : {-1, 6, 1000}) {
        controller->switchOn(bad);
        controller->switchDown(bad);
        controller->switchOff(bad);
        controller->switchUp(bad);
        r->recordSwitchOn(bad);
    }
    EXPECT_EQ(r->switchOnState, (Six{}));
    EXPECT_EQ(r->switchDownState, (Six{}));
    EXPECT_EQ(r->switchHistory(), (Six{-1, -1, -1, -1, -1, -1}));
}

// Initial states set before the first appearance reach the new renderer without history;
// the latest states are what every later appearance starts from.
TEST_F(SwitchArt, InitialStatesReachEveryNewRenderer) {
    controller->switchOn(1);  // no renderer: nothing
    controller->setInitialButtonStates(true, false, false, false, false, true);
    controller->viewWillAppear();
    auto r = controller->renderer();
    EXPECT_EQ(r->switchOnState, (Six{1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(r->switchHistory(), (Six{-1, -1, -1, -1, -1, -1}));
    controller->setInitialButtonStates(false, true, false, false, false, false);
    EXPECT_EQ(r->switchOnState, (Six{0, 1, 0, 0, 0, 0}));
    controller->switchOn(3);
    controller->viewDidDisappear();
    controller->viewWillAppear();
    EXPECT_NE(controller->renderer(), r);
    EXPECT_EQ(controller->renderer()->switchOnState, (Six{0, 1, 0, 0, 0, 0}));
}

// Each frame copies the lists into buffers of its own, after size, time and screen scale.
TEST_F(SwitchArt, AFrameCarriesTheListsInItsOwnBuffers) {
    AppKit::NSScreen::main()->setBackingScaleFactor(2);
    controller->viewWillAppear();
    AppKit::NSScreen::main()->setBackingScaleFactor(1);
    auto r = controller->renderer();
    EXPECT_EQ(r->scale(), 2.0f);
    controller->switchOn(5);
    controller->switchDown(1);
    controller->metalKitView()->draw();
    auto frame = lastFrame();
    EXPECT_EQ(frame->label(), "Supporter Command Buffer");
    auto list = [&](int index) { return *frame->encoders()[0]->find(Kind::setFragmentBuffer, index)->as<Six>(); };
    EXPECT_EQ(list(3), (Six{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(list(4), (Six{0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(list(5), (Six{5, -1, -1, -1, -1, -1}));
    EXPECT_EQ(frame->encoders()[0]->find(Kind::setFragmentBuffer, 3)->buffer->length(), 24u);
    EXPECT_EQ(*fragmentInput<float>(2), 2.0f);
    controller->switchOff(5);
    EXPECT_EQ(list(3), (Six{0, 0, 0, 0, 0, 1})) << "a committed frame keeps its copy";
    EXPECT_EQ(frame->encoders()[0]->find(Kind::setRenderPipelineState)->pipeline->label(), "Shader Pipeline");
}

TEST_F(SwitchArt, WithoutAScreenTheScaleIsOne) {
    auto screens = AppKit::NSScreen::screens();
    AppKit::NSScreen::setScreens({});
    controller->viewWillAppear();
    AppKit::NSScreen::setScreens(screens);
    EXPECT_EQ(controller->renderer()->scale(), 1.0f);
}

class AboutArt : public ShaderTest::ShaderTest {};

TEST_F(AboutArt, AFrameBindsTheTexturesUnderTheAboutLabels) {
    auto view = metalView(48, 32);
    auto r = AboutRenderer::make(*view);
    view->setDelegate(r);
    ASSERT_NE(r->logoTexture(), nullptr);
    EXPECT_EQ(r->logoTexture()->width(), 256);
    loop().advance(0.5);
    view->draw();
    auto frame = lastFrame();
    EXPECT_EQ(frame->label(), "About View Command Buffer");
    const auto& encoder = *frame->encoders()[0];
    EXPECT_EQ(encoder.label(), "About View Render Encoder");
    EXPECT_EQ(encoder.find(Kind::setRenderPipelineState)->pipeline->label(), "About View Pipeline");
    EXPECT_EQ(encoder.find(Kind::setFragmentTexture, 0)->texture, r->logoTexture());
    EXPECT_EQ(encoder.find(Kind::setFragmentTexture, 1)->texture, r->noiseTexture());
    EXPECT_NEAR(*fragmentInput<float>(1), 0.5f, 1e-5);
    EXPECT_EQ(encoder.find(Kind::setFragmentBytes, 2), nullptr) << "no seed";
    r->willPause();
    loop().advance(1.0);
    EXPECT_NEAR(r->time(), 0.5f, 1e-5);
    r->willResume();
    loop().advance(1.0);
    EXPECT_NEAR(r->time(), 1.5f, 1e-5);
}

// Textures follow the window's scale; the pipeline follows the view's pixel format.
TEST_F(AboutArt, TexturesAtTheWindowScaleAndThePipelineInTheViewsFormat) {
    auto window = AppKit::NSWindow::make({0, 0, 48, 32});
    window->setBackingScaleFactor(2);
    auto view = metalView(48, 32);
    view->setColorPixelFormat(Metal::MTLPixelFormat::bgra8Unorm);
    window->contentView()->addSubview(view);
    auto r = AboutRenderer::make(*view);
    view->setDelegate(r);
    EXPECT_EQ(r->logoTexture()->width(), 512);
    view->draw();
    EXPECT_EQ(lastFrame()->encoders()[0]->find(Kind::setRenderPipelineState)->pipeline->colorPixelFormat(),
              Metal::MTLPixelFormat::bgra8Unorm);
    view->setColorPixelFormat(Metal::MTLPixelFormat::invalid);
    EXPECT_THROW(AboutRenderer::make(*view), Foundation::NSError);
    auto deviceless = MetalKit::MTKView::make({0, 0, 10, 10}, nullptr);
    try {
        AboutRenderer::make(*deviceless);
        ADD_FAILURE() << "no error";
    } catch (const AboutRenderer::RendererError& e) {
        EXPECT_EQ(e.errorDescription(), "No valid metal device");
    }
}

// The sample view sets itself up anew each time it is moved into a view.
TEST_F(AboutArt, TheSampleViewStartsANewRendererOnEveryMove) {
    auto sample = AboutSampleView::make({0, 0, 40, 30}, nullptr);
    EXPECT_EQ(sample->renderer(), nullptr);
    auto a = Runtime::make<AppKit::NSView>(), b = Runtime::make<AppKit::NSView>();
    a->addSubview(sample);
    auto first = sample->renderer();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(sample->colorspace(), CoreGraphics::CGColorSpace::extendedLinearDisplayP3);
    EXPECT_EQ(sample->colorPixelFormat(), Metal::MTLPixelFormat::rgba16Float);
    EXPECT_EQ(sample->delegate(), first);
    b->addSubview(sample);
    EXPECT_NE(sample->renderer(), first);
    Metal::Testing::switches().noSystemDefaultDevice = true;
    a->addSubview(sample);
    EXPECT_EQ(sample->renderer(), nullptr);
    EXPECT_EQ(sample->delegate(), nullptr);
}

TEST_F(AboutArt, TheControllerPausesWithItsWindow) {
    auto container = Runtime::make<AppKit::NSView>();
    container->setFrame({0, 0, 40, 30});
    auto controller = AboutShaderViewController::make(container);
    auto window = AppKit::NSWindow::make({0, 0, 40, 30});
    window->setContentViewController(controller);
    window->makeKeyAndOrderFront();
    ASSERT_NE(controller->renderer(), nullptr);
    loop().advance(0.5);
    AppKit::NSWindow::make({0, 0, 10, 10})->makeKeyAndOrderFront();
    EXPECT_TRUE(controller->renderer()->pauseTime().has_value());
    loop().advance(1.0);
    EXPECT_EQ(controller->metalKitView()->framesDrawn(), 30u);
    window->makeKeyWindow();
    loop().advance(0.5);
    EXPECT_NEAR(controller->renderer()->time(), 1.0f, 1e-5);
    window->close();
    EXPECT_EQ(controller->renderer(), nullptr);
}

}  // namespace
