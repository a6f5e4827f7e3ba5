#include "AppKit/NSFont.hpp"

#include <map>
#include <tuple>

#include "CoreGraphics/FontRegistry.hpp"
#include "CoreGraphics/TextLayout.hpp"

namespace AppKit {

NSFont::Ptr NSFont::shared(const CoreGraphics::Font& font) {
    using Key = std::tuple<std::string, double, int, bool>;
    static std::map<Key, Ptr> fonts;
    Key key{font.name, font.size, int(font.weight), font.monospacedDigits};
    auto& slot = fonts[key];
    if (!slot) slot = Runtime::make<NSFont>(font);
    return slot;
}

NSFont::Ptr NSFont::named(const std::string& postScriptName, CoreGraphics::CGFloat size) {
    auto font = CoreGraphics::Font::named(postScriptName, size);
    if (postScriptName.empty() || CoreGraphics::FontRegistry::resolve(font).fallback) return nullptr;
    return shared(font);
}

NSFont::Ptr NSFont::systemFont(CoreGraphics::CGFloat size, FontWeight weight) {
    return shared(CoreGraphics::Font::system(size, weight));
}

NSFont::Ptr NSFont::monospacedDigitSystemFont(CoreGraphics::CGFloat size, FontWeight weight) {
    auto font = CoreGraphics::Font::system(size, weight);
    font.monospacedDigits = true;
    return shared(font);
}

std::string NSFont::fontName() const { return font_.isSystem() ? ".AppleSystemUIFont" : font_.name; }

CoreGraphics::CGFloat NSFont::ascender() const { return CoreGraphics::TextLayout::metrics(font_).ascent; }
CoreGraphics::CGFloat NSFont::descender() const { return -CoreGraphics::TextLayout::metrics(font_).descent; }

}  // namespace AppKit
