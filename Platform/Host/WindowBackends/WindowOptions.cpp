#include "Host/WindowBackends/WindowOptions.hpp"

#include <cmath>

#include "Foundation/NumberText.hpp"
#include "Foundation/MissingOptionValue.hpp"
#include "Foundation/QuotedText.hpp"
#include "Host/OutputFiles/OutputFile.hpp"
#include "Host/WindowBackends/BackendSelection.hpp"

namespace WindowBackends {

namespace {

double secondsValue(const std::string& option, const std::string& text) {
    // Locale-free, like every number the programs read.
    const std::optional<double> v = Foundation::NumberText::parseDouble(text);
    if (!v || !std::isfinite(*v) || *v < 0 || *v > 1e6)
        throw OptionError(option + " takes a number of seconds up to 1000000, not " + Foundation::quotedText(text));
    return *v;
}

CoreGraphics::CGSize sizeValue(const std::string& text) {
    auto bad = [&] { return OptionError("--size takes WIDTHxHEIGHT in points, each 1...8192, not " + Foundation::quotedText(text)); };
    const auto x = text.find('x');
    if (x == std::string::npos) throw bad();
    auto part = [&](const std::string& p) {
        if (p.empty() || p.size() > 4 || p.find_first_not_of("0123456789") != std::string::npos) throw bad();
        const long v = std::stol(p);
        if (v < 1 || v > 8192) throw bad();
        return double(v);
    };
    return {part(text.substr(0, x)), part(text.substr(x + 1))};
}

}  // namespace

bool WindowOptions::take(const std::vector<std::string>& arguments, std::size_t& i) {
    const std::string& arg = arguments[i];
    if (arg != "--snapshot" && arg != "--size" && arg != "--seconds") return false;
    if (auto missing = Foundation::missingOptionValue(arguments, i)) throw OptionError(*missing);
    const std::string& value = arguments[++i];
    if (arg == "--snapshot") {
        // Refused before anything is made for it: the application makes the picture's folder.
        if (auto refused = OutputFiles::OutputFile::refusedName(value)) throw OptionError(*refused);
        snapshot = value;
    }
    else if (arg == "--size") size = sizeValue(value);
    else seconds = secondsValue(arg, value);
    return true;
}

std::optional<std::string> WindowOptions::offscreenProblem(const std::string& what, bool endsByItself) const {
    if (installedKind() != Kind::headless || snapshot || seconds || endsByItself) return std::nullopt;
    const std::string& why = fallbackReason();
    return what + " cannot be shown: " + (why.empty() ? std::string("there is no display to show it on") : why) +
           "; use --snapshot FILE.png or --seconds S to run it offscreen";
}

}  // namespace WindowBackends
