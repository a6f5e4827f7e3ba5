#pragma once
#include <memory>
#include <string>

#include "CoreGraphics/Font.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

using CoreGraphics::FontWeight;

// A font: a PostScript name (or the system font) at a size. Equal requests give the same
// shared object.
class NSFont : public Runtime::NSObject {
    VZ_OBJECT(NSFont, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSFont>;

    // Null when no face of that name is available (the platform's failable initialiser).
    static Ptr named(const std::string& postScriptName, CoreGraphics::CGFloat size);
    static Ptr systemFont(CoreGraphics::CGFloat size, FontWeight weight = FontWeight::regular);
    static Ptr boldSystemFont(CoreGraphics::CGFloat size) { return systemFont(size, FontWeight::bold); }
    // The font of menu items: the system font.
    static Ptr menuFont(CoreGraphics::CGFloat size) { return systemFont(size); }
    static Ptr monospacedDigitSystemFont(CoreGraphics::CGFloat size, FontWeight weight = FontWeight::regular);
    static CoreGraphics::CGFloat systemFontSize() { return 13; }

    // The PostScript name asked for; ".AppleSystemUIFont" for the system font.
    std::string fontName() const;
    CoreGraphics::CGFloat pointSize() const { return font_.size; }
    const CoreGraphics::Font& font() const { return font_; }
    // How far the font reaches above the baseline, and below it (negative), in points.
    CoreGraphics::CGFloat ascender() const;
    CoreGraphics::CGFloat descender() const;

protected:
    explicit NSFont(CoreGraphics::Font font) : font_(std::move(font)) {}

private:
    static Ptr shared(const CoreGraphics::Font& font);
    CoreGraphics::Font font_;
};

}  // namespace AppKit
