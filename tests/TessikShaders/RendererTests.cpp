#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

#include "Foundation/NSError.hpp"
#include "Metal/MTLTypes.hpp"
#include "Metal/ShaderFunction.hpp"
#include "Metal/ShaderMath.hpp"
#include "TessikShaders/AboutRenderer.hpp"
#include "TessikShaders/MetalShaderRenderer.hpp"
#include "TessikShaders/SupporterShaderRenderer.hpp"
#include "TessikShaders/RenderPipeline.hpp"
#include "TessikShaders/ShaderTestSupport.hpp"

namespace {

using namespace TessikShaders;
using Kind = Metal::MTLEncodedCommand::Kind;
using Metal::shading::float2;

constexpr const char* kVertex = "audioWaveformVertexShader";
constexpr const char* kFragment = "audioWaveformFragmentShader";

class Renderer : public ShaderTest::ShaderTest {
protected:
    std::shared_ptr<MetalShaderRenderer> make(const std::string& name = "Main") {
        auto r = MetalShaderRenderer::make(*view, name, kVertex, kFragment);
        view->setDelegate(r);
        kept.push_back(r);  // the view holds its delegate weakly
        return r;
    }
    void SetUp() override {
        ShaderTest::ShaderTest::SetUp();
        view = metalView(40, 30);  // on the virtual clock
    }
    MetalKit::MTKView::Ptr view;
    std::vector<std::shared_ptr<MetalShaderRenderer>> kept;
};

// Every way the view can leave the renderer without anything to draw with is the one error,
// with its text.
TEST_F(Renderer, NoDeviceQueueOrBufferIsNoValidDevice) {
    auto& s = Metal::Testing::switches();
    for (std::atomic<bool>* withheld : {&s.noCommandQueue, &s.noBuffer}) {
        *withheld = true;
        try {
            make();
            ADD_FAILURE() << "no error";
        } catch (const MetalShaderRenderer::RendererError& e) {
            EXPECT_EQ(e, MetalShaderRenderer::RendererError::noValidDevice());
            EXPECT_EQ(e.errorDescription(), "No valid metal device");
        }
        *withheld = false;
    }
    auto deviceless = MetalKit::MTKView::make({0, 0, 10, 10}, nullptr);
    EXPECT_THROW(MetalShaderRenderer::make(*deviceless, "Main", kVertex, kFragment), MetalShaderRenderer::RendererError);
}

// Missing and mismatched functions fail construction with the platform's pipeline error.
TEST_F(Renderer, FunctionsTheLibraryCannotGiveFailWithThePipelineError) {
    for (auto [vertex, fragment] : {std::pair{kVertex, "noSuchFragmentShader"}, std::pair{"noSuchVertexShader", kFragment},
                                    std::pair{kFragment, kVertex}}) {
        try {
            MetalShaderRenderer::make(*view, "Main", vertex, fragment);
            ADD_FAILURE() << vertex << " + " << fragment;
        } catch (const Foundation::NSError& e) {
            EXPECT_EQ(e.domain(), Metal::MTLRenderPipelineErrorDomain);
        }
    }
}

TEST_F(Renderer, TheTimeInputLeavesOutClosedAndOpenPauses) {
    auto r = make();
    loop().advance(2.0);
    EXPECT_NEAR(*fragmentInput<float>(2), 2.0f, 1e-5);  // the 120th frame
    EXPECT_NEAR(r->time(), 2.0f, 1e-5);
    // Resign key at t1 = 3, become key at t2 = 5, a frame at t3 = 6 reads 6 - (5 - 3).
    loop().advance(1.0);
    r->willPause();
    view->setPaused(true);
    loop().advance(2.0);
    EXPECT_NEAR(r->time(), 3.0f, 1e-5);  // still while the pause is open
    view->draw();
    EXPECT_NEAR(*fragmentInput<float>(2), 3.0f, 1e-5);
    r->willResume();
    EXPECT_FALSE(r->pauseTime().has_value());
    EXPECT_NEAR(r->pausedTime(), 2.0, 1e-9);
    view->setPaused(false);
    loop().advance(1.0);
    view->draw();
    EXPECT_NEAR(*fragmentInput<float>(2), 4.0f, 1e-5);
    // Resuming without a pause changes nothing.
    r->willResume();
    EXPECT_NEAR(r->pausedTime(), 2.0, 1e-9);
    EXPECT_NEAR(r->time(), 4.0f, 1e-5);
}

TEST_F(Renderer, EachRendererHasItsOwnSeedForItsWholeLife) {
    std::set<std::uint32_t> seeds;
    for (int i = 0; i < 4; ++i) seeds.insert(make()->seed());
    EXPECT_EQ(seeds.size(), 4u);
    auto r = make();
    for (int i = 0; i < 3; ++i) {
        view->draw();
        EXPECT_EQ(*fragmentInput<std::uint32_t>(1), r->seed());
    }
}

TEST_F(Renderer, ASizeChangeReachesTheNextFramesViewportAndSizeInput) {
    auto r = make();
    EXPECT_EQ(r->viewport(), (Metal::MTLViewport{0, 0, 40, 30, 0, 1}));
    view->setFrameSize({32, 12.5});  // 12.5 points are 13 pixels
    view->draw();
    const auto* viewport = lastFrame()->encoders()[0]->find(Kind::setViewport);
    ASSERT_NE(viewport, nullptr);
    EXPECT_EQ(viewport->viewport, (Metal::MTLViewport{0, 0, 32, 13, 0, 1}));
    auto size = *fragmentInput<float2>(0);
    EXPECT_EQ(size.x, 32.0f);
    EXPECT_EQ(size.y, 13.0f);
}

// The frame's calls in order, with the labels and input sizes the effect relies on.
TEST_F(Renderer, AFrameEncodesTheQuadAndItsInputsUnderItsLabels) {
    make("Main");
    view->draw();
    auto frame = lastFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->label(), "Main Command Buffer");
    EXPECT_EQ(frame->presentedDrawableCount(), 1u);
    const auto& commands = frame->encoders()[0]->commands();
    std::vector<Kind> kinds;
    for (const auto& c : commands) kinds.push_back(c.kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::setRenderPipelineState, Kind::setViewport, Kind::setVertexBuffer,
                                        Kind::setFragmentBytes, Kind::setFragmentBytes, Kind::setFragmentBytes,
                                        Kind::drawPrimitives, Kind::endEncoding}));
    EXPECT_EQ(commands[0].pipeline->label(), "Shader Pipeline");
    EXPECT_EQ(commands[2].buffer->length(), 32u);
    EXPECT_EQ(commands[3].bytes.size(), 8u);
    EXPECT_EQ(commands[4].bytes.size(), 4u);
    EXPECT_EQ(commands[5].bytes.size(), 4u);
    EXPECT_EQ(commands[6].primitive, Metal::MTLPrimitiveType::triangleStrip);
    EXPECT_EQ(commands[6].vertexCount, 4u);
    EXPECT_EQ(commands[0].pipeline->colorPixelFormat(), Metal::MTLPixelFormat::rgba16Float);
}

TEST_F(Renderer, FramesWithoutPassOrCommandBufferAreSkippedAndWithoutDrawableNotPresented) {
    make("Skips");
    auto& device = *Metal::MTLCreateSystemDefaultDevice();
    const auto draws = device.executedDrawCount();
    MetalKit::MTKView::Testing::setRenderPassDescriptorsWithheld(true);
    view->draw();
    MetalKit::MTKView::Testing::setRenderPassDescriptorsWithheld(false);
    Metal::Testing::switches().noCommandBuffer = true;
    view->draw();
    Metal::Testing::switches().noCommandBuffer = false;
    Metal::Testing::switches().noRenderCommandEncoder = true;
    view->draw();
    Metal::Testing::switches().noRenderCommandEncoder = false;
    EXPECT_EQ(device.executedDrawCount(), draws);
    MetalKit::MTKView::Testing::setDrawablesWithheld(true);
    view->draw();
    EXPECT_EQ(device.executedDrawCount(), draws + 1);
    EXPECT_EQ(lastFrame()->label(), "Skips Command Buffer");
    EXPECT_EQ(lastFrame()->presentedDrawableCount(), 0u);
}

// Same size, seed and time give the same pixels, and the effect moves with time.
TEST_F(Renderer, AFrameIsDeterministicForItsInputs) {
    auto& device = *Metal::MTLCreateSystemDefaultDevice();
    auto pipeline = makeRenderPipelineState(device, kVertex, kFragment);
    auto render = [&](float time) {
        auto view = metalView(64, 48);
        auto target = device.newTexture(Metal::MTLTextureDescriptor::texture2D(Metal::MTLPixelFormat::rgba16Float, 64, 48));
        Metal::MTLRenderPassDescriptor pass;
        pass.colorAttachments[0].texture = target;
        auto buffer = device.newCommandQueue()->commandBuffer();
        auto encoder = buffer->renderCommandEncoder(pass);
        static constexpr float quad[] = {-1, -1, -1, 1, 1, -1, 1, 1};
        const float2 size{64, 48};
        const std::uint32_t seed = 42;
        encoder->setRenderPipelineState(pipeline);
        encoder->setVertexBytes(quad, sizeof(quad), 0);
        encoder->setFragmentBytes(&size, 8, 0);
        encoder->setFragmentBytes(&seed, 4, 1);
        encoder->setFragmentBytes(&time, 4, 2);
        encoder->drawPrimitives(Metal::MTLPrimitiveType::triangleStrip, 0, 4);
        encoder->endEncoding();
        buffer->commit();
        return target->texels();
    };
    auto a = render(1.5f), b = render(1.5f), c = render(1.6f);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(std::memcmp(a.data(), b.data(), a.size() * sizeof(a[0])), 0);
    EXPECT_NE(std::memcmp(a.data(), c.data(), a.size() * sizeof(a[0])), 0);
}

// What a frame of each renderer leaves in its drawable, pixel for pixel where it is looked at:
// the renderer's fragment function evaluated directly with the frame's inputs, in every
// quadrant, the corners and the middle; and each pixel shaded exactly once.
TEST_F(Renderer, EveryRendererShadesEveryPixelOfTheDrawableOnce) {
    struct Case {
        const char* fragment;
        std::function<std::shared_ptr<QuadRenderer>(MetalKit::MTKView&)> make;
    };
    const std::vector<Case> cases = {
        {kFragment, [](MetalKit::MTKView& v) { return MetalShaderRenderer::make(v, "Main", kVertex, kFragment); }},
        {"aboutFragmentShader", [](MetalKit::MTKView& v) { return AboutRenderer::make(v); }},
        {"supporterFragmentShader",
         [](MetalKit::MTKView& v) {
             auto r = SupporterShaderRenderer::make(v, "Supporter");
             r->switchOnState = {1, 0, 1, 0, 0, 1};
             r->recordSwitchOn(2);
             return r;
         }},
    };
    auto& device = *Metal::MTLCreateSystemDefaultDevice();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fragment);
        auto v = metalView(40, 30);
        auto r = c.make(*v);
        v->setDelegate(r);
        loop().advance(0.75);  // a time input that is not 0
        v->setPaused(true);
        const auto shadedBefore = device.fragmentInvocationCount();
        v->draw();
        EXPECT_EQ(device.fragmentInvocationCount() - shadedBefore, 40u * 30u) << "no pixel left out or shaded twice";

        auto frame = lastFrame();
        ASSERT_TRUE(frame && !frame->encoders().empty());
        const auto& encoder = *frame->encoders()[0];
        const auto& target = encoder.descriptor().colorAttachments[0].texture;
        ASSERT_TRUE(target);
        ASSERT_EQ(target->width(), 40);
        ASSERT_EQ(target->height(), 30);
        // The fragment stage's inputs as the frame bound them.
        Metal::ShaderArguments inputs;
        for (const auto& command : encoder.commands()) {
            if (command.kind == Kind::setFragmentBytes) inputs.bind(command.index, command.bytes.data(), command.bytes.size());
            if (command.kind == Kind::setFragmentBuffer)
                inputs.bind(command.index, static_cast<const unsigned char*>(command.buffer->contents()) + command.offset,
                            command.buffer->length() - command.offset);
            if (command.kind == Kind::setFragmentTexture) inputs.bindTexture(command.index, command.texture.get());
        }
        const auto function = Metal::ShaderFunctionRegistry::find(c.fragment);
        ASSERT_TRUE(function && function->fragment);
        for (auto [x, y] : {std::pair{10, 7}, std::pair{30, 7}, std::pair{10, 22}, std::pair{30, 22}, std::pair{0, 0}, std::pair{39, 0},
                            std::pair{0, 29}, std::pair{39, 29}, std::pair{20, 15}, std::pair{21, 14}}) {
            Metal::FragmentIn in;
            in.position = {float(x) + 0.5f, float(y) + 0.5f, 0.0f, 1.0f};
            in.varyings[0] = {in.position.x / 40.0f, in.position.y / 30.0f, 0.0f, 0.0f};
            const auto expected = Metal::MTLTexture::quantize(target->pixelFormat(), function->fragment(in, inputs));
            const auto drawn = target->texels()[std::size_t(y) * 40 + std::size_t(x)];
            EXPECT_TRUE(drawn.x == expected.x && drawn.y == expected.y && drawn.z == expected.z && drawn.w == expected.w)
                << "pixel (" << x << ", " << y << "): drawn " << drawn.x << " " << drawn.y << " " << drawn.z << " " << drawn.w
                << ", the function gives " << expected.x << " " << expected.y << " " << expected.z << " " << expected.w;
        }
    }
}

}  // namespace
