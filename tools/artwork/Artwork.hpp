#pragma once
// The build-time art tool's framework. A module's art source registers what its bundle
// shows; the tool draws each image with the platform's graphics context at 1x and 2x and
// writes the bundle's Assets/ folder:
//
//   #include "tools/artwork/Artwork.hpp"
//   VZ_ART_SOURCE(kitArt) {
//       art.color("background", CGColor::hex(0x202226));
//       art.image("knobs/dial-01", {68, 84}, [](CoreGraphics::CGContext& c, CoreGraphics::CGSize s) { ... });
//   }
//
// Drawing happens in a flipped context (origin top left, y down) of the image's size in
// points; the 2x file is the same drawing at scale 2.
#include <functional>
#include <string>
#include <vector>

#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/Color.hpp"
#include "CoreGraphics/ImageAsset.hpp"

namespace Artwork {

using DrawFunction = std::function<void(CoreGraphics::CGContext&, CoreGraphics::CGSize)>;

class Catalog {
public:
    struct Image {
        std::string name;
        CoreGraphics::CGSize size;
        DrawFunction draw;
        bool isTemplate;
    };
    struct Color {
        std::string name;
        CoreGraphics::CGColor color;
    };

    void image(std::string name, CoreGraphics::CGSize size, DrawFunction draw, bool isTemplate = false) {
        images_.push_back({std::move(name), size, std::move(draw), isTemplate});
    }
    void color(std::string name, CoreGraphics::CGColor c) { colors_.push_back({std::move(name), c}); }
    // Slices an image drawn in this catalogue (see CoreGraphics::ImageAsset::Slicing).
    void slice(std::string name, CoreGraphics::ImageAsset::Slicing slicing) { slices_.push_back({std::move(name), slicing}); }

    const std::vector<Image>& images() const { return images_; }
    const std::vector<Color>& colors() const { return colors_; }

    // Checks names (unique per namespace, relative, no ".."; image names without blanks,
    // colour names with single inner blanks at most), sizes and slices (of a drawn image, once,
    // caps inside it); the problems found.
    std::vector<std::string> validate() const;
    // Writes every image and the manifests into `assetsDirectory`; false with the reasons
    // in `errors` when something could not be written.
    bool write(const std::string& assetsDirectory, std::vector<std::string>& errors) const;

private:
    std::vector<Image> images_;
    std::vector<Color> colors_;
    std::vector<std::pair<std::string, CoreGraphics::ImageAsset::Slicing>> slices_;
};

// Registers an art source's function with the tool (one static object per source).
struct ArtSource {
    ArtSource(const char* name, void (*fill)(Catalog&));
};
// Every registered source applied to one catalogue.
Catalog collect();

// The tool: `<tool> <Assets directory>`. Exit code 0 on success.
int run(int argc, char** argv);

}  // namespace Artwork

#define VZ_ART_SOURCE(ident)                                              \
    static void ident(::Artwork::Catalog& art);                          \
    static const ::Artwork::ArtSource ident##ArtSource(#ident, &ident); \
    static void ident([[maybe_unused]] ::Artwork::Catalog& art)
