#pragma once
#include <memory>

#include "AppKit/NSColor.hpp"
#include "AppKit/NSFont.hpp"

namespace Orrindle {

// A label's style: the text field defaults with the label's font, selected font and text colour,
// then no bezel image cap insets, no padding and no bezel images, so a label draws no bezel and
// its text is not padded.
template <class LabelStyle>
std::shared_ptr<LabelStyle> labelStyle(AppKit::NSFont::Ptr font, AppKit::NSFont::Ptr selectedFont, AppKit::NSColor::Ptr textColor) {
    auto style = std::make_shared<LabelStyle>();
    style->setFont(std::move(font));
    style->setSelectedFont(std::move(selectedFont));
    style->setTextColor(std::move(textColor));
    style->setBezelImageCapInsets({});
    style->setPadding({});
    style->setBezelImages({});
    return style;
}

}  // namespace Orrindle
