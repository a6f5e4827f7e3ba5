#include "CoreGraphics/AssetCatalog.hpp"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <unordered_map>

#include "CoreGraphics/FontRegistry.hpp"
#include "Foundation/Bundle.hpp"
#include "Foundation/NSError.hpp"
#include "Foundation/NumberText.hpp"
#include "Foundation/ResourceFile.hpp"

namespace fs = std::filesystem;

namespace CoreGraphics {

namespace {
std::optional<CGColorSpace> parseSpace(const std::string& s) {
    if (s == "srgb") return CGColorSpace::sRGB;
    if (s == "extended-srgb") return CGColorSpace::extendedSRGB;
    if (s == "extended-linear-srgb") return CGColorSpace::extendedLinearSRGB;
    if (s == "display-p3") return CGColorSpace::displayP3;
    if (s == "extended-linear-display-p3") return CGColorSpace::extendedLinearDisplayP3;
    if (s == "gray") return CGColorSpace::genericGray;
    return std::nullopt;
}

// The Assets directory meant by a path given as the folder itself, a bundle's Resources
// folder or a bundle root.
std::string assetsDirectory(const std::string& path) {
    fs::path p(path);
    for (fs::path candidate : {p / "Contents" / "Resources" / "Assets", p / "Resources" / "Assets", p / "Assets"})
        if (fs::is_directory(candidate)) return candidate.string();
    return p.string();
}

// A manifest's text; absent when the catalogue has none or it is refused, which is a problem.
std::optional<std::string> manifestText(const fs::path& file, std::string_view kind, std::vector<std::string>& problems) {
    try {
        if (auto bytes = Foundation::ResourceFile::readIfPresent(file.string(), kind)) return std::string(bytes->begin(), bytes->end());
    } catch (const Foundation::NSError& error) {
        problems.push_back(error.localizedDescription());
    }
    return std::nullopt;
}

// Each line of a manifest that holds words once '#' comments are gone, handed over with a way
// to report it as a problem ("file:line: why").
using Fail = std::function<void(const std::string& why)>;
void forEachManifestLine(const fs::path& file, std::string_view kind, std::vector<std::string>& problems,
                         const std::function<void(const std::vector<std::string>& words, const Fail& fail)>& take) {
    const auto text = manifestText(file, kind, problems);
    if (!text) return;
    std::istringstream in(*text);
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream ls(line);
        std::vector<std::string> words;
        for (std::string t; ls >> t;) words.push_back(t);
        if (words.empty()) continue;
        take(words, [&](const std::string& why) { problems.push_back(file.string() + ":" + std::to_string(lineNo) + ": " + why); });
    }
}
}  // namespace

AssetCatalog::AssetCatalog(std::string assetsDirectory) : dir_(std::move(assetsDirectory)) {}

std::shared_ptr<AssetCatalog> AssetCatalog::forDirectory(const std::string& path) {
    static std::mutex m;
    static std::map<std::string, std::shared_ptr<AssetCatalog>> cache;
    // Every colour and picture a frame draws asks for its catalogue: a path already resolved
    // to an Assets folder is answered without the file system (canonicalising costs a system
    // call per path component). Only absolute paths, whose meaning cannot move with the
    // working directory; a path that found no Assets folder is resolved again next time, in
    // case one appears.
    static std::unordered_map<std::string, std::shared_ptr<AssetCatalog>> resolved;
    {
        std::lock_guard g(m);
        if (auto it = resolved.find(path); it != resolved.end()) return it->second;
    }
    std::string dir = assetsDirectory(path);
    std::error_code ec;
    std::string key = fs::weakly_canonical(dir, ec).string();
    if (ec) key = dir;
    const bool settled = fs::path(path).is_absolute() && fs::path(dir).filename() == "Assets" && fs::is_directory(dir, ec);
    std::lock_guard g(m);
    auto& slot = cache[key];
    if (!slot) {
        slot = std::make_shared<AssetCatalog>(dir);
        FontRegistry::registerFonts(fs::path(dir).parent_path().string(), &slot->problems_);
    }
    if (settled) resolved.emplace(path, slot);
    return slot;
}

std::shared_ptr<AssetCatalog> AssetCatalog::forBundle(const Foundation::Bundle& bundle) {
    const auto& resources = bundle.resourceURL();
    return forDirectory(resources ? resources->path() : bundle.bundleURL().path());
}

std::shared_ptr<AssetCatalog> AssetCatalog::inMemory() {
    auto c = std::make_shared<AssetCatalog>("");
    c->loaded_ = true;
    return c;
}

void AssetCatalog::loadManifests() {
    if (loaded_) return;
    loaded_ = true;
    fs::path dir(dir_);
    if (!fs::is_directory(dir)) return;
    forEachManifestLine(dir / "colors.txt", "a colour list", problems_, [&](const std::vector<std::string>& w, const Fail& fail) {
        // The name may hold blanks ("Grey 85%"): the numbers and the space are read from the end.
        const bool namedSpace = !Foundation::NumberText::parseDouble(w.back());
        std::optional<CGColorSpace> space = CGColorSpace::sRGB;
        if (namedSpace) {
            space = w.back() == "gray" ? std::optional(CGColorSpace::genericGray) : parseSpace(w.back());
            if (!space) {
                fail("unknown colour space \"" + w.back() + "\"");
                return;
            }
        }
        const bool gray = space == CGColorSpace::genericGray;
        const std::size_t count = gray ? 2 : 4, tail = count + (namedSpace ? 1 : 0);
        if (w.size() <= tail) {
            fail("expected \"name r g b a [space]\"");
            return;
        }
        const std::size_t first = w.size() - tail;
        double c[4] = {0, 0, 0, 0};
        bool ok = true;
        for (std::size_t i = 0; i < count; ++i) {
            auto v = Foundation::NumberText::parseDouble(w[first + i]);
            if (!v) ok = false;
            else c[i] = *v;
        }
        if (!ok) {
            fail("components must be numbers");
            return;
        }
        std::string name = w[0];
        for (std::size_t i = 1; i < first; ++i) name += " " + w[i];
        colors_[name] = CGColor(*space, c[0], c[1], c[2], c[3]);
    });
    if (const auto text = manifestText(dir / "templates.txt", "a template list", problems_)) {
        std::istringstream in(*text);
        for (std::string line; std::getline(in, line);) {
            std::istringstream ls(line);
            std::string name;
            if (ls >> name && name[0] != '#') templates_[name] = true;
        }
    }
    forEachManifestLine(dir / "slices.txt", "a slice list", problems_, [&](const std::vector<std::string>& w, const Fail& fail) {
        if (w.size() != 6 || (w[1] != "horizontal" && w[1] != "vertical" && w[1] != "both")) {
            fail("expected \"name horizontal|vertical|both left top right bottom\"");
            return;
        }
        ImageAsset::Slicing slicing;
        slicing.horizontal = w[1] != "vertical";
        slicing.vertical = w[1] != "horizontal";
        CGFloat* caps[] = {&slicing.left, &slicing.top, &slicing.right, &slicing.bottom};
        bool ok = true;
        for (std::size_t i = 0; i < 4; ++i) {
            auto v = Foundation::NumberText::parseDouble(w[2 + i]);
            if (!v || *v < 0) ok = false;
            else *caps[i] = *v;
        }
        if (!ok) {
            fail("caps must be numbers of 0 or more");
            return;
        }
        slices_[w[0]] = slicing;
    });
}

ImageRef AssetCatalog::loadImage(const std::string& name) {
    if (dir_.empty() || name.empty() || name.find("..") != std::string::npos) return nullptr;
    fs::path base = fs::path(dir_) / name;
    std::vector<ImageAsset::Representation> reps;
    CGSize size{};
    for (auto [suffix, scale] : {std::pair{".png", 1.0}, std::pair{"@2x.png", 2.0}, std::pair{"@3x.png", 3.0}}) {
        fs::path file = base.string() + suffix;
        if (!fs::is_regular_file(file)) continue;
        auto bitmap = CGImage::openPNG(file.string());
        if (!bitmap) {
            problems_.push_back(file.string() + ": not a readable PNG");
            continue;
        }
        if (size.width == 0) size = {bitmap->width() / scale, bitmap->height() / scale};
        reps.push_back({scale, std::move(bitmap)});
    }
    if (reps.empty()) return nullptr;
    std::optional<ImageAsset::Slicing> slicing;
    if (auto it = slices_.find(name); it != slices_.end()) slicing = it->second;
    return std::make_shared<ImageAsset>(name, size, std::move(reps), templates_.count(name) > 0, slicing);
}

ImageRef AssetCatalog::findImage(const std::string& name) {
    std::lock_guard g(mutex_);
    loadManifests();
    if (auto it = imageOverrides_.find(name); it != imageOverrides_.end()) return it->second;
    if (auto it = images_.find(name); it != images_.end()) return it->second;
    auto img = loadImage(name);
    images_[name] = img;  // misses are cached too
    return img;
}

ImageRef AssetCatalog::image(const std::string& name) {
    if (auto img = findImage(name)) return img;
    return std::make_shared<ImageAsset>(name, CGSize{});
}

std::optional<CGColor> AssetCatalog::findColor(const std::string& name) {
    std::lock_guard g(mutex_);
    loadManifests();
    if (auto it = colorOverrides_.find(name); it != colorOverrides_.end()) return it->second;
    if (auto it = colors_.find(name); it != colors_.end()) return it->second;
    return std::nullopt;
}

CGColor AssetCatalog::color(const std::string& name) { return findColor(name).value_or(CGColor::clear()); }

std::vector<ImageRef> AssetCatalog::imageSequence(const std::string& prefix, int count, int digits) {
    std::vector<ImageRef> out;
    for (int i = 1; i <= count; ++i) {
        std::string n = std::to_string(i);
        if (int(n.size()) < digits) n.insert(0, size_t(digits) - n.size(), '0');
        out.push_back(image(prefix + n));
    }
    return out;
}

std::vector<std::string> AssetCatalog::imageNames() {
    std::lock_guard g(mutex_);
    std::map<std::string, bool> names;
    for (auto& [n, _] : imageOverrides_) names[n] = true;
    std::error_code ec;
    if (!dir_.empty() && fs::is_directory(dir_))
        for (auto it = fs::recursive_directory_iterator(dir_, ec); it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (ec) break;
            auto rel = fs::relative(it->path(), dir_, ec).generic_string();
            if (rel.size() < 4 || rel.substr(rel.size() - 4) != ".png") continue;
            rel.erase(rel.size() - 4);
            if (auto at = rel.rfind('@'); at != std::string::npos && rel.size() - at == 3 && rel.back() == 'x') rel.erase(at);
            names[rel] = true;
        }
    std::vector<std::string> out;
    for (auto& [n, _] : names) out.push_back(n);
    return out;
}

std::vector<std::string> AssetCatalog::colorNames() {
    std::lock_guard g(mutex_);
    loadManifests();
    std::map<std::string, bool> names;
    for (auto& [n, _] : colors_) names[n] = true;
    for (auto& [n, _] : colorOverrides_) names[n] = true;
    std::vector<std::string> out;
    for (auto& [n, _] : names) out.push_back(n);
    return out;
}

void AssetCatalog::registerImage(const std::string& name, CGSize size, bool isTemplate) {
    registerImage(name, std::make_shared<ImageAsset>(name, size, std::vector<ImageAsset::Representation>{}, isTemplate));
}

void AssetCatalog::registerImage(const std::string& name, ImageRef image) {
    std::lock_guard g(mutex_);
    imageOverrides_[name] = std::move(image);
}

void AssetCatalog::registerColor(const std::string& name, const CGColor& color) {
    std::lock_guard g(mutex_);
    colorOverrides_[name] = color;
}

void AssetCatalog::removeRegistrations() {
    std::lock_guard g(mutex_);
    imageOverrides_.clear();
    colorOverrides_.clear();
}

std::vector<std::string> AssetCatalog::problems() {
    std::lock_guard g(mutex_);
    loadManifests();
    return problems_;
}

}  // namespace CoreGraphics
