#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "CoreGraphics/Font.hpp"

namespace CoreGraphics {

// Process-wide fonts by PostScript name, on fontconfig. Thread-safe.
class FontRegistry {
public:
    // Adds a font file to the application's fonts and makes it answer to `postScriptName`
    // (which may differ from the name inside the file, as "Rocket" does). False when the
    // file cannot be read as a font, or is no regular file of at most largestFontFile bytes;
    // `problem` then says why.
    static bool registerFontFile(const std::string& path, const std::string& postScriptName, std::string* problem = nullptr);
    // Registers every font a bundle's resources declare in "fonts.txt" ("<PostScriptName>
    // <file>" per line, file relative to the resources directory). Returns how many; what
    // could not be read (the list itself, a font) is added to `problems`.
    static int registerFonts(const std::string& resourcesDirectory, std::vector<std::string>* problems = nullptr);

    // Far past any face a bundle ships; fontconfig maps the whole file.
    static constexpr std::size_t largestFontFile = 64 << 20;

    // What a request resolves to.
    struct Face {
        std::string family;  // the fontconfig family used
        std::string style;   // e.g. "Medium"
        bool fallback;       // true when the name was not found
    };
    static Face resolve(const Font& font);

    static constexpr const char* fallbackFamily = "DejaVu Sans";
    static constexpr const char* roundedFamily = "Dosis";
};

}  // namespace CoreGraphics
