#include "CoreGraphics/CGImage.hpp"

#include <cairo.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace CoreGraphics {

CGImage::CGImage(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)), pixels_(size_t(width_) * size_t(height_), 0u) {}

CGImage::CGImage(int width, int height, std::string pendingPath)
    : width_(width), height_(height), pending_(std::make_unique<PendingFile>()) {
    pending_->path = std::move(pendingPath);
}

CGImage::CGImage(const CGImage& other) : width_(other.width_), height_(other.height_), pixels_(other.pixels()) {}

CGImage& CGImage::operator=(const CGImage& other) {
    if (this != &other) {
        width_ = other.width_;
        height_ = other.height_;
        pixels_ = other.pixels();
        pending_.reset();
    }
    return *this;
}

CGImage::~CGImage() = default;

namespace {

// Paints a decoded surface, whatever its format (RGB24, A8, ...), into premultiplied ARGB32 pixels.
void paint(cairo_surface_t* source, int width, int height, std::uint32_t* pixels) {
    cairo_surface_t* dst = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels), CAIRO_FORMAT_ARGB32,
                                                               width, height, width * 4);
    cairo_t* cr = cairo_create(dst);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(dst);
    cairo_surface_destroy(dst);
}

// A PNG file's size from its signature and IHDR chunk; none when the file does not start so.
std::optional<std::pair<int, int>> pngHeaderSize(const std::string& path) {
    static constexpr unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    unsigned char head[24];
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::nullopt;
    const bool whole = std::fread(head, 1, sizeof head, f) == sizeof head;
    std::fclose(f);
    if (!whole || std::memcmp(head, signature, 8) != 0 || std::memcmp(head + 12, "IHDR", 4) != 0) return std::nullopt;
    auto big = [&](int at) {
        return (std::uint32_t(head[at]) << 24) | (std::uint32_t(head[at + 1]) << 16) | (std::uint32_t(head[at + 2]) << 8) |
               std::uint32_t(head[at + 3]);
    };
    const std::uint32_t w = big(16), h = big(20);
    // Past cairo's largest image surface nothing could be decoded.
    if (w == 0 || h == 0 || w > 32767 || h > 32767) return std::nullopt;
    return std::pair{int(w), int(h)};
}

}  // namespace

std::shared_ptr<CGImage> CGImage::readPNG(const std::string& path) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    std::shared_ptr<CGImage> img;
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        img = make(cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
        paint(s, img->width_, img->height_, img->data());
    }
    cairo_surface_destroy(s);
    return img;
}

std::shared_ptr<CGImage> CGImage::openPNG(const std::string& path) {
    auto size = pngHeaderSize(path);
    if (!size) return nullptr;
    return std::shared_ptr<CGImage>(new CGImage(size->first, size->second, path));
}

std::vector<std::uint32_t>& CGImage::pixels() const {
    if (pending_)
        std::call_once(pending_->decoded, [this] {
            pixels_.assign(size_t(width_) * size_t(height_), 0u);
            cairo_surface_t* s = cairo_image_surface_create_from_png(pending_->path.c_str());
            if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS && cairo_image_surface_get_width(s) == width_ &&
                cairo_image_surface_get_height(s) == height_)
                paint(s, width_, height_, pixels_.data());
            cairo_surface_destroy(s);
        });
    return pixels_;
}

bool CGImage::writePNG(const std::string& path, std::string* error) const {
    if (width_ == 0 || height_ == 0) {
        if (error) *error = "an empty image cannot be written as PNG";
        return false;
    }
    cairo_surface_t* s = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(data())), CAIRO_FORMAT_ARGB32, width_, height_, stride());
    cairo_status_t st = cairo_surface_write_to_png(s, path.c_str());
    cairo_surface_destroy(s);
    if (st != CAIRO_STATUS_SUCCESS) {
        if (error) *error = std::string("cannot write ") + path + ": " + cairo_status_to_string(st);
        return false;
    }
    return true;
}

std::uint32_t CGImage::argb(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    std::uint32_t p = pixels()[size_t(y) * width_ + x];
    std::uint32_t a = p >> 24;
    if (a == 0) return 0;
    auto un = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
    return (a << 24) | (un((p >> 16) & 0xff) << 16) | (un((p >> 8) & 0xff) << 8) | un(p & 0xff);
}

DisplayColor CGImage::pixel(int x, int y) const {
    std::uint32_t p = argb(x, y);
    return {((p >> 16) & 0xff) / 255.0, ((p >> 8) & 0xff) / 255.0, (p & 0xff) / 255.0, (p >> 24) / 255.0};
}

void CGImage::setPixel(int x, int y, const DisplayColor& c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    auto q = [](double v) { return std::uint32_t(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    std::uint32_t a = q(c.a);
    auto pre = [a](std::uint32_t v) { return (v * a + 127) / 255; };
    pixels()[size_t(y) * width_ + x] = (a << 24) | (pre(q(c.r)) << 16) | (pre(q(c.g)) << 8) | pre(q(c.b));
}

}  // namespace CoreGraphics

namespace CoreGraphics {

namespace {
// Linear sRGB to linear Display P3 (both D65).
void srgbToP3(double& r, double& g, double& b) {
    const double r2 = 0.8224621 * r + 0.1775380 * g;
    const double g2 = 0.0331941 * r + 0.9668058 * g;
    const double b2 = 0.0170827 * r + 0.0723974 * g + 0.9105199 * b;
    r = r2, g = g2, b = b2;
}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
}  // namespace

std::optional<std::vector<std::uint8_t>> CGImage::pngDataDisplayP3() const {
    if (width_ <= 0 || height_ <= 0) return std::nullopt;
    std::vector<std::uint8_t> out;
    std::vector<std::uint16_t> row(std::size_t(width_) * 4);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return std::nullopt;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return std::nullopt;
    }
    png_set_write_fn(png, &out, appendBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(width_), png_uint_32(height_), 16, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_swap(png);  // rows are filled in native order; PNG stores big-endian
    auto to16 = [](double v) { return std::uint16_t(std::lround(std::clamp(v, 0.0, 1.0) * 65535)); };
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const DisplayColor c = pixel(x, y);
            double r = srgbDecode(c.r), g = srgbDecode(c.g), b = srgbDecode(c.b);
            srgbToP3(r, g, b);
            std::uint16_t* p = &row[std::size_t(x) * 4];
            p[0] = to16(srgbEncode(r)), p[1] = to16(srgbEncode(g)), p[2] = to16(srgbEncode(b)), p[3] = to16(c.a);
        }
        png_write_row(png, reinterpret_cast<png_bytep>(row.data()));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace CoreGraphics
