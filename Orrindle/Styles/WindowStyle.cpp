#include "Orrindle/Styles/WindowStyle.hpp"

#include "Orrindle/Resources/ColorResources.hpp"
#include "Orrindle/Styles/Styles.hpp"

namespace Orrindle {

WindowStyle::WindowStyle()
    : font_(Styles::BaseStyles::normalFont()), textColor_(AppKit::NSColor::withResource(ColorResources::grey85())) {}

}  // namespace Orrindle
