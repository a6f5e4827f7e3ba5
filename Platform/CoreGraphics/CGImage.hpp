#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
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
    CGImage(const CGImage& other);     // the pixels, a file's decoded first
    CGImage& operator=(const CGImage& other);
    ~CGImage();
    static std::shared_ptr<CGImage> make(int width, int height) { return std::make_shared<CGImage>(width, height); }

    // Reads a PNG file; nullptr when the file is missing or not a PNG.
    static std::shared_ptr<CGImage> readPNG(const std::string& path);
    // Reads only a PNG file's header now and decodes its pixels when they are first needed, so
    // a catalogue can tell sizes without decoding pictures nobody draws. nullptr when the file is
    // missing or has no PNG header; pixels that then fail to decode stay transparent.
    static std::shared_ptr<CGImage> openPNG(const std::string& path);
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
    std::uint32_t* data() { return pixels().data(); }
    const std::uint32_t* data() const { return pixels().data(); }

    // Straight (un-premultiplied) colour of a pixel; clear outside the image.
    DisplayColor pixel(int x, int y) const;
    // 8-bit straight components: {a, r, g, b}.
    std::uint32_t argb(int x, int y) const;
    void setPixel(int x, int y, const DisplayColor& c);

    friend bool operator==(const CGImage& a, const CGImage& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels() == b.pixels();
    }

private:
    struct PendingFile {
        std::string path;
        std::once_flag decoded;
    };
    CGImage(int width, int height, std::string pendingPath);
    std::vector<std::uint32_t>& pixels() const;

    int width_, height_;
    mutable std::vector<std::uint32_t> pixels_;
    std::unique_ptr<PendingFile> pending_;  // a file whose pixels are not read yet
};

}  // namespace CoreGraphics
