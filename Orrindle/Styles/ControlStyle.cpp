#include "Orrindle/Styles/ControlStyle.hpp"

#include "Orrindle/Styles/Styles.hpp"

namespace Orrindle {

namespace {
const StyledControlState pressedOrOn{StyledControlState::highlighted, StyledControlState::on, StyledControlState::mixed};
bool holdsAnyOf(StyledControlState state, StyledControlState options) { return !state.isDisjoint(options); }
}  // namespace

ControlStyle::ControlStyle()
    : font_(Styles::Control::font()),
      textColor_(Styles::Control::textColor()),
      textBackgroundColor_(Styles::Control::background()),
      selectedFont_(Styles::Control::font()),
      selectedTextColor_(Styles::Control::selectedTextColor()),
      selectedBackgroundColor_(Styles::Control::selectedBackground()),
      disabledTextColor_(Styles::Control::disabledTextColor()),
      disabledBackgroundColor_(Styles::Control::disabledBackground()),
      highlightedTextColor_(Styles::Control::highlightedTextColor()),
      highlightedBackgroundColor_(Styles::Control::highlightedBackground()),
      invalidTextColor_(Styles::Control::errorTextColor()),
      invalidBackgroundColor_(Styles::Control::errorBackground()),
      focusRingColor_(Styles::Control::focusRingColor()),
      invalidFocusRingColor_(Styles::Control::errorFocusRingColor()) {}

AppKit::NSColor::Ptr ControlStyle::focusRingColor(StyledControlState state) const {
    return state.contains(StyledControlState::invalid) ? invalidFocusRingColor_ : focusRingColor_;
}

AppKit::NSColor::Ptr ControlStyle::textColor(StyledControlState state) const {
    if (state.contains(StyledControlState::disabled)) return disabledTextColor_;
    if (state.contains(StyledControlState::invalid)) return invalidTextColor_;
    if (state.contains(StyledControlState::selected)) return selectedTextColor_;
    if (holdsAnyOf(state, pressedOrOn)) return highlightedTextColor_;
    return textColor_;
}

AppKit::NSColor::Ptr ControlStyle::textBackgroundColor(StyledControlState state) const {
    if (state.contains(StyledControlState::invalid)) return invalidBackgroundColor_;
    if (holdsAnyOf(state, pressedOrOn)) return highlightedBackgroundColor_;
    if (state.contains(StyledControlState::selected)) return selectedBackgroundColor_;
    if (state.contains(StyledControlState::disabled)) return disabledBackgroundColor_;
    return backgroundColor();
}

AppKit::NSImage::Ptr ControlStyle::bezelImage(StyledControlState state) const { return findImage(state, bezelImages_); }

ImageTable ControlStyle::imageTable(std::initializer_list<std::pair<StyledControlState, SwiftUI::ImageResource>> entries) {
    ImageTable table;
    for (const auto& [state, resource] : entries) table[state] = AppKit::NSImage::withResource(resource);
    return table;
}

}  // namespace Orrindle
