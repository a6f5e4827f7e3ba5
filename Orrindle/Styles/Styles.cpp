#include "Orrindle/Styles/Styles.hpp"

#include "Orrindle/Resources/ColorResources.hpp"

namespace Orrindle::Styles {

using AppKit::NSColor;
using AppKit::NSFont;
using CoreGraphics::FontWeight;

namespace {
// The catalogue colour as a new AppKit colour.
NSColor::Ptr catalogue(const SwiftUI::ColorResource& resource) { return NSColor::withResource(resource); }
}  // namespace

NSFont::Ptr BaseStyles::normalFont() { return NSFont::systemFont(10); }
NSFont::Ptr BaseStyles::normalMonoFont() { return NSFont::monospacedDigitSystemFont(10); }
NSFont::Ptr BaseStyles::mediumFont() { return NSFont::systemFont(10, FontWeight::medium); }
NSFont::Ptr BaseStyles::headerFont() { return NSFont::systemFont(12, FontWeight::medium); }
NSFont::Ptr BaseStyles::menuFont() { return NSFont::systemFont(12); }
NSFont::Ptr BaseStyles::titleFont() { return NSFont::systemFont(14, FontWeight::medium); }
NSFont::Ptr BaseStyles::largeTitleFont() { return NSFont::systemFont(20, FontWeight::medium); }

NSFont::Ptr Control::font() { return BaseStyles::normalFont(); }
NSColor::Ptr Control::textColor() {
    static const auto color = catalogue(ColorResources::grey85());
    return color;
}
NSColor::Ptr Control::background() { return NSColor::clear(); }
NSColor::Ptr Control::selectedTextColor() {
    static const auto color = catalogue(ColorResources::grey100());
    return color;
}
NSColor::Ptr Control::selectedBackground() { return catalogue(ColorResources::highlightSystem()); }
NSColor::Ptr Control::disabledTextColor() {
    static const auto color = catalogue(ColorResources::grey40());
    return color;
}
NSColor::Ptr Control::disabledBackground() { return NSColor::clear(); }
NSColor::Ptr Control::highlightedTextColor() {
    static const auto color = catalogue(ColorResources::grey50());
    return color;
}
NSColor::Ptr Control::highlightedBackground() { return NSColor::clear(); }
NSColor::Ptr Control::errorTextColor() {
    static const auto color = catalogue(ColorResources::grey100());
    return color;
}
NSColor::Ptr Control::errorBackground() {
    static const auto color = catalogue(ColorResources::error());
    return color;
}
NSColor::Ptr Control::placeholderTextColor() {
    static const auto color = catalogue(ColorResources::grey20());
    return color;
}
NSColor::Ptr Control::placeholderBackground() { return NSColor::clear(); }
NSColor::Ptr Control::focusRingColor() { return catalogue(ColorResources::highlightSystem()); }
NSColor::Ptr Control::errorFocusRingColor() {
    static const auto color = catalogue(ColorResources::error());
    return color;
}

NSColor::Ptr ScrollView::background() {
    static const auto color = catalogue(ColorResources::backgroundDarker());
    return color;
}

NSFont::Ptr OutlineHeader::font() { return BaseStyles::headerFont(); }
NSColor::Ptr OutlineHeader::textColor() {
    static const auto color = catalogue(ColorResources::grey50());
    return color;
}

NSFont::Ptr OutlineRow::font() { return BaseStyles::normalMonoFont(); }
NSColor::Ptr OutlineRow::textColor() {
    static const auto color = catalogue(ColorResources::grey85());
    return color;
}
NSColor::Ptr OutlineRow::background() {
    static const auto color = catalogue(ColorResources::backgroundDarker());
    return color;
}
NSFont::Ptr OutlineRow::selectedFont() { return BaseStyles::mediumFont(); }
NSColor::Ptr OutlineRow::selectedTextColor() {
    static const auto color = catalogue(ColorResources::grey100());
    return color;
}
NSColor::Ptr OutlineRow::selectedBackground() { return catalogue(ColorResources::highlightSystem()); }

NSColor::Ptr TableView::background() {
    static const auto color = catalogue(ColorResources::backgroundDarker());
    return color;
}

NSFont::Ptr TableHeader::font() { return BaseStyles::headerFont(); }
NSColor::Ptr TableHeader::textColor() {
    static const auto color = catalogue(ColorResources::grey50());
    return color;
}
NSColor::Ptr TableHeader::background() {
    static const auto color = catalogue(ColorResources::backgroundDarkest());
    return color;
}

NSFont::Ptr TableRow::font() { return BaseStyles::normalMonoFont(); }
NSColor::Ptr TableRow::textColor() {
    static const auto color = catalogue(ColorResources::grey70());
    return color;
}
NSFont::Ptr TableRow::selectedFont() { return BaseStyles::mediumFont(); }
NSColor::Ptr TableRow::selectedTextColor() {
    static const auto color = catalogue(ColorResources::grey100());
    return color;
}
NSColor::Ptr TableRow::selectedBackground() { return catalogue(ColorResources::highlightSystem()); }

NSFont::Ptr TableGroupRow::font() { return BaseStyles::normalFont(); }
NSColor::Ptr TableGroupRow::textColor() {
    static const auto color = catalogue(ColorResources::grey50());
    return color;
}
NSFont::Ptr TableGroupRow::selectedFont() { return BaseStyles::mediumFont(); }
NSColor::Ptr TableGroupRow::selectedTextColor() {
    static const auto color = catalogue(ColorResources::grey100());
    return color;
}
NSColor::Ptr TableGroupRow::selectedBackground() { return catalogue(ColorResources::highlightSystem()); }

NSFont::Ptr Label::font() { return BaseStyles::normalFont(); }
NSColor::Ptr Label::nsTextColor() {
    static const auto color = catalogue(ColorResources::grey60());
    return color;
}
const SwiftUI::Color& Label::textColor() {
    static const SwiftUI::Color color(ColorResources::grey60());
    return color;
}
NSColor::Ptr Label::disabledTextColor() {
    static const auto color = catalogue(ColorResources::grey30());
    return color;
}

NSFont::Ptr TextInput::font() { return BaseStyles::normalFont(); }
NSColor::Ptr TextInput::textColor() {
    static const auto color = catalogue(ColorResources::grey85());
    return color;
}
NSColor::Ptr TextInput::background() { return NSColor::clear(); }
NSColor::Ptr TextInput::disabledTextColor() {
    static const auto color = catalogue(ColorResources::grey40());
    return color;
}
NSColor::Ptr TextInput::disabledBackground() { return NSColor::clear(); }
NSColor::Ptr TextInput::errorTextColor() {
    static const auto color = catalogue(ColorResources::error());
    return color;
}
NSColor::Ptr TextInput::errorBackground() {
    static const auto color = catalogue(ColorResources::error());
    return color;
}
NSColor::Ptr TextInput::highlightedTextColor() {
    static const auto color = catalogue(ColorResources::grey100());
    return color;
}
NSColor::Ptr TextInput::highlightedBackground() { return NSColor::clear(); }
NSColor::Ptr TextInput::placeholderTextColor() {
    static const auto color = catalogue(ColorResources::grey50());
    return color;
}
NSColor::Ptr TextInput::placeholderHighlightedTextColor() {
    static const auto color = catalogue(ColorResources::tessikBlue());
    return color;
}
NSColor::Ptr TextInput::placeholderBackground() { return NSColor::clear(); }
NSColor::Ptr TextInput::selectedTextColor() {
    static const auto color = catalogue(ColorResources::grey100());
    return color;
}
NSColor::Ptr TextInput::selectedBackground() { return catalogue(ColorResources::highlightSystem()); }

NSFont::Ptr PropertiesTab::font() { return BaseStyles::headerFont(); }
NSColor::Ptr PropertiesTab::textColor() {
    static const auto color = catalogue(ColorResources::grey70());
    return color;
}
NSColor::Ptr PropertiesTab::selectedTextColor() {
    static const auto color = catalogue(ColorResources::grey85());
    return color;
}
NSColor::Ptr PropertiesTab::highlightedTextColor() {
    static const auto color = catalogue(ColorResources::grey50());
    return color;
}

NSFont::Ptr CanvasInfo::font() { return BaseStyles::normalFont(); }
NSColor::Ptr CanvasInfo::textColor() {
    static const auto color = catalogue(ColorResources::grey85());
    return color;
}
NSColor::Ptr CanvasInfo::background() {
    static const auto color = catalogue(ColorResources::backgroundNormal());
    return color;
}

NSColor::Ptr Window::background() {
    static const auto color = catalogue(ColorResources::backgroundNormal());
    return color;
}

}  // namespace Orrindle::Styles
