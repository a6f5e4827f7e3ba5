#include "Orrindle/Styles/Styles.hpp"

#include "Orrindle/Resources/ColorResources.hpp"

namespace Orrindle::Styles {

using AppKit::NSColor;
using AppKit::NSFont;
using CoreGraphics::FontWeight;

NSFont::Ptr BaseStyles::normalFont() { return NSFont::systemFont(10); }
NSFont::Ptr BaseStyles::normalMonoFont() { return NSFont::monospacedDigitSystemFont(10); }
NSFont::Ptr BaseStyles::mediumFont() { return NSFont::systemFont(10, FontWeight::medium); }
NSFont::Ptr BaseStyles::headerFont() { return NSFont::systemFont(12, FontWeight::medium); }
NSFont::Ptr BaseStyles::menuFont() { return NSFont::systemFont(12); }
NSFont::Ptr BaseStyles::titleFont() { return NSFont::systemFont(14, FontWeight::medium); }
NSFont::Ptr BaseStyles::largeTitleFont() { return NSFont::systemFont(20, FontWeight::medium); }

// The fonts of the namespaces: each the base font named.
#define ORRINDLE_STYLES_FONTS(X)               \
    X(Control, font, normalFont)               \
    X(OutlineHeader, font, headerFont)         \
    X(OutlineRow, font, normalMonoFont)        \
    X(OutlineRow, selectedFont, mediumFont)    \
    X(TableHeader, font, headerFont)           \
    X(TableRow, font, normalMonoFont)          \
    X(TableRow, selectedFont, mediumFont)      \
    X(TableGroupRow, font, normalFont)         \
    X(TableGroupRow, selectedFont, mediumFont) \
    X(Label, font, normalFont)                 \
    X(TextInput, font, normalFont)             \
    X(PropertiesTab, font, headerFont)         \
    X(CanvasInfo, font, normalFont)

// The colours of the namespaces: the catalogue colour each is, made `once` on its first read
// and shared after, or `fresh` on every read; or AppKit's `clear` colour (no catalogue colour).
#define ORRINDLE_STYLES_COLOURS(X)                                  \
    X(Control, textColor, once, grey85)                             \
    X(Control, background, clear, -)                                \
    X(Control, selectedTextColor, once, grey100)                    \
    X(Control, selectedBackground, fresh, highlightSystem)          \
    X(Control, disabledTextColor, once, grey40)                     \
    X(Control, disabledBackground, clear, -)                        \
    X(Control, highlightedTextColor, once, grey50)                  \
    X(Control, highlightedBackground, clear, -)                     \
    X(Control, errorTextColor, once, grey100)                       \
    X(Control, errorBackground, once, error)                        \
    X(Control, placeholderTextColor, once, grey20)                  \
    X(Control, placeholderBackground, clear, -)                     \
    X(Control, focusRingColor, fresh, highlightSystem)              \
    X(Control, errorFocusRingColor, once, error)                    \
    X(ScrollView, background, once, backgroundDarker)               \
    X(OutlineHeader, textColor, once, grey50)                       \
    X(OutlineRow, textColor, once, grey85)                          \
    X(OutlineRow, background, once, backgroundDarker)               \
    X(OutlineRow, selectedTextColor, once, grey100)                 \
    X(OutlineRow, selectedBackground, fresh, highlightSystem)       \
    X(TableView, background, once, backgroundDarker)                \
    X(TableHeader, textColor, once, grey50)                         \
    X(TableHeader, background, once, backgroundDarkest)             \
    X(TableRow, textColor, once, grey70)                            \
    X(TableRow, selectedTextColor, once, grey100)                   \
    X(TableRow, selectedBackground, fresh, highlightSystem)         \
    X(TableGroupRow, textColor, once, grey50)                       \
    X(TableGroupRow, selectedTextColor, once, grey100)              \
    X(TableGroupRow, selectedBackground, fresh, highlightSystem)    \
    X(Label, nsTextColor, once, grey60)                             \
    X(Label, disabledTextColor, once, grey30)                       \
    X(TextInput, textColor, once, grey85)                           \
    X(TextInput, background, clear, -)                              \
    X(TextInput, disabledTextColor, once, grey40)                   \
    X(TextInput, disabledBackground, clear, -)                      \
    X(TextInput, errorTextColor, once, error)                       \
    X(TextInput, errorBackground, once, error)                      \
    X(TextInput, highlightedTextColor, once, grey100)               \
    X(TextInput, highlightedBackground, clear, -)                   \
    X(TextInput, placeholderTextColor, once, grey50)                \
    X(TextInput, placeholderHighlightedTextColor, once, tessikBlue) \
    X(TextInput, placeholderBackground, clear, -)                   \
    X(TextInput, selectedTextColor, once, grey100)                  \
    X(TextInput, selectedBackground, fresh, highlightSystem)        \
    X(PropertiesTab, textColor, once, grey70)                       \
    X(PropertiesTab, selectedTextColor, once, grey85)               \
    X(PropertiesTab, highlightedTextColor, once, grey50)            \
    X(CanvasInfo, textColor, once, grey85)                          \
    X(CanvasInfo, background, once, backgroundNormal)               \
    X(Window, background, once, backgroundNormal)

#define ORRINDLE_STYLES_FONT(space, member, base) \
    NSFont::Ptr space::member() { return BaseStyles::base(); }
ORRINDLE_STYLES_FONTS(ORRINDLE_STYLES_FONT)
#undef ORRINDLE_STYLES_FONT

#define ORRINDLE_STYLES_MADE_once(resource)                                      \
    static const auto color = NSColor::withResource(ColorResources::resource()); \
    return color;
#define ORRINDLE_STYLES_MADE_fresh(resource) return NSColor::withResource(ColorResources::resource());
#define ORRINDLE_STYLES_MADE_clear(resource) return NSColor::clear();
#define ORRINDLE_STYLES_COLOUR(space, member, made, resource) \
    NSColor::Ptr space::member() { ORRINDLE_STYLES_MADE_##made(resource) }
ORRINDLE_STYLES_COLOURS(ORRINDLE_STYLES_COLOUR)
#undef ORRINDLE_STYLES_COLOUR
#undef ORRINDLE_STYLES_MADE_clear
#undef ORRINDLE_STYLES_MADE_fresh
#undef ORRINDLE_STYLES_MADE_once

const SwiftUI::Color& Label::textColor() {
    static const SwiftUI::Color color(ColorResources::grey60());
    return color;
}

}  // namespace Orrindle::Styles
