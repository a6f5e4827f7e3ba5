// One frame of the header's waveform effect on the CPU rasteriser: at 400 x 572 points at
// backing scale 1 and 2, on 1 to 4 threads. Reports the time per pixel; compare the
// thread counts for the speed-up. Also the conversion of a presented frame for display.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "Metal/MTLCommandQueue.hpp"
#include "Metal/MTLDevice.hpp"
#include "Metal/ShaderMath.hpp"
#include "QuartzCore/CAMetalLayer.hpp"
#include "TessikShaders/RenderPipeline.hpp"
#include "TessikShaders/ShaderQuad.hpp"

namespace {

using Metal::shading::float2;

void WaveformFrame(benchmark::State& state) {
    const int scale = int(state.range(0)), threads = int(state.range(1));
    const int width = 400 * scale, height = 572 * scale;
    auto device = Metal::MTLDevice::make(threads);
    auto pipeline = TessikShaders::makeRenderPipelineState(*device, "audioWaveformVertexShader", "audioWaveformFragmentShader");
    auto queue = device->newCommandQueue();
    auto quad = TessikShaders::ShaderQuad::makeBuffer(*device);
    auto target = device->newTexture(Metal::MTLTextureDescriptor::texture2D(Metal::MTLPixelFormat::rgba16Float, width, height));
    Metal::MTLRenderPassDescriptor pass;
    pass.colorAttachments[0].texture = target;
    pass.colorAttachments[0].loadAction = Metal::MTLLoadAction::clear;
    const float2 size{float(width), float(height)};
    const std::uint32_t seed = 0x5eed;
    float time = 0;
    for (auto _ : state) {
        auto buffer = queue->commandBuffer();
        auto encoder = buffer->renderCommandEncoder(pass);
        encoder->setRenderPipelineState(pipeline);
        encoder->setViewport({0, 0, double(width), double(height), 0, 1});
        encoder->setVertexBuffer(quad, 0, 0);
        encoder->setFragmentBytes(&size, sizeof(size), 0);
        encoder->setFragmentBytes(&seed, sizeof(seed), 1);
        encoder->setFragmentBytes(&time, sizeof(time), 2);
        encoder->drawPrimitives(Metal::MTLPrimitiveType::triangleStrip, 0, 4);
        encoder->endEncoding();
        buffer->commit();
        time += 1.0f / 60;
    }
    const double pixels = double(width) * height;
    // Seconds per pixel, shown with its SI prefix ("24.9ns").
    state.counters["per_pixel"] = benchmark::Counter(pixels, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["pixels"] = pixels;
}
BENCHMARK(WaveformFrame)
    ->ArgNames({"scale", "threads"})
    ->Args({1, 1})->Args({1, 2})->Args({1, 4})
    ->Args({2, 1})->Args({2, 2})->Args({2, 4})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

void PresentForDisplay(benchmark::State& state) {
    auto layer = QuartzCore::CAMetalLayer::make();
    layer->setColorspace(CoreGraphics::CGColorSpace::extendedLinearSRGB);
    Metal::MTLTexture texture(Metal::MTLTextureDescriptor::texture2D(Metal::MTLPixelFormat::rgba16Float, 800, 1144));
    texture.fill({0.2f, 0.5f, 1.5f, 1.0f});
    for (auto _ : state) benchmark::DoNotOptimize(layer->displayImage(texture));
}
BENCHMARK(PresentForDisplay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
