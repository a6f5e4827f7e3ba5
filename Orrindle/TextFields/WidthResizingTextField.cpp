#include "Orrindle/TextFields/WidthResizingTextField.hpp"

#include <limits>

namespace Orrindle {

AppKit::CGSize WidthResizingTextField::intrinsicContentSize() const {
    const AppKit::CGSize s = StyledTextField::intrinsicContentSize();
    auto c = cell();
    if (!c) return s;
    return c->cellSize({bounds().origin, {std::numeric_limits<AppKit::CGFloat>::max(), s.height}});
}

}  // namespace Orrindle
