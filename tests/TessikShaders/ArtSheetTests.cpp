#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "Metal/MTLCommandQueue.hpp"
#include "Metal/ShaderMath.hpp"
#include "QuartzCore/CAMetalLayer.hpp"
#include "TessikShaders/AboutRenderer.hpp"
#include "TessikShaders/RenderPipeline.hpp"
#include "TessikShaders/SupporterShaderViewController.hpp"
#include "TessikShaders/ShaderQuad.hpp"
#include "TessikShaders/ShaderTestSupport.hpp"

namespace {

using namespace TessikShaders;
using Metal::shading::float2;

// Pictures of the module's effects at fixed inputs, written to build/snapshots/ for people to
// look at, and checked for what a finished picture needs: not blank, not blown out.
class ArtSheet : public ShaderTest::ShaderTest {
protected:
    static std::string snapshotPath(const std::string& name) {
        const std::string dir = std::string(VZ_BINARY_DIR) + "/snapshots";
        std::filesystem::create_directories(dir);
        return dir + "/" + name;
    }
    // One frame of a function pair into a width x height texture, shown as the layer shows it.
    static std::shared_ptr<CoreGraphics::CGImage> render(
        const std::string& vertex, const std::string& fragment, int width, int height,
        const std::function<void(Metal::MTLRenderCommandEncoder&)>& bind,
        CoreGraphics::CGColorSpace space = CoreGraphics::CGColorSpace::extendedLinearSRGB) {
        auto device = Metal::MTLCreateSystemDefaultDevice();
        auto pipeline = makeRenderPipelineState(*device, vertex, fragment);
        auto target = device->newTexture(Metal::MTLTextureDescriptor::texture2D(Metal::MTLPixelFormat::rgba16Float, width, height));
        Metal::MTLRenderPassDescriptor pass;
        pass.colorAttachments[0].texture = target;
        pass.colorAttachments[0].loadAction = Metal::MTLLoadAction::clear;
        auto buffer = device->newCommandQueue()->commandBuffer();
        auto encoder = buffer->renderCommandEncoder(pass);
        encoder->setRenderPipelineState(pipeline);
        encoder->setVertexBuffer(ShaderQuad::makeBuffer(*device), 0, 0);
        bind(*encoder);
        encoder->drawPrimitives(Metal::MTLPrimitiveType::triangleStrip, 0, 4);
        encoder->endEncoding();
        buffer->commit();
        auto layer = QuartzCore::CAMetalLayer::make();
        layer->setColorspace(space);
        return layer->displayImage(*target);
    }
    // Share of pixels brighter than `level` (0...255 of the brightest channel).
    static double shareAbove(const CoreGraphics::CGImage& image, unsigned level) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                auto c = image.argb(x, y);
                unsigned m = std::max({(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF});
                count += m > level;
            }
        return double(count) / (image.width() * image.height());
    }
};

TEST_F(ArtSheet, WaveformHeader) {
    const float2 size{400, 300};
    const std::uint32_t seed = 2026;
    const float time = 3.25f;
    auto image = render("audioWaveformVertexShader", "audioWaveformFragmentShader", 400, 300, [&](auto& e) {
        e.setFragmentBytes(&size, 8, 0);
        e.setFragmentBytes(&seed, 4, 1);
        e.setFragmentBytes(&time, 4, 2);
    });
    ASSERT_TRUE(image->writePNG(snapshotPath("shader-header.png")));
    // Glowing lines on a dark ground: some light, mostly dark, corners darkest.
    EXPECT_GT(shareAbove(*image, 160), 0.005);
    EXPECT_LT(shareAbove(*image, 160), 0.25);
    EXPECT_GT(shareAbove(*image, 40), 0.03);
    EXPECT_LT(image->argb(0, 0) & 0xFFFFFF, 0x101010u);
}

// The about art at 2.5 s, as the sample view shows it (Display P3).
TEST_F(ArtSheet, AboutArt) {
    auto view = metalView(400, 300);
    view->setColorspace(CoreGraphics::CGColorSpace::extendedLinearDisplayP3);
    auto renderer = AboutRenderer::make(*view);
    view->setDelegate(renderer);
    view->setPaused(true);
    loop().advance(2.5);
    view->draw();
    auto image = view->layer()->contents();
    ASSERT_NE(image, nullptr);
    ASSERT_TRUE(image->writePNG(snapshotPath("shader-about.png")));
    EXPECT_GT(shareAbove(*image, 150), 0.01);
    EXPECT_LT(shareAbove(*image, 150), 0.3);
}

// The switch art with switches 0, 2 and 5 on, 4 held down, and ripples of 2 and 5 under way.
TEST_F(ArtSheet, SupporterArt) {
    auto container = Runtime::make<AppKit::NSView>();
    container->setFrame({0, 0, 420, 280});
    auto controller = SupporterShaderViewController::make(container, "Supporter");
    controller->setInitialButtonStates(true, false, false, false, false, false);
    controller->viewWillAppear();
    controller->metalKitView()->setPaused(true);
    loop().advance(1.0);
    controller->switchOn(2);
    loop().advance(0.3);
    controller->switchOn(5);
    controller->switchDown(4);
    loop().advance(0.35);
    controller->metalKitView()->draw();
    auto image = controller->metalKitView()->layer()->contents();
    ASSERT_NE(image, nullptr);
    ASSERT_TRUE(image->writePNG(snapshotPath("shader-supporter.png")));
    EXPECT_GT(shareAbove(*image, 150), 0.01);
}

}  // namespace
