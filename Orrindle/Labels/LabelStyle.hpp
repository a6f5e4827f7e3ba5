#pragma once
#include <memory>

#include "AppKit/NSColor.hpp"
#include "AppKit/NSFont.hpp"

namespace Orrindle {

// A label's style: the text field defaults in the label look (TextFieldCellStyle::setLabelLook)
// with the label's font and text colour, and its selected font.
template <class LabelStyle>
std::shared_ptr<LabelStyle> labelStyle(AppKit::NSFont::Ptr font, AppKit::NSFont::Ptr selectedFont, AppKit::NSColor::Ptr textColor) {
    auto style = std::make_shared<LabelStyle>();
    style->setLabelLook(std::move(font), std::move(textColor));
    style->setSelectedFont(std::move(selectedFont));
    return style;
}

}  // namespace Orrindle
