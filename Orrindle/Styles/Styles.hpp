#pragma once
#include "AppKit/NSColor.hpp"
#include "AppKit/NSFont.hpp"
#include "CoreGraphics/Geometry.hpp"
#include "SwiftUI/Color.hpp"

// The kit's look as data: shared fonts, colours and metrics that the style classes start from.
// A member is made once, on its first read, and the same object is returned afterwards, except
// the highlight colours marked "fresh", which are a new colour object on every read. A member
// that names another member (Control::font is BaseStyles::normalFont) is that same object.
namespace Orrindle::Styles {

namespace BaseStyles {
AppKit::NSFont::Ptr normalFont();      // system 10
AppKit::NSFont::Ptr normalMonoFont();  // monospaced-digit system 10
AppKit::NSFont::Ptr mediumFont();      // system 10 medium
AppKit::NSFont::Ptr headerFont();      // system 12 medium
AppKit::NSFont::Ptr menuFont();        // system 12
AppKit::NSFont::Ptr titleFont();       // system 14 medium
AppKit::NSFont::Ptr largeTitleFont();  // system 20 medium
inline constexpr double smallCorner = 3;
}  // namespace BaseStyles

namespace WelcomeHeadings {
inline constexpr CoreGraphics::CGFloat topPadding = 32;
inline constexpr CoreGraphics::CGFloat bottomPadding = 12;
}  // namespace WelcomeHeadings

namespace Layout {
inline constexpr CoreGraphics::CGFloat rowHeight = 24;
inline constexpr CoreGraphics::CGFloat headerHeight = 24;
inline constexpr CoreGraphics::CGSize materialPresetsSize{76, 83};
}  // namespace Layout

namespace Control {
AppKit::NSFont::Ptr font();
AppKit::NSColor::Ptr textColor();
AppKit::NSColor::Ptr background();
AppKit::NSColor::Ptr selectedTextColor();
AppKit::NSColor::Ptr selectedBackground();  // fresh
AppKit::NSColor::Ptr disabledTextColor();
AppKit::NSColor::Ptr disabledBackground();
AppKit::NSColor::Ptr highlightedTextColor();
AppKit::NSColor::Ptr highlightedBackground();
AppKit::NSColor::Ptr errorTextColor();
AppKit::NSColor::Ptr errorBackground();
AppKit::NSColor::Ptr placeholderTextColor();
AppKit::NSColor::Ptr placeholderBackground();
AppKit::NSColor::Ptr focusRingColor();  // fresh
AppKit::NSColor::Ptr errorFocusRingColor();
}  // namespace Control

namespace ScrollView {
AppKit::NSColor::Ptr background();
}  // namespace ScrollView

namespace OutlineHeader {
AppKit::NSFont::Ptr font();
AppKit::NSColor::Ptr textColor();
}  // namespace OutlineHeader

namespace OutlineRow {
AppKit::NSFont::Ptr font();
AppKit::NSColor::Ptr textColor();
AppKit::NSColor::Ptr background();
AppKit::NSFont::Ptr selectedFont();
AppKit::NSColor::Ptr selectedTextColor();
AppKit::NSColor::Ptr selectedBackground();  // fresh
}  // namespace OutlineRow

namespace TableView {
AppKit::NSColor::Ptr background();
}  // namespace TableView

namespace TableHeader {
AppKit::NSFont::Ptr font();
AppKit::NSColor::Ptr textColor();
AppKit::NSColor::Ptr background();
}  // namespace TableHeader

namespace TableRow {
AppKit::NSFont::Ptr font();
AppKit::NSColor::Ptr textColor();
AppKit::NSFont::Ptr selectedFont();
AppKit::NSColor::Ptr selectedTextColor();
AppKit::NSColor::Ptr selectedBackground();  // fresh
}  // namespace TableRow

namespace TableGroupRow {
AppKit::NSFont::Ptr font();
AppKit::NSColor::Ptr textColor();
AppKit::NSFont::Ptr selectedFont();
AppKit::NSColor::Ptr selectedTextColor();
AppKit::NSColor::Ptr selectedBackground();  // fresh
}  // namespace TableGroupRow

namespace Label {
AppKit::NSFont::Ptr font();
AppKit::NSColor::Ptr nsTextColor();
const SwiftUI::Color& textColor();
AppKit::NSColor::Ptr disabledTextColor();
}  // namespace Label

namespace TextInput {
AppKit::NSFont::Ptr font();
AppKit::NSColor::Ptr textColor();
AppKit::NSColor::Ptr background();
AppKit::NSColor::Ptr disabledTextColor();
AppKit::NSColor::Ptr disabledBackground();
AppKit::NSColor::Ptr errorTextColor();
AppKit::NSColor::Ptr errorBackground();
AppKit::NSColor::Ptr highlightedTextColor();
AppKit::NSColor::Ptr highlightedBackground();
AppKit::NSColor::Ptr placeholderTextColor();
AppKit::NSColor::Ptr placeholderHighlightedTextColor();
AppKit::NSColor::Ptr placeholderBackground();
AppKit::NSColor::Ptr selectedTextColor();
AppKit::NSColor::Ptr selectedBackground();  // fresh
}  // namespace TextInput

namespace PropertiesTab {
AppKit::NSFont::Ptr font();
AppKit::NSColor::Ptr textColor();
AppKit::NSColor::Ptr selectedTextColor();
AppKit::NSColor::Ptr highlightedTextColor();
}  // namespace PropertiesTab

namespace CanvasInfo {
AppKit::NSFont::Ptr font();
AppKit::NSColor::Ptr textColor();
AppKit::NSColor::Ptr background();
}  // namespace CanvasInfo

namespace Window {
AppKit::NSColor::Ptr background();
}  // namespace Window

// Room for tag colours; the kit defines none.
namespace CustomTags {}

}  // namespace Orrindle::Styles
