#include "Orrindle/Drawing/CellDrawing.hpp"

#include <algorithm>
#include <cmath>

#include "AppKit/NSControl.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "Orrindle/Extensions/FocusState.hpp"
#include "Orrindle/Geometry/GeometryHelpers.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Runtime/FatalError.hpp"

namespace Orrindle::CellDrawing {

StyledControlState buttonCellState(const AppKit::NSButtonCell& cell) {
    StyledControlState state = cellControlState(cell);
    if (cell.showsStateBy().isEmpty()) state.subtract({StyledControlState::on, StyledControlState::mixed});
    return state;
}

CGRect imageRect(const AppKit::NSButtonCell& cell, CGRect bounds, const AppKit::NSEdgeInsets& insets) {
    const CGRect r = inset(bounds, insets);
    if (cell.imagePosition() == AppKit::NSCellImagePosition::imageOnly) return r;
    return centredVertically(cell.AppKit::NSButtonCell::imageRect(r), bounds);
}

void drawButtonImage(const AppKit::NSButtonCell& cell, const AppKit::NSImage& image, CGRect frame, const AppKit::NSView& view,
                     const AppKit::NSEdgeInsets& insets) {
    const CGFloat fraction = cell.isHighlighted() ? 0.5 : cell.isEnabled() ? 1.0 : 0.5;
    const auto scaling = cell.imageScaling();
    if (scaling == AppKit::NSImageScaling::scaleNone && cell.imagePosition() == AppKit::NSCellImagePosition::imageOnly)
        frame = frame.offsetBy(-insets.left, -insets.bottom);
    drawImage(image, imageDestination(image.size(), frame, scaling), view, fraction, false);
}

void drawPlainButtonImage(const AppKit::NSButtonCell& cell, const AppKit::NSImage& image, CGRect frame,
                          const AppKit::NSView& view, CGFloat disabledFraction) {
    const CGFloat fraction = cell.isHighlighted() ? 0.5 : cell.isEnabled() ? 1.0 : disabledFraction;
    drawImage(image, cell.imageRect(frame), view, fraction, true);
}

void drawBezelImage(const AppKit::NSImage::Ptr& image, CGRect frame, const AppKit::NSView& view, bool enabled) {
    if (image) drawImage(*image, frame, view, enabled ? 1.0 : 0.5, false);
}

CoreGraphics::AttributedText title(const std::string& text, const AppKit::NSFont& font, const AppKit::NSColor& color,
                                   CoreGraphics::TextAlignment alignment) {
    return CoreGraphics::AttributedText(text, font.font(), color.cgColor(), {alignment, CoreGraphics::LineBreakMode::byTruncatingTail});
}

void drawImage(const AppKit::NSImage& image, CGRect frame, const AppKit::NSView& view, CGFloat fraction, bool respectFlipped) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    std::optional<CoreGraphics::CGColor> tint;
    if (image.isTemplate()) tint = AppKit::NSColor::controlTextColor()->cgColor();
    ctx->saveGState();
    if (!respectFlipped && view.isFlipped()) {
        ctx->translateBy(0, frame.minY() + frame.maxY());
        ctx->scaleBy(1, -1);
    }
    ctx->draw(image.asset(), frame, {}, CoreGraphics::CompositingOperation::sourceOver, fraction, respectFlipped, tint);
    ctx->restoreGState();
}

CGRect imageDestination(CoreGraphics::CGSize image, CGRect frame, AppKit::NSImageScaling scaling) {
    using S = AppKit::NSImageScaling;
    switch (scaling) {
    case S::scaleAxesIndependently: return frame;
    case S::scaleNone:
        return CGRect{frame.midX() - image.width / 2, frame.midY() - image.height / 2, image.width, image.height}.integral();
    case S::scaleProportionallyDown:
    case S::scaleProportionallyUpOrDown: {
        CoreGraphics::CGSize s = image;
        if (image.width > 0 && image.height > 0) {
            CGFloat f = std::min(frame.width() / image.width, frame.height() / image.height);
            if (scaling == S::scaleProportionallyDown) f = std::min<CGFloat>(f, 1);
            s = {image.width * f, image.height * f};
        }
        return {frame.minX(), frame.minY(), s.width, s.height};
    }
    }
    Runtime::fatalError("Unhandled image scaling value");
}

CoreGraphics::AttributedText popUpTitle(const std::string& title, const AppKit::NSColor& color,
                                        const std::optional<std::string>& label, const AppKit::NSColor::Ptr& labelColor) {
    const CoreGraphics::ParagraphStyle paragraph{CoreGraphics::TextAlignment::left, CoreGraphics::LineBreakMode::byTruncatingTail};
    const auto regular = AppKit::NSFont::systemFont(10)->font();
    if (!label || !labelColor) return CoreGraphics::AttributedText(title, regular, color.cgColor(), paragraph);
    CoreGraphics::AttributedText text(*label, regular, labelColor->cgColor(), paragraph);
    text.append({" " + title, AppKit::NSFont::systemFont(10, AppKit::FontWeight::medium)->font(), color.cgColor(), std::nullopt});
    return text;
}

bool showsFocusRing(const AppKit::NSControl& control) {
    auto window = control.window();
    return window && window->isKeyWindow() && isFirstResponderOrEditing(control);
}

void drawFocusRing(const AppKit::NSControl& control, CGRect maskBounds, const ControlStyle& style, StyledControlState state) {
    if (showsFocusRing(control)) drawFocusRing(maskBounds, *style.focusRingColor(state));
}

void drawFocusRing(CGRect maskBounds, const AppKit::NSColor& color) {
    const auto ring = color.cgColor();
    drawRoundedOutline(maskBounds.insetBy(1, 1), ring, ring.withAlpha(0.3));
}

void drawRoundedOutline(CGRect rect, const CoreGraphics::CGColor& stroke, const std::optional<CoreGraphics::CGColor>& fill) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    const auto path = CoreGraphics::CGPath::roundedRect(rect, 3);
    ctx->saveGState();
    if (fill) {
        ctx->setFillColor(*fill);
        ctx->fill(path);
    }
    ctx->setStrokeColor(stroke);
    ctx->setLineWidth(2);
    ctx->setLineCap(CoreGraphics::LineCap::round);
    ctx->setLineJoin(CoreGraphics::LineJoin::round);
    ctx->stroke(path);
    ctx->restoreGState();
}

CoreGraphics::CGSize bezelSize(CoreGraphics::CGSize size, CGFloat minimumWidth, CGFloat imageHeight,
                               const AppKit::NSEdgeInsets& insets) {
    return {std::max(size.width, minimumWidth) - (insets.left + insets.right), imageHeight - (insets.top + insets.bottom)};
}

CGRect inset(CGRect rect, const AppKit::NSEdgeInsets& insets) { return Orrindle::inset(rect, insets, false); }

CGRect centredVertically(CGRect rect, CGRect bounds) {
    return CGRect{rect.minX(), round(bounds.midY() - rect.height() * 0.5), rect.width(), rect.height()}.integral();
}

CGFloat round(CGFloat value) { return std::round(value); }

}  // namespace Orrindle::CellDrawing
