#include "Metal/Rasterizer.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Metal {

using shading::float4;

namespace {

struct ScreenVertex {
    double x, y;
    const VertexOut* out;
};

// Pixels exactly on an edge belong to one of the two triangles that share it: the one
// that walks it downwards, or leftwards when it is level.
bool ownsEdge(double dx, double dy) { return dy > 0 || (dy == 0 && dx < 0); }

constexpr int kRowsPerBand = 8;

}  // namespace

void Rasterizer::draw(const DrawState& state, MTLTexture& target, MTLPrimitiveType type, std::size_t vertexStart,
                      std::size_t vertexCount) {
    if (!state.vertex || !state.fragment) return;
    draws_.fetch_add(1, std::memory_order_relaxed);
    std::vector<VertexOut> outs(vertexCount);
    for (std::size_t i = 0; i < vertexCount; ++i)
        outs[i] = state.vertex(std::uint32_t(vertexStart + i), state.vertexArguments);
    if (type == MTLPrimitiveType::triangle) {
        for (std::size_t i = 0; i + 2 < vertexCount; i += 3) triangle(state, target, outs[i], outs[i + 1], outs[i + 2]);
    } else if (type == MTLPrimitiveType::triangleStrip) {
        for (std::size_t i = 0; i + 2 < vertexCount; ++i) triangle(state, target, outs[i], outs[i + 1], outs[i + 2]);
    }
    // Points and lines are not drawn by anything here.
}

void Rasterizer::triangle(const DrawState& state, MTLTexture& target, const VertexOut& a, const VertexOut& b,
                          const VertexOut& c) {
    const MTLViewport& vp = state.viewport;
    auto toScreen = [&](const VertexOut& v) {
        double w = v.position.w != 0 ? v.position.w : 1.0;
        double nx = v.position.x / w, ny = v.position.y / w;
        return ScreenVertex{vp.originX + (nx + 1) * 0.5 * vp.width, vp.originY + (1 - ny) * 0.5 * vp.height, &v};
    };
    ScreenVertex v0 = toScreen(a), v1 = toScreen(b), v2 = toScreen(c);
    auto edge = [](const ScreenVertex& p, const ScreenVertex& q, double x, double y) {
        return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
    };
    double area = edge(v0, v1, v2.x, v2.y);
    if (!(std::fabs(area) > 0) || !std::isfinite(area)) return;
    if (area < 0) {
        std::swap(v1, v2);
        area = -area;
    }

    // Covered rows and columns: the triangle's box within the viewport and the target.
    double left = std::max({std::min({v0.x, v1.x, v2.x}), vp.originX, 0.0});
    double right = std::min({std::max({v0.x, v1.x, v2.x}), vp.originX + vp.width, double(target.width())});
    double top = std::max({std::min({v0.y, v1.y, v2.y}), vp.originY, 0.0});
    double bottom = std::min({std::max({v0.y, v1.y, v2.y}), vp.originY + vp.height, double(target.height())});
    if (!(right > left) || !(bottom > top)) return;
    // Pixel centres inside the viewport only.
    const int x0 = std::max(int(std::floor(left)), int(std::ceil(vp.originX - 0.5)));
    const int x1 = std::min(int(std::ceil(right)), int(std::ceil(vp.originX + vp.width - 0.5)));
    const int y0 = std::max(int(std::floor(top)), int(std::ceil(vp.originY - 0.5)));
    const int y1 = std::min(int(std::ceil(bottom)), int(std::ceil(vp.originY + vp.height - 0.5)));
    if (x1 <= x0 || y1 <= y0) return;

    const bool own12 = ownsEdge(v2.x - v1.x, v2.y - v1.y);
    const bool own20 = ownsEdge(v0.x - v2.x, v0.y - v2.y);
    const bool own01 = ownsEdge(v1.x - v0.x, v1.y - v0.y);
    const double inv = 1.0 / area;
    const VertexOut &o0 = *v0.out, &o1 = *v1.out, &o2 = *v2.out;
    const int bands = (y1 - y0 + kRowsPerBand - 1) / kRowsPerBand;

    pool_.run(bands, [&](int band) {
        const int yStart = y0 + band * kRowsPerBand, yEnd = std::min(y1, yStart + kRowsPerBand);
        std::uint64_t shaded = 0;
        FragmentIn in;
        for (int y = yStart; y < yEnd; ++y) {
            const double py = y + 0.5;
            float4* row = target.row(y);
            // Each edge function moves by a constant step per pixel along the row.
            double e12 = edge(v1, v2, x0 + 0.5, py), e20 = edge(v2, v0, x0 + 0.5, py), e01 = edge(v0, v1, x0 + 0.5, py);
            const double s12 = -(v2.y - v1.y), s20 = -(v0.y - v2.y), s01 = -(v1.y - v0.y);
            for (int x = x0; x < x1; ++x, e12 += s12, e20 += s20, e01 += s01) {
                const double px = x + 0.5;
                if (e12 < 0 || e20 < 0 || e01 < 0) continue;
                if ((e12 == 0 && !own12) || (e20 == 0 && !own20) || (e01 == 0 && !own01)) continue;
                const float w0 = float(e12 * inv), w1 = float(e20 * inv), w2 = float(e01 * inv);
                in.position = {float(px), float(py), 0.0f, 1.0f};
                for (int k = 0; k < kVaryingCount; ++k)
                    in.varyings[std::size_t(k)] = o0.varyings[std::size_t(k)] * w0 + o1.varyings[std::size_t(k)] * w1 +
                                                  o2.varyings[std::size_t(k)] * w2;
                row[x] = MTLTexture::quantize(target.pixelFormat(), state.fragment(in, state.fragmentArguments));
                ++shaded;
            }
        }
        fragments_.fetch_add(shaded, std::memory_order_relaxed);
    });
}

}  // namespace Metal
