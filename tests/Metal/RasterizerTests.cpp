#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>

#include "Foundation/NSError.hpp"
#include "Metal/MTLCommandQueue.hpp"
#include "Metal/MTLDevice.hpp"
#include "Metal/ShaderFunction.hpp"
#include "Metal/MetalTestSupport.hpp"
#include "TestSupport/FifoGuard.hpp"

namespace {

using namespace Metal;
using namespace Metal::shading;

// Test shaders: a pass-through quad, a fragment that paints its interpolated position, one
// that counts how often each pixel is shaded, and one that reads inline bytes.
VertexOut passThrough(std::uint32_t id, const ShaderArguments& args) {
    VertexOut out;
    const auto* p = args.get<float2>(0);
    float2 v = p && id < args.length(0) / sizeof(float2) ? p[id] : float2(0.0f);
    out.position = {v.x, v.y, 0, 1};
    out.varyings[0] = {(v.x + 1) / 2, (1 - v.y) / 2, 0, 0};
    return out;
}
float4 paintVarying(const FragmentIn& in, const ShaderArguments&) {
    return {in.varyings[0].x, in.varyings[0].y, 0, 1};
}
float4 paintPosition(const FragmentIn& in, const ShaderArguments&) { return {in.position.x, in.position.y, 0, 1}; }
float4 paintBytes(const FragmentIn&, const ShaderArguments& args) {
    return {args.value<float>(0, -1.0f), float(args.value<std::uint32_t>(1, 7u)), 0, 1};
}
const RegisterShader r1("testQuadVertex", &passThrough);
const RegisterShader r2("testVaryingFragment", &paintVarying);
const RegisterShader r3("testPositionFragment", &paintPosition);
const RegisterShader r4("testBytesFragment", &paintBytes);

constexpr float kQuad[] = {-1, -1, -1, 1, 1, -1, 1, 1};

const char* kLibrary =
    "# test library\nlibrary Tests\nfunction testQuadVertex\nfunction testVaryingFragment\n"
    "function testPositionFragment\nfunction testBytesFragment\nfunction notCompiledIn\n";

class Rasterizing : public MetalTest::MetalTest {
protected:
    std::shared_ptr<MTLRenderPipelineState> pipeline(const std::string& fragment,
                                                     MTLPixelFormat format = MTLPixelFormat::rgba16Float) {
        auto library = device->newDefaultLibrary(*bundleWithLibrary("raster", kLibrary));
        MTLRenderPipelineDescriptor d;
        d.vertexFunction = library->newFunction("testQuadVertex");
        d.fragmentFunction = library->newFunction(fragment);
        d.colorAttachments[0].pixelFormat = format;
        return device->newRenderPipelineState(d);
    }
    // Draws the quad into a new w x h texture; the viewport defaults to the whole texture.
    std::shared_ptr<MTLTexture> drawQuad(int w, int h, const std::shared_ptr<MTLRenderPipelineState>& state,
                                         std::optional<MTLViewport> viewport = std::nullopt,
                                         MTLPixelFormat format = MTLPixelFormat::rgba16Float) {
        auto target = device->newTexture(MTLTextureDescriptor::texture2D(format, w, h));
        MTLRenderPassDescriptor pass;
        pass.colorAttachments[0].texture = target;
        pass.colorAttachments[0].loadAction = MTLLoadAction::clear;
        pass.colorAttachments[0].clearColor = {0, 0, 1, 1};
        auto queue = device->newCommandQueue();
        auto buffer = queue->commandBuffer();
        auto encoder = buffer->renderCommandEncoder(pass);
        encoder->setRenderPipelineState(state);
        if (viewport) encoder->setViewport(*viewport);
        encoder->setVertexBytes(kQuad, sizeof(kQuad), 0);
        encoder->drawPrimitives(MTLPrimitiveType::triangleStrip, 0, 4);
        encoder->endEncoding();
        buffer->commit();
        return target;
    }
    std::shared_ptr<MTLDevice> device = MTLDevice::make(3);
};

// The two triangles of the quad shade every pixel exactly once, whatever the shape: the shared
// diagonal belongs to one of them only.
TEST_F(Rasterizing, AQuadShadesEveryPixelOnce) {
    auto state = pipeline("testPositionFragment");
    for (auto [w, h] : {std::pair{1, 1}, std::pair{2, 2}, std::pair{7, 3}, std::pair{64, 64}, std::pair{101, 57}}) {
        const auto before = device->fragmentInvocationCount();
        auto target = drawQuad(w, h, state);
        EXPECT_EQ(device->fragmentInvocationCount() - before, std::uint64_t(w * h)) << w << " x " << h;
        // Fragment positions are pixel centres, origin top left.
        EXPECT_EQ(target->read(0, 0).x, 0.5f);
        EXPECT_EQ(target->read(w - 1, h - 1).y, float(h) - 0.5f);
    }
}

TEST_F(Rasterizing, VaryingsAreInterpolatedAcrossTheQuad) {
    auto target = drawQuad(100, 50, pipeline("testVaryingFragment"));
    // The varying goes 0 -> 1 left to right and top to bottom; pixel centres sample it.
    EXPECT_NEAR(target->read(0, 0).x, 0.005f, 1e-4);
    EXPECT_NEAR(target->read(99, 0).x, 0.995f, 1e-4);
    EXPECT_NEAR(target->read(0, 49).y, 0.99f, 1e-4);
    EXPECT_NEAR(target->read(50, 25).x, 0.505f, 1e-4);
}

TEST_F(Rasterizing, TheViewportLimitsTheDrawAndTheRestKeepsTheClearColour) {
    auto target = drawQuad(10, 10, pipeline("testPositionFragment"), MTLViewport{2, 3, 4, 5, 0, 1});
    EXPECT_EQ(target->read(1, 5).z, 1.0f);  // cleared blue, outside
    EXPECT_EQ(target->read(2, 3).x, 2.5f);
    EXPECT_EQ(target->read(5, 7).y, 7.5f);
    EXPECT_EQ(target->read(6, 7).z, 1.0f);
}

TEST_F(Rasterizing, TheNumberOfThreadsDoesNotChangeThePicture) {
    auto state = pipeline("testVaryingFragment");
    device->setRasterThreadCount(1);
    auto one = drawQuad(123, 77, state);
    device->setRasterThreadCount(4);
    EXPECT_EQ(device->rasterThreadCount(), 4);
    auto four = drawQuad(123, 77, state);
    for (int y = 0; y < 77; ++y)
        for (int x = 0; x < 123; ++x) ASSERT_EQ(std::memcmp(&one->texels()[std::size_t(y * 123 + x)], &four->texels()[std::size_t(y * 123 + x)], sizeof(float4)), 0);
}

// Inline bytes are copied at the call; buffers are read when the work runs.
TEST_F(Rasterizing, InlineBytesAreCopiedAndShortBindingsAreNotRead) {
    auto state = pipeline("testBytesFragment", MTLPixelFormat::rgba16Float);
    auto target = device->newTexture(MTLTextureDescriptor::texture2D(MTLPixelFormat::rgba16Float, 2, 2));
    MTLRenderPassDescriptor pass;
    pass.colorAttachments[0].texture = target;
    auto buffer = device->newCommandQueue()->commandBuffer();
    auto encoder = buffer->renderCommandEncoder(pass);
    encoder->setRenderPipelineState(state);
    encoder->setVertexBytes(kQuad, sizeof(kQuad), 0);
    float value = 0.25f;
    encoder->setFragmentBytes(&value, sizeof(value), 0);
    value = 9;
    std::uint16_t tooShort = 3;
    encoder->setFragmentBytes(&tooShort, sizeof(tooShort), 1);
    encoder->drawPrimitives(MTLPrimitiveType::triangleStrip, 0, 4);
    encoder->endEncoding();
    encoder->setFragmentBytes(&value, sizeof(value), 0);  // after the end: ignored
    buffer->commit();
    EXPECT_EQ(target->read(1, 1).x, 0.25f);
    EXPECT_EQ(target->read(1, 1).y, 7.0f);
    EXPECT_EQ(encoder->find(MTLEncodedCommand::Kind::setFragmentBytes, 0)->as<float>(), 0.25f);
    EXPECT_EQ(buffer->status(), MTLCommandBufferStatus::completed);
}

TEST_F(Rasterizing, EightBitTargetsClampAndRound) {
    auto target = drawQuad(4, 4, pipeline("testPositionFragment", MTLPixelFormat::bgra8Unorm), std::nullopt,
                           MTLPixelFormat::bgra8Unorm);
    EXPECT_EQ(target->read(3, 0).x, 1.0f);  // 3.5 clamps
    EXPECT_EQ(MTLTexture::quantize(MTLPixelFormat::bgra8Unorm, {0.5f, -1, 0.1f, 1}).x, 128.0f / 255.0f);
    EXPECT_EQ(MTLTexture::quantize(MTLPixelFormat::bgra8Unorm, {0.5f, -1, 0.1f, 1}).y, 0.0f);
}

TEST_F(Rasterizing, APipelineOfAnotherFormatDrawsNothing) {
    const auto before = device->executedDrawCount();
    auto target = drawQuad(4, 4, pipeline("testPositionFragment", MTLPixelFormat::rgba16Float), std::nullopt,
                           MTLPixelFormat::bgra8Unorm);
    EXPECT_EQ(device->executedDrawCount(), before);
    EXPECT_EQ(target->read(1, 1).z, 1.0f);
}

TEST_F(Rasterizing, BilinearSamplingClampsToTheEdges) {
    MTLTexture t(MTLTextureDescriptor::texture2D(MTLPixelFormat::rgba16Float, 2, 1));
    t.write(0, 0, {0, 0, 0, 1});
    t.write(1, 0, {1, 0, 0, 1});
    EXPECT_FLOAT_EQ(t.sample({0.5f, 0.5f}).x, 0.5f);
    EXPECT_FLOAT_EQ(t.sample({-3.0f, 0.5f}).x, 0.0f);
    EXPECT_FLOAT_EQ(t.sample({9.0f, 9.0f}).x, 1.0f);
    EXPECT_FLOAT_EQ(t.sample({NAN, 0.5f}).x, 0.0f);
}

class Libraries : public MetalTest::MetalTest {
protected:
    std::shared_ptr<MTLDevice> device = MTLDevice::make(1);
};

TEST_F(Libraries, ABundleWithoutALibraryFileIsAnError) {
    try {
        device->newDefaultLibrary(*bundleWithLibrary("nolibrary", ""));
        FAIL() << "no error";
    } catch (const Foundation::NSError& e) {
        EXPECT_EQ(e.domain(), MTLLibraryErrorDomain);
        EXPECT_EQ(e.code(), MTLLibraryErrorFileNotFound);
    }
    EXPECT_THROW(device->newDefaultLibrary(*bundleWithLibrary("badlibrary", "function x\n")), Foundation::NSError);
}

// A library file that is a FIFO, or far larger than a list of functions can be (sparse, 400 MB),
// is refused at once with its path and the reason: making the library neither waits for a
// writer nor reads the file whole.
TEST_F(Libraries, ALibraryFileThatIsNoSaneFileIsRefusedWithoutWaiting) {
    struct Case {
        const char* name;
        bool fifo;
        std::string why;
    } cases[] = {{"fifolibrary", true, "could not be read: it is a FIFO, not a regular file."},
                 {"hugelibrary", false, "is too large to be a shader library (419430400 bytes; at most 4194304)."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto bundle = bundleWithLibrary(c.name, "");
        const std::filesystem::path file = std::filesystem::path(bundle->resourceURL()->path()) / "default.metallib";
        if (c.fifo) {
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        } else {
            std::ofstream(file) << kLibrary;
            std::filesystem::resize_file(file, std::uintmax_t(400) << 20);
        }
        std::optional<Foundation::NSError> refused;
        EXPECT_TRUE(TestSupport::returnsWithoutAWriter({file.string()}, [&] {
            try {
                device->newDefaultLibrary(*bundle);
            } catch (const Foundation::NSError& e) {
                refused = e;
            }
        })) << "waited on the FIFO";
        ASSERT_TRUE(refused) << "a library was made";
        EXPECT_EQ(refused->domain(), MTLLibraryErrorDomain);
        EXPECT_EQ(refused->code(), MTLLibraryErrorFileNotFound);
        EXPECT_EQ(refused->localizedDescription(), "The file \"" + bundle->urlForResource("default", "metallib")->path() + "\" " + c.why);
    }
}

TEST_F(Libraries, AFunctionMustBeBothListedAndCompiledIn) {
    auto library = device->newDefaultLibrary(*bundleWithLibrary("listed", kLibrary));
    EXPECT_EQ(library->label(), "Tests");
    EXPECT_NE(library->newFunction("testQuadVertex"), nullptr);
    EXPECT_EQ(library->newFunction("notCompiledIn"), nullptr);
    EXPECT_EQ(library->newFunction("audioWaveformFragmentShader"), nullptr);  // not listed here
    EXPECT_EQ(library->newFunction("testQuadVertex")->functionType(), MTLFunctionType::vertex);
}

// Missing functions, functions in the wrong slot and formats that cannot be drawn into.
TEST_F(Libraries, PipelineCreationChecksItsFunctionsAndFormat) {
    auto library = device->newDefaultLibrary(*bundleWithLibrary("pipelines", kLibrary));
    struct Case {
        const char* vertex;
        const char* fragment;
        MTLPixelFormat format;
        long code;
    } cases[] = {
        {"testQuadVertex", "missing", MTLPixelFormat::rgba16Float, MTLRenderPipelineErrorInvalidInput},
        {"missing", "testPositionFragment", MTLPixelFormat::rgba16Float, MTLRenderPipelineErrorInvalidInput},
        {"testPositionFragment", "testQuadVertex", MTLPixelFormat::rgba16Float, MTLRenderPipelineErrorInvalidInput},
        {"testQuadVertex", "testPositionFragment", MTLPixelFormat::invalid, MTLRenderPipelineErrorUnsupported},
    };
    for (const auto& c : cases) {
        MTLRenderPipelineDescriptor d;
        d.vertexFunction = library->newFunction(c.vertex);
        d.fragmentFunction = library->newFunction(c.fragment);
        d.colorAttachments[0].pixelFormat = c.format;
        try {
            device->newRenderPipelineState(d);
            ADD_FAILURE() << c.vertex << " + " << c.fragment;
        } catch (const Foundation::NSError& e) {
            EXPECT_EQ(e.domain(), MTLRenderPipelineErrorDomain);
            EXPECT_EQ(e.code(), c.code) << c.vertex << " + " << c.fragment << ": " << e.what();
        }
    }
}

TEST_F(Libraries, TestSwitchesWithholdWhatTheyName) {
    auto& s = Testing::switches();
    EXPECT_NE(MTLCreateSystemDefaultDevice(), nullptr);
    EXPECT_EQ(MTLCreateSystemDefaultDevice(), MTLCreateSystemDefaultDevice());
    s.noSystemDefaultDevice = true;
    EXPECT_EQ(MTLCreateSystemDefaultDevice(), nullptr);
    s.noCommandQueue = true;
    EXPECT_EQ(device->newCommandQueue(), nullptr);
    s.noCommandQueue = false;
    auto queue = device->newCommandQueue();
    s.noCommandBuffer = true;
    EXPECT_EQ(queue->commandBuffer(), nullptr);
    s.noCommandBuffer = false;
    s.noRenderCommandEncoder = true;
    EXPECT_EQ(queue->commandBuffer()->renderCommandEncoder({}), nullptr);
    s.noBuffer = true;
    EXPECT_EQ(device->newBuffer(16, 0), nullptr);
    s.noBuffer = false;
    EXPECT_EQ(device->newBuffer(0, 0), nullptr);
    auto buffer = device->newBuffer(kQuad, sizeof(kQuad), 0);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->length(), 32u);
    EXPECT_EQ(static_cast<const float*>(buffer->contents())[7], 1.0f);
}

}  // namespace
