#pragma once
#include <string>

#include "CoreGraphics/Geometry.hpp"

namespace CoreGraphics {

enum class FontWeight { ultraLight, thin, light, regular, medium, semibold, bold, heavy, black };

// A font request: a PostScript name ("Dosis-Medium", "Rocket") or the system font, at a
// size in points. The name is what was asked for; which face is used is the registry's
// business (a missing name falls back silently to DejaVu Sans; the system font is DejaVu
// Sans, its rounded design the Dosis family).
struct Font {
    std::string name;  // empty: the system font
    CGFloat size = 13;
    FontWeight weight = FontWeight::regular;  // for the system font
    bool monospacedDigits = false;
    bool rounded = false;  // the system font's rounded design

    static Font named(std::string postScriptName, CGFloat size) { return {std::move(postScriptName), size}; }
    static Font system(CGFloat size, FontWeight w = FontWeight::regular) { return {"", size, w}; }
    bool isSystem() const { return name.empty(); }
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace CoreGraphics
