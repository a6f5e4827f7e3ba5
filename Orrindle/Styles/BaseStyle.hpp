#pragma once
#include "Orrindle/Styles/Style.hpp"

namespace Orrindle {

// The root of the style classes: appearance, background styles, opacity and background colour.
// Every field stays settable after creation, so a plain BaseStyle can be made and filled.
class BaseStyle : public Style {
public:
    // The dark appearance, emphasized background styles, not opaque, "Background/Normal".
    BaseStyle();

    const std::optional<std::string>& appearanceName() const override { return appearanceName_; }
    void setAppearanceName(std::optional<std::string> name) { appearanceName_ = std::move(name); }
    AppKit::NSBackgroundStyle backgroundStyle() const override { return backgroundStyle_; }
    void setBackgroundStyle(AppKit::NSBackgroundStyle style) { backgroundStyle_ = style; }
    AppKit::NSBackgroundStyle interiorBackgroundStyle() const override { return interiorBackgroundStyle_; }
    void setInteriorBackgroundStyle(AppKit::NSBackgroundStyle style) { interiorBackgroundStyle_ = style; }
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool flag) { opaque_ = flag; }
    const AppKit::NSColor::Ptr& backgroundColor() const override { return backgroundColor_; }
    void setBackgroundColor(AppKit::NSColor::Ptr color) { backgroundColor_ = std::move(color); }

    AppKit::NSImage::Ptr findImage(StyledControlState state, const ImageTable& images) const override;

private:
    std::optional<std::string> appearanceName_;
    AppKit::NSBackgroundStyle backgroundStyle_;
    AppKit::NSBackgroundStyle interiorBackgroundStyle_;
    bool opaque_ = false;
    AppKit::NSColor::Ptr backgroundColor_;
};

}  // namespace Orrindle
