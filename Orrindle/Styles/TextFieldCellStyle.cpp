#include "Orrindle/Styles/TextFieldCellStyle.hpp"

#include "Orrindle/Resources/ColorResources.hpp"
#include "Orrindle/Styles/Styles.hpp"
#include "Orrindle/Resources/ImageResources.hpp"

namespace Orrindle {

using S = StyledControlState;

TextFieldCellStyle::TextFieldCellStyle()
    : placeholderTextColor_(Styles::TextInput::placeholderTextColor()),
      placeholderBackground_(Styles::TextInput::placeholderBackground()) {
    setFont(Styles::TextInput::font());
    setTextColor(Styles::TextInput::textColor());
    setTextBackgroundColor(Styles::TextInput::background());
    setSelectedTextColor(Styles::TextInput::selectedTextColor());
    setSelectedBackgroundColor(AppKit::NSColor::withResource(ColorResources::highlightSystem()));
    setDisabledTextColor(Styles::TextInput::disabledTextColor());
    setDisabledBackgroundColor(Styles::TextInput::disabledBackground());
    setHighlightedTextColor(Styles::TextInput::highlightedTextColor());
    setHighlightedBackgroundColor(Styles::TextInput::highlightedBackground());
    setInvalidTextColor(Styles::TextInput::errorTextColor());
    setInvalidBackgroundColor(Styles::TextInput::errorBackground());
    setAlignmentRectInsets({2, 2, 2, 2});
    setEdgeInsets({2, 2, 2, 2});
    setBezelImages(imageTable({{S::default_, ImageResources::kvuTextfield()},
                               {{S::focused, S::invalid}, ImageResources::kvuTextfieldError()},
                               {S::focused, ImageResources::kvuTextfieldFocus()},
                               {S::invalid, ImageResources::kvuTextfieldError()}}));
}

void TextFieldCellStyle::setLabelLook(AppKit::NSFont::Ptr font, AppKit::NSColor::Ptr textColor) {
    setFont(std::move(font));
    setTextColor(std::move(textColor));
    setBezelImageCapInsets({});
    setPadding({});
    setBezelImages({});
}

}  // namespace Orrindle
