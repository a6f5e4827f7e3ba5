#pragma once
#include <optional>
#include <string>

#include "AppKit/NSButtonCell.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSImage.hpp"
#include "CoreGraphics/AttributedText.hpp"
#include "Orrindle/Styles/ControlStyle.hpp"
#include "Orrindle/Styles/StyledControlState.hpp"

namespace AppKit {
class NSControl;
}

// The drawing steps the kit's cells share: buttons, pop-ups, the combo box, segments, sliders,
// search and text fields.
//
// Flipped views and inset rectangles. The controls are flipped views (y grows downwards), the
// artwork is drawn upright by turning a flipped view about the middle of the rectangle being
// drawn (drawImage without respectFlipped). That turn leaves the rectangle where it is in the
// view's own coordinates: only the picture inside is turned. So the insets of a rectangle are
// taken in the view's coordinates too, and `inset` below reads them the unflipped way (y +
// bottom): in a flipped view the bottom inset becomes the gap at the top and the top inset the
// gap at the bottom. Where insets name the visible top and bottom, a flipped view takes y + top
// (inset(rect, insets, flipped) of the geometry helpers).
namespace Orrindle::CellDrawing {

// The state of a styled button cell: the cells' default rule (StyledControl), except that on
// and mixed count only while the cell shows its state (showsStateBy not empty).
StyledControlState buttonCellState(const AppKit::NSButtonCell& cell);

using CoreGraphics::CGFloat;
using CoreGraphics::CGRect;

// Draws the whole image into `frame`, source-over at `fraction`, a template tinted with the
// control text colour; nothing without a current context. Without `respectFlipped` a flipped
// view is turned about the frame's middle first, so the image stands upright where the frame
// is (turning about the view's origin, as the cells once did, put any frame that does not start
// at y 0 upside down out of the button).
void drawImage(const AppKit::NSImage& image, CGRect frame, const AppKit::NSView& view, CGFloat fraction,
               bool respectFlipped);

// Where an image of `scaling` goes in `frame`: axes independently, the frame; none, its own
// size centred in the frame; proportionally, its own size shrunk (down) or scaled (up or down)
// to fit, at the frame's origin.
CGRect imageDestination(CoreGraphics::CGSize image, CGRect frame, AppKit::NSImageScaling scaling);

// The image rectangle of a styled button cell: the platform's rectangle inside the bounds less
// `insets`, centred vertically on the bounds; for an image-only cell the inset bounds.
CGRect imageRect(const AppKit::NSButtonCell& cell, CGRect bounds, const AppKit::NSEdgeInsets& insets);
// A styled button cell's image into `frame`, its image rectangle for `insets`: placed by its
// scaling (imageDestination), half opaque while highlighted or disabled, upright in flipped
// views. Unscaled in an image-only cell it is centred by the inset frame's size alone, as on the
// cell's own origin: the insets' shift does not move it.
void drawButtonImage(const AppKit::NSButtonCell& cell, const AppKit::NSImage& image, CGRect frame,
                     const AppKit::NSView& view, const AppKit::NSEdgeInsets& insets);
// The image of a plain button cell into its image rectangle of `frame`, upright: half opaque
// while highlighted, else opaque while enabled and `disabledFraction` when not.
void drawPlainButtonImage(const AppKit::NSButtonCell& cell, const AppKit::NSImage& image, CGRect frame,
                          const AppKit::NSView& view, CGFloat disabledFraction);
// A bezel image over `frame`, half opaque when the cell is disabled; nothing without an image.
void drawBezelImage(const AppKit::NSImage::Ptr& image, CGRect frame, const AppKit::NSView& view, bool enabled);
// A title in one font and colour, one paragraph style.
CoreGraphics::AttributedText title(const std::string& text, const AppKit::NSFont& font, const AppKit::NSColor& color,
                                   CoreGraphics::TextAlignment alignment);

// A pop-up's title: system 10, left-aligned, cut at the tail, in `color`. With a label and a
// label colour: the label (regular, label colour), then a space and the title at medium weight.
// Without them the title alone at regular weight.
CoreGraphics::AttributedText popUpTitle(const std::string& title, const AppKit::NSColor& color,
                                        const std::optional<std::string>& label, const AppKit::NSColor::Ptr& labelColor);

// Whether the control draws the kit's focus ring now: it is in the key window and has the focus.
bool showsFocusRing(const AppKit::NSControl& control);
// The kit's ring around `maskBounds` in the style's ring colour for `state`, when the control
// shows it (showsFocusRing).
void drawFocusRing(const AppKit::NSControl& control, CGRect maskBounds, const ControlStyle& style, StyledControlState state);
// The kit's ring: a rounded rectangle (radius 3) on the mask bounds inset by 1, filled with the
// colour at alpha 0.3, then stroked with it, 2 wide, round caps and joins.
void drawFocusRing(CGRect maskBounds, const AppKit::NSColor& color);
// The ring's outline on `rect` itself: filled with `fill` when given, then stroked.
void drawRoundedOutline(CGRect rect, const CoreGraphics::CGColor& stroke, const std::optional<CoreGraphics::CGColor>& fill);

// The kit's bezel rule for a bordered control's intrinsic size: at least `minimumWidth` wide and
// as high as the bezel image, less the alignment insets.
CoreGraphics::CGSize bezelSize(CoreGraphics::CGSize size, CGFloat minimumWidth, CGFloat imageHeight,
                               const AppKit::NSEdgeInsets& insets);

// `rect` less the insets as the kit's cells take them (x + left, y + bottom, width - left -
// right, height - top - bottom), made integral.
CGRect inset(CGRect rect, const AppKit::NSEdgeInsets& insets);
// `rect` moved to the vertical middle of `bounds` (y = round(midY - height / 2), halves away
// from zero), made integral.
CGRect centredVertically(CGRect rect, CGRect bounds);

// The rounding of the kit: to the nearest whole value, halves away from zero.
CGFloat round(CGFloat value);

}  // namespace Orrindle::CellDrawing
