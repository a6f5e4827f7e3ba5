#include "CoreGraphics/FontRegistry.hpp"

#include <fontconfig/fontconfig.h>
#include <pango/pangofc-fontmap.h>

#include <filesystem>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>

#include "CoreGraphics/TextEngine.hpp"
#include "Foundation/NSError.hpp"
#include "Foundation/ResourceFile.hpp"

namespace CoreGraphics {

namespace {
struct Registered {
    std::string family, style;
    bool found = true;
};
std::map<std::string, Registered>& registered() {
    static std::map<std::string, Registered> m;
    return m;
}

std::string patternString(FcPattern* p, const char* key) {
    FcChar8* s = nullptr;
    return FcPatternGetString(p, key, 0, &s) == FcResultMatch && s ? reinterpret_cast<const char*>(s) : "";
}

// An installed or added face whose PostScript name is `name`.
bool findByPostScriptName(const std::string& name, Registered& out) {
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_POSTSCRIPT_NAME, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcObjectSet* os = FcObjectSetBuild(FC_FAMILY, FC_STYLE, nullptr);
    FcFontSet* fs = FcFontList(nullptr, pat, os);
    bool found = fs && fs->nfont > 0;
    if (found) out = {patternString(fs->fonts[0], FC_FAMILY), patternString(fs->fonts[0], FC_STYLE)};
    if (fs) FcFontSetDestroy(fs);
    FcObjectSetDestroy(os);
    FcPatternDestroy(pat);
    return found;
}
}  // namespace

bool FontRegistry::registerFontFile(const std::string& path, const std::string& postScriptName, std::string* problem) {
    const auto refuse = [&](const std::string& why) {
        if (problem) *problem = why;
        return false;
    };
    // FreeType would wait on a FIFO for good.
    try {
        Foundation::ResourceFile::check(path, "a font", largestFontFile);
    } catch (const Foundation::NSError& error) {
        return refuse(error.localizedDescription());
    }
    std::lock_guard g(TextEngine::lock());
    FcInit();
    int count = 0;
    FcBlanks* blanks = nullptr;
    FcPattern* p = FcFreeTypeQuery(reinterpret_cast<const FcChar8*>(path.c_str()), 0, blanks, &count);
    if (!p) return refuse("The file \"" + path + "\" is not a font.");
    Registered r{patternString(p, FC_FAMILY), patternString(p, FC_STYLE)};
    FcPatternDestroy(p);
    if (!FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8*>(path.c_str())))
        return refuse("The font \"" + path + "\" could not be added.");
    // A name looked up before may now be found under its own name too.
    for (auto it = registered().begin(); it != registered().end();) it = it->second.found ? std::next(it) : registered().erase(it);
    registered()[postScriptName] = r;
    TextEngine::fontsChanged();
    return true;
}

namespace {
// A bundle's list names its own files: nothing absolute, nothing reached through "..".
bool insideItsFolder(const std::string& file) {
    const std::filesystem::path p(file);
    if (p.empty() || p.is_absolute()) return false;
    for (const auto& part : p)
        if (part == "..") return false;
    return true;
}
}  // namespace

int FontRegistry::registerFonts(const std::string& resourcesDirectory, std::vector<std::string>* problems) {
    const auto note = [&](const std::string& problem) {
        if (problems) problems->push_back(problem);
    };
    const std::filesystem::path resources(resourcesDirectory);
    std::optional<Foundation::Data> list;
    try {
        list = Foundation::ResourceFile::readIfPresent((resources / "fonts.txt").string(), "a font list");
    } catch (const Foundation::NSError& error) {
        note(error.localizedDescription());
    }
    if (!list) return 0;
    std::istringstream in(std::string(list->begin(), list->end()));
    int n = 0;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream ls(line);
        std::string name, file, problem;
        if (!(ls >> name >> file) || name[0] == '#') continue;
        if (!insideItsFolder(file)) {
            note("The font list of \"" + resources.string() + "\" names \"" + file +
                 "\", which is not a file inside its folder.");
            continue;
        }
        if (registerFontFile((resources / file).string(), name, &problem)) ++n;
        else note(problem);
    }
    return n;
}

FontRegistry::Face FontRegistry::resolve(const Font& font) {
    std::lock_guard g(TextEngine::lock());
    if (font.isSystem()) return {font.rounded ? roundedFamily : fallbackFamily, "", false};
    auto& m = registered();
    if (auto it = m.find(font.name); it != m.end())
        return it->second.found ? Face{it->second.family, it->second.style, false} : Face{fallbackFamily, "", true};
    FcInit();
    Registered r;
    if (!findByPostScriptName(font.name, r)) r = {"", "", false};  // remembered until fonts change
    m[font.name] = r;
    return r.found ? Face{r.family, r.style, false} : Face{fallbackFamily, "", true};
}

}  // namespace CoreGraphics
