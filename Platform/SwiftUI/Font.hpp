#pragma once
#include <string>

#include "CoreGraphics/Font.hpp"
#include "SwiftUI/Layout.hpp"

namespace SwiftUI {

// A font description resolved when text is drawn: the system font at a size, weight and
// design, or a custom face by PostScript name ("Rocket", "Dosis-Light").
class Font {
public:
    enum class Weight { ultraLight, thin, light, regular, medium, semibold, bold, heavy, black };
    enum class Design { standard, serif, rounded, monospaced };

    static Font system(CGFloat size, Weight weight = Weight::regular, Design design = Design::standard);
    static Font custom(std::string name, CGFloat size);
    static Font body() { return system(13); }
    static Font caption() { return system(10); }
    static Font headline() { return system(13, Weight::bold); }
    static Font title() { return system(22); }

    bool isCustom() const { return !name_.empty(); }
    const std::string& name() const { return name_; }
    CGFloat size() const { return size_; }
    Weight weight() const { return weight_; }
    Design design() const { return design_; }

    // What the text layout draws with.
    CoreGraphics::Font resolved() const;

    friend bool operator==(const Font&, const Font&) = default;

private:
    std::string name_;
    CGFloat size_ = 13;
    Weight weight_ = Weight::regular;
    Design design_ = Design::standard;
};

}  // namespace SwiftUI
