#include "Orrindle/Styles/BaseStyle.hpp"

#include "AppKit/NSAppearance.hpp"
#include "Orrindle/Resources/ColorResources.hpp"

namespace Orrindle {

BaseStyle::BaseStyle()
    : appearanceName_(AppKit::NSAppearance::darkAqua),
      backgroundStyle_(AppKit::NSBackgroundStyle::emphasized),
      interiorBackgroundStyle_(AppKit::NSBackgroundStyle::emphasized),
      backgroundColor_(AppKit::NSColor::withResource(ColorResources::backgroundNormal())) {}

AppKit::NSImage::Ptr BaseStyle::findImage(StyledControlState state, const ImageTable& images) const {
    if (images.empty()) return nullptr;
    if (auto exact = images.find(state); exact != images.end()) return exact->second;
    if (!state.isEmpty()) {
        // Ascending keys, and only a strictly higher score replaces: among equals the lowest
        // key wins, whatever order the table was filled in.
        const ImageTable::value_type* best = nullptr;
        for (const auto& entry : images) {
            if (!entry.first.isSubset(state)) continue;
            if (!best || entry.first.countOfSetOptions() > best->first.countOfSetOptions()) best = &entry;
        }
        if (best) return best->second;
    }
    auto fallback = images.find(StyledControlState::default_);
    return fallback == images.end() ? nullptr : fallback->second;
}

}  // namespace Orrindle
