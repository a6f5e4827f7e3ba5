#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CoreGraphics/Color.hpp"
#include "CoreGraphics/Geometry.hpp"

namespace CoreGraphics {

// A bitmap: premultiplied ARGB32 pixels in native byte order (cairo's format), rows top
// first. Pixel sizes, not points.
class CGImage {
public:
    CGImage(int width, int height);  // transparent
    static std::shared_ptr<CGImage> make(int width, int height) { return std::make_shared<CGImage>(width, height); }

    // Reads a PNG file; nullptr when the file is missing or not a PNG.
    static std::shared_ptr<CGImage> readPNG(const std::string& path);
    // Writes the image as PNG; false (with the reason in `error`) when that fails.
    bool writePNG(const std::string& path, std::string* error = nullptr) const;
    // The image as PNG bytes with 16 bits per component and straight alpha, its colours
    // converted to Display P3 (the file names no profile); none when encoding fails or the
    // image is empty.
    std::optional<std::vector<std::uint8_t>> pngDataDisplayP3() const;

    int width() const { return width_; }
    int height() const { return height_; }
    CGSize size() const { return {CGFloat(width_), CGFloat(height_)}; }
    int stride() const { return width_ * 4; }
    std::uint32_t* data() { return pixels_.data(); }
    const std::uint32_t* data() const { return pixels_.data(); }

    // Straight (un-premultiplied) colour of a pixel; clear outside the image.
    DisplayColor pixel(int x, int y) const;
    // 8-bit straight components: {a, r, g, b}.
    std::uint32_t argb(int x, int y) const;
    void setPixel(int x, int y, const DisplayColor& c);

    friend bool operator==(const CGImage& a, const CGImage& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }

private:
    int width_, height_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace CoreGraphics
