#include "tools/artwork/Artwork.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

namespace fs = std::filesystem;
using namespace CoreGraphics;

namespace Artwork {

namespace {
std::vector<std::pair<const char*, void (*)(Catalog&)>>& sources() {
    static std::vector<std::pair<const char*, void (*)(Catalog&)>> s;
    return s;
}

std::string number(double v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

const char* spaceWord(CGColorSpace s) {
    switch (s) {
        case CGColorSpace::sRGB: return "srgb";
        case CGColorSpace::extendedSRGB: return "extended-srgb";
        case CGColorSpace::extendedLinearSRGB: return "extended-linear-srgb";
        case CGColorSpace::displayP3: return "display-p3";
        case CGColorSpace::extendedLinearDisplayP3: return "extended-linear-display-p3";
        case CGColorSpace::genericGray: return "gray";
    }
    return "srgb";
}

bool validName(const std::string& n, bool blanks = false) {
    if (n.empty() || n.front() == '/' || n.back() == '/' || n.find("..") != std::string::npos) return false;
    if (blanks && (n.front() == ' ' || n.back() == ' ' || n.find("  ") != std::string::npos)) return false;
    for (char c : n)
        if ((c == ' ' && !blanks) || c == '\t' || c == '\n' || c == '\r' || c == '#') return false;
    return true;
}
}  // namespace

ArtSource::ArtSource(const char* name, void (*fill)(Catalog&)) { sources().push_back({name, fill}); }

Catalog collect() {
    Catalog c;
    for (auto& [name, fill] : sources()) fill(c);
    return c;
}

std::vector<std::string> Catalog::validate() const {
    std::vector<std::string> problems;
    std::set<std::string> seen;
    for (auto& i : images_) {
        if (!validName(i.name)) problems.push_back("image name \"" + i.name + "\" is not a relative name without blanks");
        if (!seen.insert(i.name).second) problems.push_back("image \"" + i.name + "\" is drawn twice");
        if (!(i.size.width >= 1 && i.size.height >= 1)) problems.push_back("image \"" + i.name + "\" has no size");
        if (!i.draw) problems.push_back("image \"" + i.name + "\" has no drawing");
    }
    seen.clear();
    for (auto& entry : slices_) {
        // Named, not bound: clang 14 cannot capture a structured binding in the lambda below.
        const auto& name = entry.first;
        const auto& slicing = entry.second;
        auto image = std::find_if(images_.begin(), images_.end(), [&](const Image& i) { return i.name == name; });
        if (image == images_.end()) {
            problems.push_back("slices of \"" + name + "\", which is not drawn");
            continue;
        }
        if (!seen.insert(name).second) problems.push_back("image \"" + name + "\" is sliced twice");
        const bool fits = slicing.left >= 0 && slicing.right >= 0 && slicing.top >= 0 && slicing.bottom >= 0 &&
                          slicing.left + slicing.right <= image->size.width && slicing.top + slicing.bottom <= image->size.height;
        if (!fits || (!slicing.horizontal && !slicing.vertical))
            problems.push_back("slices of \"" + name + "\" do not fit inside it along a sliced axis");
    }
    seen.clear();
    for (auto& c : colors_) {
        if (!validName(c.name, true))
            problems.push_back("colour name \"" + c.name + "\" is not a name with single inner blanks at most");
        if (!seen.insert(c.name).second) problems.push_back("colour \"" + c.name + "\" is listed twice");
    }
    return problems;
}

bool Catalog::write(const std::string& assetsDirectory, std::vector<std::string>& errors) const {
    errors = validate();
    if (!errors.empty()) return false;
    fs::path dir(assetsDirectory);
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        errors.push_back("cannot create " + dir.string() + ": " + ec.message());
        return false;
    }
    for (auto& i : images_) {
        fs::path base = dir / i.name;
        fs::create_directories(base.parent_path(), ec);
        for (CGFloat scale : {1.0, 2.0}) {
            CGContext ctx(i.size, true, scale);
            i.draw(ctx, i.size);
            std::string file = base.string() + (scale == 1 ? ".png" : "@2x.png");
            std::string why;
            if (!ctx.makeImage()->writePNG(file, &why)) errors.push_back(why);
        }
    }
    std::ofstream colors(dir / "colors.txt");
    colors << "# name r g b a [space]; written by the art tool\n";
    for (auto& c : colors_) {
        auto& k = c.color;
        colors << c.name;
        if (k.colorSpace() == CGColorSpace::genericGray)
            colors << ' ' << number(k.component(0)) << ' ' << number(k.component(1)) << " gray\n";
        else
            colors << ' ' << number(k.component(0)) << ' ' << number(k.component(1)) << ' ' << number(k.component(2)) << ' '
                   << number(k.component(3)) << ' ' << spaceWord(k.colorSpace()) << '\n';
    }
    std::ofstream templates(dir / "templates.txt");
    for (auto& i : images_)
        if (i.isTemplate) templates << i.name << '\n';
    std::ofstream slices(dir / "slices.txt");
    slices << "# name horizontal|vertical|both left top right bottom; written by the art tool\n";
    for (auto& [name, k] : slices_)
        slices << name << ' ' << (k.horizontal && k.vertical ? "both" : k.horizontal ? "horizontal" : "vertical") << ' '
               << number(k.left) << ' ' << number(k.top) << ' ' << number(k.right) << ' ' << number(k.bottom) << '\n';
    if (!colors || !templates || !slices) errors.push_back("cannot write the manifests in " + dir.string());
    return errors.empty();
}

int run(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <Assets directory>\n", argc > 0 ? argv[0] : "artwork");
        return 2;
    }
    std::vector<std::string> errors;
    if (!collect().write(argv[1], errors)) {
        for (auto& e : errors) std::fprintf(stderr, "artwork: %s\n", e.c_str());
        return 1;
    }
    return 0;
}

}  // namespace Artwork
