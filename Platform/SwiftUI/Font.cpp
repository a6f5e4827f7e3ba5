#include "SwiftUI/Font.hpp"

namespace SwiftUI {

Font Font::system(CGFloat size, Weight weight, Design design) {
    Font f;
    f.size_ = size;
    f.weight_ = weight;
    f.design_ = design;
    return f;
}

Font Font::custom(std::string name, CGFloat size) {
    Font f;
    f.name_ = std::move(name);
    f.size_ = size;
    return f;
}

CoreGraphics::Font Font::resolved() const {
    if (isCustom()) return CoreGraphics::Font::named(name_, size_);
    auto f = CoreGraphics::Font::system(size_, static_cast<CoreGraphics::FontWeight>(weight_));
    f.rounded = design_ == Design::rounded;
    return f;
}

}  // namespace SwiftUI
