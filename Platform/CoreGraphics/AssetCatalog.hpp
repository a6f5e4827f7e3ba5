#pragma once
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "CoreGraphics/Color.hpp"
#include "CoreGraphics/ImageAsset.hpp"

namespace Foundation {
class Bundle;
}

namespace CoreGraphics {

// A bundle's named images and colours, read from its `Assets/` directory:
//   <name>.png and <name>@2x.png  images ("/" in a name is a folder: "knobs/dial-01.png")
//   colors.txt                    "name r g b a [space]" per line (a name may hold single
//                                 blanks: "Grey 85% 0.85 0.85 0.85 1"), components 0...1,
//                                 space srgb (default), display-p3, extended-srgb,
//                                 extended-linear-srgb or gray ("name w a gray"); '#' comments
//   templates.txt                 names of template images, one per line
//   slices.txt                    "name horizontal|vertical|both left top right bottom" per
//                                 line: the image is sliced along those axes with those caps
//                                 in points (see ImageAsset::Slicing); '#' comments
// Images and colours are separate namespaces. Lookups are cached and thread-safe. A
// missing name is never an error: `image` gives an empty image (size 0) with the name,
// `color` gives clear. A list that is no regular file of a list's size is not read
// (Foundation::ResourceFile) and counts as a problem.
class AssetCatalog {
public:
    // The shared catalogue of a directory: an `Assets/` folder itself, or a bundle's
    // Resources folder (or bundle root) that holds one. Opening a bundle's catalogue also
    // registers the fonts its resources declare.
    static std::shared_ptr<AssetCatalog> forDirectory(const std::string& path);
    // The catalogue in a bundle's resource directory.
    static std::shared_ptr<AssetCatalog> forBundle(const Foundation::Bundle& bundle);
    // An empty catalogue that only holds what is registered.
    static std::shared_ptr<AssetCatalog> inMemory();

    ImageRef image(const std::string& name);
    ImageRef findImage(const std::string& name);  // nullptr when missing
    CGColor color(const std::string& name);
    std::optional<CGColor> findColor(const std::string& name);
    // prefix + 1-based index zero-padded to `digits`: ("knobs/dial-", 51) -> "knobs/dial-01"...
    std::vector<ImageRef> imageSequence(const std::string& prefix, int count, int digits = 2);

    std::vector<std::string> imageNames();
    std::vector<std::string> colorNames();

    // Overrides that win over the files (tests: an image of a chosen size under a name).
    void registerImage(const std::string& name, CGSize size, bool isTemplate = false);
    void registerImage(const std::string& name, ImageRef image);
    void registerColor(const std::string& name, const CGColor& color);
    void removeRegistrations();

    const std::string& directory() const { return dir_; }
    // Lines of colors.txt or slices.txt that do not read, and lists, fonts and images that
    // could not be read, each with the file and the reason.
    std::vector<std::string> problems();

    explicit AssetCatalog(std::string assetsDirectory);

private:
    void loadManifests();
    ImageRef loadImage(const std::string& name);

    std::mutex mutex_;
    std::string dir_;
    bool loaded_ = false;
    std::map<std::string, CGColor> colors_, colorOverrides_;
    std::map<std::string, ImageRef> images_, imageOverrides_;
    std::map<std::string, bool> templates_;
    std::map<std::string, ImageAsset::Slicing> slices_;
    std::vector<std::string> problems_;
};

}  // namespace CoreGraphics
