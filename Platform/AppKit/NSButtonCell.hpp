#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSCell.hpp"

namespace AppKit {

// What a button is, with the platform's raw values; setButtonType sets the masks below from it.
enum class NSButtonType : unsigned long {
    momentaryLight = 0,
    pushOnPushOff = 1,
    toggle = 2,
    switch_ = 3,
    radio = 4,
    momentaryChange = 5,
    onOff = 6,
    momentaryPushIn = 7,
    accelerator = 8,
    multiLevelAccelerator = 9,
};

// The bezel a bordered button draws, with the platform's raw values (old names beside the new).
enum class NSBezelStyle : unsigned long {
    push = 1,
    rounded = 1,
    flexiblePush = 2,
    regularSquare = 2,
    disclosure = 5,
    shadowlessSquare = 6,
    circular = 7,
    texturedSquare = 8,
    helpButton = 9,
    smallSquare = 10,
    toolbar = 11,
    texturedRounded = 11,
    accessoryBarAction = 12,
    roundRect = 12,
    accessoryBar = 13,
    recessed = 13,
    pushDisclosure = 14,
    roundedDisclosure = 14,
    badge = 15,
    inline_ = 15,
};

// Where the image sits against the title, with the platform's raw values.
enum class NSCellImagePosition : unsigned long {
    noImage = 0,
    imageOnly = 1,
    imageLeft = 2,
    imageRight = 3,
    imageBelow = 4,
    imageAbove = 5,
    imageOverlaps = 6,
    imageLeading = 7,
    imageTrailing = 8,
};

// How the image fits its rectangle, with the platform's raw values.
enum class NSImageScaling : unsigned long {
    scaleProportionallyDown = 0,
    scaleAxesIndependently = 1,
    scaleNone = 2,
    scaleProportionallyUpOrDown = 3,
};

// What a button changes to show that it is pressed (highlightsBy) or on (showsStateBy).
struct NSCellStyleMask {
    std::uint64_t rawValue = 0;
    static constexpr NSCellStyleMask none() { return {0}; }
    static constexpr NSCellStyleMask contents() { return {1}; }          // the alternate image/title
    static constexpr NSCellStyleMask pushIn() { return {2}; }            // the bezel looks pushed in
    static constexpr NSCellStyleMask changeGray() { return {4}; }
    static constexpr NSCellStyleMask changeBackground() { return {8}; }
    constexpr bool isEmpty() const { return rawValue == 0; }
    constexpr bool contains(NSCellStyleMask m) const { return (rawValue & m.rawValue) == m.rawValue; }
    constexpr bool intersects(NSCellStyleMask m) const { return (rawValue & m.rawValue) != 0; }
    friend constexpr NSCellStyleMask operator|(NSCellStyleMask a, NSCellStyleMask b) { return {a.rawValue | b.rawValue}; }
    friend constexpr bool operator==(NSCellStyleMask, NSCellStyleMask) = default;
};

// The raw values that enter from outside (an archive, a settings file) are checked here: a value
// the platform does not define is refused (nullopt), so no later switch meets it.
std::optional<NSButtonType> buttonType(unsigned long rawValue);
std::optional<NSBezelStyle> bezelStyle(unsigned long rawValue);
std::optional<NSCellImagePosition> imagePosition(unsigned long rawValue);
std::optional<NSImageScaling> imageScaling(unsigned long rawValue);

// A button's cell. The base rules that the kit's button cells override:
// - Creation (the platform's init(textCell:), init(imageCell:) and init(coder:) are all this
//   didInit()): title "Button", bordered, the push (rounded) bezel, the momentary push-in type,
//   no image position, proportionally-down scaling, centred title truncated at the tail.
// - setButtonType sets the masks: momentary push-in and push-on-push-off highlight by
//   pushIn|changeGray, momentary light and on-off by changeBackground, momentary change by
//   contents, toggle by pushIn|contents, switch and radio by contents. The momentary types show
//   no state (showsStateBy empty); push-on-push-off and on-off show it by changeBackground,
//   toggle, switch and radio by contents. Switch and radio also make the cell borderless with
//   the image on the left, left-aligned, and give it the system's box or circle pictures
//   ("NSSwitch"/"NSSwitchOn", "NSRadioButton"/"NSRadioButtonOn") as image and alternate image.
// - A click moves the state on (setNextState) only when showsStateBy is not empty: a button that
//   cannot show a state keeps none. nextState: on goes off; off goes on (mixed when mixed states
//   are allowed); mixed goes on.
// - draw(withFrame:in:): drawBezel when bordered or bezeled, then drawInterior.
// - drawInterior(withFrame:in:): the image to show is the alternate image while the state is on
//   or mixed and showsStateBy holds contents, or while highlighted and highlightsBy holds
//   contents, else image(); likewise the alternate title. It calls drawImage(image,
//   imageRect(frame), view) when there is an image and the position is not noImage, then
//   drawTitle(attributedTitle, titleRect(frame), view) when the title is not empty and the
//   position is not imageOnly.
// - Geometry: drawingRect(forBounds:) is NSCell's (the frame less the 1-point border or 2-point
//   bezel). imageRect and titleRect share the drawing rectangle by imagePosition: imageOnly and
//   imageOverlaps centre the image; left/leading and right/trailing put it at that edge, centred
//   vertically, the title taking the rest beside a 4-point gap; above/below put it at the top or
//   bottom edge (of the screen, flipped views included) with the title in the rest; noImage gives
//   the title the whole rectangle. The image is its own size, fitted by imageScaling
//   (proportionally down: shrunk to fit keeping its shape; up-or-down: scaled to fit; axes
//   independently: the whole rectangle; none: its own size). cellSize(forBounds:) is the image
//   and title laid out the same way (4-point gap), plus the border, plus 6 points left and right
//   and 2 above and below for a bordered bezel.
// - drawImage(_:withFrame:in:): the whole image into the frame, upright in flipped views, half
//   opaque while disabled, a template tinted with the control text colour.
// - drawTitle(_:withFrame:in:): the text laid out in the frame's width, centred vertically in
//   it; returns the rectangle the text took.
// - drawBezel(withFrame:in:): the system's rounded bezel (darker while highlighted and
//   highlightsBy holds pushIn or changeGray, tinted while on and showsStateBy holds changeGray or
//   changeBackground).
class NSButtonCell : public NSCell {
    VZ_OBJECT(NSButtonCell, NSCell)
public:
    using Ptr = std::shared_ptr<NSButtonCell>;

    void didInit() override;
    // A button takes the keyboard focus while enabled (as with full keyboard access).
    bool acceptsFirstResponder() const override { return isEnabled(); }

    // --- Type and masks -----------------------------------------------------------------------
    void setButtonType(NSButtonType type);
    NSButtonType buttonType() const { return type_; }
    NSCellStyleMask highlightsBy() const { return highlightsBy_; }
    void setHighlightsBy(NSCellStyleMask mask);
    NSCellStyleMask showsStateBy() const { return showsStateBy_; }
    void setShowsStateBy(NSCellStyleMask mask);
    bool allowsMixedState() const { return allowsMixedState_; }
    void setAllowsMixedState(bool flag) { allowsMixedState_ = flag; }
    NSControlStateValue nextState() const override;
    void setNextState() override;

    // --- Content ------------------------------------------------------------------------------
    const std::string& title() const override { return title_; }
    void setTitle(std::string title) override;
    const std::string& alternateTitle() const { return alternateTitle_; }
    void setAlternateTitle(std::string title);
    // The title as drawn: the attributed title set on the cell, else the title in the cell's
    // font, the control text colour (half transparent when disabled), alignment and line-break
    // mode.
    CoreGraphics::AttributedText attributedTitle() const override;
    void setAttributedTitle(std::optional<CoreGraphics::AttributedText> title);
    virtual NSImage::Ptr alternateImage() const { return alternateImage_; }
    virtual void setAlternateImage(NSImage::Ptr image);

    // --- Look ---------------------------------------------------------------------------------
    NSBezelStyle bezelStyle() const { return bezelStyle_; }
    void setBezelStyle(NSBezelStyle style);
    NSCellImagePosition imagePosition() const { return imagePosition_; }
    void setImagePosition(NSCellImagePosition position);
    NSImageScaling imageScaling() const { return imageScaling_; }
    void setImageScaling(NSImageScaling scaling);
    bool imageDimsWhenDisabled() const { return imageDimsWhenDisabled_; }
    void setImageDimsWhenDisabled(bool flag) { imageDimsWhenDisabled_ = flag; }

    // --- Geometry -----------------------------------------------------------------------------
    CGRect titleRect(CGRect forBounds) const override;
    CGRect imageRect(CGRect forBounds) const override;
    CGSize cellSize(CGRect forBounds) const override;
    using NSCell::cellSize;

    // --- Drawing ------------------------------------------------------------------------------
    void draw(CGRect withFrame, NSView& in) override;
    void drawInterior(CGRect withFrame, NSView& in) override;
    virtual void drawBezel(CGRect withFrame, NSView& in);
    virtual void drawImage(const NSImage::Ptr& image, CGRect withFrame, NSView& in);
    virtual CGRect drawTitle(const CoreGraphics::AttributedText& title, CGRect withFrame, NSView& in);

    // What drawInterior shows now (see the class comment).
    NSImage::Ptr imageToDisplay() const;
    const std::string& titleToDisplay() const;

protected:
    NSButtonCell() = default;

private:
    struct Layout {
        CGRect image, title;
    };
    Layout layout(CGRect bounds) const;
    bool showsAlternate() const;

    NSButtonType type_ = NSButtonType::momentaryPushIn;
    NSCellStyleMask highlightsBy_ = NSCellStyleMask::pushIn() | NSCellStyleMask::changeGray();
    NSCellStyleMask showsStateBy_ = NSCellStyleMask::none();
    bool allowsMixedState_ = false;
    std::string title_ = "Button";
    std::string alternateTitle_;
    std::optional<CoreGraphics::AttributedText> attributedTitle_;
    NSImage::Ptr alternateImage_;
    NSBezelStyle bezelStyle_ = NSBezelStyle::push;
    NSCellImagePosition imagePosition_ = NSCellImagePosition::noImage;
    NSImageScaling imageScaling_ = NSImageScaling::scaleProportionallyDown;
    bool imageDimsWhenDisabled_ = true;
};

}  // namespace AppKit
