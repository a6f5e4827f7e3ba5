#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "Metal/MTLTexture.hpp"
#include "Metal/MTLTypes.hpp"
#include "Metal/ShaderFunction.hpp"
#include "Metal/WorkerPool.hpp"

namespace Metal {

// What one draw call sees.
struct DrawState {
    VertexFunction vertex = nullptr;
    FragmentFunction fragment = nullptr;
    MTLViewport viewport;
    ShaderArguments vertexArguments;
    ShaderArguments fragmentArguments;
};

// Runs draws on the CPU: the vertex function per vertex, triangles set up in framebuffer
// coordinates (origin top left, y down), the fragment function at every covered pixel
// centre with the vertex outputs interpolated, bands of rows spread over the worker pool.
// Shared by a device and the command buffers it made.
class Rasterizer {
public:
    explicit Rasterizer(int threads) : pool_(threads) {}

    void setThreadCount(int threads) { pool_.setThreadCount(threads); }
    int threadCount() const { return pool_.threadCount(); }

    void draw(const DrawState& state, MTLTexture& target, MTLPrimitiveType type, std::size_t vertexStart,
              std::size_t vertexCount);

    std::uint64_t drawCount() const { return draws_.load(); }
    std::uint64_t fragmentCount() const { return fragments_.load(); }

private:
    void triangle(const DrawState& state, MTLTexture& target, const VertexOut& a, const VertexOut& b,
                  const VertexOut& c);

    WorkerPool pool_;
    std::atomic<std::uint64_t> draws_{0};
    std::atomic<std::uint64_t> fragments_{0};
};

}  // namespace Metal
