#include "Orrindle/Styles/SegmentedCellStyle.hpp"

#include "Orrindle/Styles/Styles.hpp"
#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using S = StyledControlState;

SegmentedCellStyle::SegmentedCellStyle() {
    setFont(Styles::PropertiesTab::font());
    setTextColor(Styles::PropertiesTab::textColor());
    setSelectedTextColor(Styles::PropertiesTab::selectedTextColor());
    setHighlightedTextColor(Styles::PropertiesTab::highlightedTextColor());
    setBackgroundColor(AppKit::NSColor::clear());
    setBezelImages(imageTable({{S::default_, ImageResources::kvuWindowTab()},
                               {S::selected, ImageResources::kvuWindowTabSelected()},
                               {S::highlighted, ImageResources::kvuWindowTabDown()}}));
}

}  // namespace Orrindle
