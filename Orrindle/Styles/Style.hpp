#pragma once
#include <map>
#include <optional>
#include <string>

#include "AppKit/NSBackgroundStyle.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSImage.hpp"
#include "Orrindle/Styles/StyledControlState.hpp"

namespace Orrindle {

// A state-to-image table of a style, visited in ascending raw value.
using ImageTable = std::map<StyledControlState, AppKit::NSImage::Ptr, StyledControlState::ByRawValue>;

// What every style offers the controls that draw with it. Styles are plain reference-counted
// objects (std::shared_ptr), not platform objects.
class Style {
public:
    virtual ~Style() = default;

    // The appearance the control should adopt (an NSAppearance name), if any.
    virtual const std::optional<std::string>& appearanceName() const = 0;
    virtual AppKit::NSBackgroundStyle backgroundStyle() const = 0;
    virtual AppKit::NSBackgroundStyle interiorBackgroundStyle() const = 0;
    virtual const AppKit::NSColor::Ptr& backgroundColor() const = 0;
    // The image of `state` in `images`: the exact key; else the key with the most scored bits
    // of all keys whose bits the state holds (the lowest key among equals); else the `default_`
    // image; else none.
    virtual AppKit::NSImage::Ptr findImage(StyledControlState state, const ImageTable& images) const = 0;
};

}  // namespace Orrindle
