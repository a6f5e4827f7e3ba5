#pragma once
#include "AppKit/NSFont.hpp"
#include "AppKit/NSView.hpp"
#include "Orrindle/Styles/BaseStyle.hpp"
#include "SwiftUI/Image.hpp"
#include "SwiftUI/Layout.hpp"
#include "SwiftUI/Resources.hpp"

namespace Orrindle {

// The look of a control: fonts, text and background colours per state, bezel images per state
// with their insets, and focus-ring colours. Starts from the kit's control defaults
// (Styles::Control). The (forState:) getters are virtual so that a subclass could replace them;
// the controls call them through this class.
class ControlStyle : public BaseStyle {
public:
    ControlStyle();

    const AppKit::NSFont::Ptr& font() const { return font_; }
    void setFont(AppKit::NSFont::Ptr font) { font_ = std::move(font); }
    const AppKit::NSColor::Ptr& textColor() const { return textColor_; }
    void setTextColor(AppKit::NSColor::Ptr color) { textColor_ = std::move(color); }
    const AppKit::NSColor::Ptr& textBackgroundColor() const { return textBackgroundColor_; }
    void setTextBackgroundColor(AppKit::NSColor::Ptr color) { textBackgroundColor_ = std::move(color); }
    const AppKit::NSFont::Ptr& selectedFont() const { return selectedFont_; }
    void setSelectedFont(AppKit::NSFont::Ptr font) { selectedFont_ = std::move(font); }
    const AppKit::NSColor::Ptr& selectedTextColor() const { return selectedTextColor_; }
    void setSelectedTextColor(AppKit::NSColor::Ptr color) { selectedTextColor_ = std::move(color); }
    const AppKit::NSColor::Ptr& selectedBackgroundColor() const { return selectedBackgroundColor_; }
    void setSelectedBackgroundColor(AppKit::NSColor::Ptr color) { selectedBackgroundColor_ = std::move(color); }
    const AppKit::NSColor::Ptr& disabledTextColor() const { return disabledTextColor_; }
    void setDisabledTextColor(AppKit::NSColor::Ptr color) { disabledTextColor_ = std::move(color); }
    const AppKit::NSColor::Ptr& disabledBackgroundColor() const { return disabledBackgroundColor_; }
    void setDisabledBackgroundColor(AppKit::NSColor::Ptr color) { disabledBackgroundColor_ = std::move(color); }
    const AppKit::NSColor::Ptr& highlightedTextColor() const { return highlightedTextColor_; }
    void setHighlightedTextColor(AppKit::NSColor::Ptr color) { highlightedTextColor_ = std::move(color); }
    const AppKit::NSColor::Ptr& highlightedBackgroundColor() const { return highlightedBackgroundColor_; }
    void setHighlightedBackgroundColor(AppKit::NSColor::Ptr color) { highlightedBackgroundColor_ = std::move(color); }
    const AppKit::NSColor::Ptr& invalidTextColor() const { return invalidTextColor_; }
    void setInvalidTextColor(AppKit::NSColor::Ptr color) { invalidTextColor_ = std::move(color); }
    const AppKit::NSColor::Ptr& invalidBackgroundColor() const { return invalidBackgroundColor_; }
    void setInvalidBackgroundColor(AppKit::NSColor::Ptr color) { invalidBackgroundColor_ = std::move(color); }
    // A style's initialiser replaces the table whole.
    const ImageTable& bezelImages() const { return bezelImages_; }
    void setBezelImages(ImageTable images) { bezelImages_ = std::move(images); }
    const AppKit::NSEdgeInsets& bezelImageCapInsets() const { return bezelImageCapInsets_; }
    void setBezelImageCapInsets(const AppKit::NSEdgeInsets& insets) { bezelImageCapInsets_ = insets; }
    AppKit::NSImage::ResizingMode bezelImageResizingMode() const { return bezelImageResizingMode_; }
    void setBezelImageResizingMode(AppKit::NSImage::ResizingMode mode) { bezelImageResizingMode_ = mode; }
    const ImageTable& swiftUIBezelImages() const { return swiftUIBezelImages_; }
    void setSwiftUIBezelImages(ImageTable images) { swiftUIBezelImages_ = std::move(images); }
    const SwiftUI::EdgeInsets& swiftUIBezelImageCapInsets() const { return swiftUIBezelImageCapInsets_; }
    void setSwiftUIBezelImageCapInsets(const SwiftUI::EdgeInsets& insets) { swiftUIBezelImageCapInsets_ = insets; }
    SwiftUI::Image::ResizingMode swiftUIBezelImageResizingMode() const { return swiftUIBezelImageResizingMode_; }
    void setSwiftUIBezelImageResizingMode(SwiftUI::Image::ResizingMode mode) { swiftUIBezelImageResizingMode_ = mode; }
    const AppKit::NSEdgeInsets& alignmentRectInsets() const { return alignmentRectInsets_; }
    void setAlignmentRectInsets(const AppKit::NSEdgeInsets& insets) { alignmentRectInsets_ = insets; }
    const AppKit::NSEdgeInsets& edgeInsets() const { return edgeInsets_; }
    void setEdgeInsets(const AppKit::NSEdgeInsets& insets) { edgeInsets_ = insets; }
    const AppKit::NSColor::Ptr& focusRingColor() const { return focusRingColor_; }
    void setFocusRingColor(AppKit::NSColor::Ptr color) { focusRingColor_ = std::move(color); }
    const AppKit::NSColor::Ptr& invalidFocusRingColor() const { return invalidFocusRingColor_; }
    void setInvalidFocusRingColor(AppKit::NSColor::Ptr color) { invalidFocusRingColor_ = std::move(color); }

    // The invalid ring colour for an invalid state, else the ring colour.
    virtual AppKit::NSColor::Ptr focusRingColor(StyledControlState state) const;
    // The first that holds: disabled, invalid, selected, any of highlighted/on/mixed; else
    // the text colour.
    virtual AppKit::NSColor::Ptr textColor(StyledControlState state) const;
    // The first that holds: invalid, any of highlighted/on/mixed, selected, disabled; else the
    // background colour (never textBackgroundColor). Disabled ranks last here, first for text.
    virtual AppKit::NSColor::Ptr textBackgroundColor(StyledControlState state) const;
    virtual AppKit::NSImage::Ptr bezelImage(StyledControlState state) const;

protected:
    // Loads each named image of the kit's catalogue as a new image object of this style.
    static ImageTable imageTable(std::initializer_list<std::pair<StyledControlState, SwiftUI::ImageResource>> entries);

private:
    AppKit::NSFont::Ptr font_;
    AppKit::NSColor::Ptr textColor_;
    AppKit::NSColor::Ptr textBackgroundColor_;
    AppKit::NSFont::Ptr selectedFont_;
    AppKit::NSColor::Ptr selectedTextColor_;
    AppKit::NSColor::Ptr selectedBackgroundColor_;
    AppKit::NSColor::Ptr disabledTextColor_;
    AppKit::NSColor::Ptr disabledBackgroundColor_;
    AppKit::NSColor::Ptr highlightedTextColor_;
    AppKit::NSColor::Ptr highlightedBackgroundColor_;
    AppKit::NSColor::Ptr invalidTextColor_;
    AppKit::NSColor::Ptr invalidBackgroundColor_;
    ImageTable bezelImages_;
    AppKit::NSEdgeInsets bezelImageCapInsets_;
    AppKit::NSImage::ResizingMode bezelImageResizingMode_ = AppKit::NSImage::ResizingMode::tile;
    ImageTable swiftUIBezelImages_;
    SwiftUI::EdgeInsets swiftUIBezelImageCapInsets_;
    SwiftUI::Image::ResizingMode swiftUIBezelImageResizingMode_ = SwiftUI::Image::ResizingMode::stretch;
    AppKit::NSEdgeInsets alignmentRectInsets_;
    AppKit::NSEdgeInsets edgeInsets_;
    AppKit::NSColor::Ptr focusRingColor_;
    AppKit::NSColor::Ptr invalidFocusRingColor_;
};

}  // namespace Orrindle
