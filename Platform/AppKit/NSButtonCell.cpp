#include "AppKit/NSButtonCell.hpp"

#include <algorithm>

#include "AppKit/NSColor.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"

namespace AppKit {

namespace {

using Mask = NSCellStyleMask;
constexpr CGFloat gap = 4;

CGFloat borderWidth(const NSCell& cell) { return cell.isBezeled() ? 2 : cell.isBordered() ? 1 : 0; }

// The image's size fitted into `area` by the scaling rule.
CGSize fitted(CGSize image, CGSize area, NSImageScaling scaling) {
    if (image.width <= 0 || image.height <= 0) return image;
    switch (scaling) {
    case NSImageScaling::scaleAxesIndependently: return area;
    case NSImageScaling::scaleNone: return image;
    case NSImageScaling::scaleProportionallyDown:
        if (image.width <= area.width && image.height <= area.height) return image;
        [[fallthrough]];
    case NSImageScaling::scaleProportionallyUpOrDown: {
        const CGFloat f = std::max<CGFloat>(0, std::min(area.width / image.width, area.height / image.height));
        return {image.width * f, image.height * f};
    }
    }
    return image;
}

// The system's check box and radio button pictures, off and on: 14-point shapes drawn once.
NSImage::Ptr systemImage(const char* name, bool radio, bool on) {
    CoreGraphics::CGContext ctx({14, 14}, true, 2);
    const CGRect box{1.5, 1.5, 11, 11};
    const auto path = radio ? CoreGraphics::CGPath::ellipse(box) : CoreGraphics::CGPath::roundedRect(box, 3);
    ctx.setFillColor(on ? CoreGraphics::CGColor::sRGB(0.16, 0.47, 0.95) : CoreGraphics::CGColor::gray(0.25));
    ctx.fill(path);
    ctx.setStrokeColor(CoreGraphics::CGColor::gray(on ? 0.35 : 0.55));
    ctx.setLineWidth(1);
    ctx.stroke(path);
    if (on) {
        ctx.setFillColor(CoreGraphics::CGColor::white());
        ctx.setStrokeColor(CoreGraphics::CGColor::white());
        if (radio) {
            ctx.fill(CoreGraphics::CGPath::ellipse({5, 5, 4, 4}));
        } else {
            CoreGraphics::CGPath tick;
            tick.move({4, 7.2});
            tick.addLine({6.2, 9.5});
            tick.addLine({10, 4.5});
            ctx.setLineWidth(1.8);
            ctx.setLineCap(CoreGraphics::LineCap::round);
            ctx.setLineJoin(CoreGraphics::LineJoin::round);
            ctx.stroke(tick);
        }
    }
    return NSImage::withAsset(ctx.makeImageAsset(name));
}

}  // namespace

std::optional<NSButtonType> buttonType(unsigned long raw) {
    if (raw <= 9) return NSButtonType(raw);
    return std::nullopt;
}

std::optional<NSBezelStyle> bezelStyle(unsigned long raw) {
    if ((raw >= 1 && raw <= 2) || (raw >= 5 && raw <= 15)) return NSBezelStyle(raw);
    return std::nullopt;
}

std::optional<NSCellImagePosition> imagePosition(unsigned long raw) {
    if (raw <= 8) return NSCellImagePosition(raw);
    return std::nullopt;
}

std::optional<NSImageScaling> imageScaling(unsigned long raw) {
    if (raw <= 3) return NSImageScaling(raw);
    return std::nullopt;
}

void NSButtonCell::didInit() {
    NSCell::didInit();
    setBordered(true);
    setAlignment(NSTextAlignment::center);
    setLineBreakMode(NSLineBreakMode::byTruncatingTail);
}

void NSButtonCell::setButtonType(NSButtonType type) {
    type_ = type;
    switch (type) {
    case NSButtonType::momentaryPushIn:
    case NSButtonType::accelerator:
    case NSButtonType::multiLevelAccelerator:
        highlightsBy_ = Mask::pushIn() | Mask::changeGray();
        showsStateBy_ = Mask::none();
        break;
    case NSButtonType::momentaryLight:
        highlightsBy_ = Mask::changeBackground();
        showsStateBy_ = Mask::none();
        break;
    case NSButtonType::momentaryChange:
        highlightsBy_ = Mask::contents();
        showsStateBy_ = Mask::none();
        break;
    case NSButtonType::pushOnPushOff:
        highlightsBy_ = Mask::pushIn() | Mask::changeGray();
        showsStateBy_ = Mask::changeBackground();
        break;
    case NSButtonType::onOff:
        highlightsBy_ = Mask::changeBackground();
        showsStateBy_ = Mask::changeBackground();
        break;
    case NSButtonType::toggle:
        highlightsBy_ = Mask::pushIn() | Mask::contents();
        showsStateBy_ = Mask::contents();
        break;
    case NSButtonType::switch_:
    case NSButtonType::radio: {
        static const NSImage::Ptr pictures[2][2] = {
            {systemImage("NSSwitch", false, false), systemImage("NSSwitchOn", false, true)},
            {systemImage("NSRadioButton", true, false), systemImage("NSRadioButtonOn", true, true)}};
        const auto& picture = pictures[type == NSButtonType::radio ? 1 : 0];
        setImage(picture[0]);
        setAlternateImage(picture[1]);
        highlightsBy_ = Mask::contents();
        showsStateBy_ = Mask::contents();
        setBordered(false);
        setBezeled(false);
        imagePosition_ = NSCellImagePosition::imageLeft;
        setAlignment(NSTextAlignment::left);
        break;
    }
    }
    updateControlView();
}

void NSButtonCell::setHighlightsBy(NSCellStyleMask mask) {
    highlightsBy_ = mask;
    updateControlView();
}

void NSButtonCell::setShowsStateBy(NSCellStyleMask mask) {
    showsStateBy_ = mask;
    updateControlView();
}

NSControlStateValue NSButtonCell::nextState() const {
    switch (state()) {
    case NSControlStateValue::on: return NSControlStateValue::off;
    case NSControlStateValue::off: return allowsMixedState_ ? NSControlStateValue::mixed : NSControlStateValue::on;
    case NSControlStateValue::mixed: return NSControlStateValue::on;
    }
    return NSControlStateValue::on;
}

void NSButtonCell::setNextState() {
    if (!showsStateBy_.isEmpty()) setState(nextState());
}

void NSButtonCell::setTitle(std::string title) {
    title_ = std::move(title);
    attributedTitle_.reset();
    updateControlView();
}

void NSButtonCell::setAlternateTitle(std::string title) {
    alternateTitle_ = std::move(title);
    updateControlView();
}

void NSButtonCell::setAttributedTitle(std::optional<CoreGraphics::AttributedText> title) {
    if (title) title_ = title->string();
    attributedTitle_ = std::move(title);
    updateControlView();
}

CoreGraphics::AttributedText NSButtonCell::attributedTitle() const {
    if (attributedTitle_ && titleToDisplay() == title_) return *attributedTitle_;
    return attributedText(titleToDisplay());
}

void NSButtonCell::setAlternateImage(NSImage::Ptr image) {
    alternateImage_ = std::move(image);
    updateControlView();
}

void NSButtonCell::setBezelStyle(NSBezelStyle style) {
    bezelStyle_ = style;
    updateControlView();
}

void NSButtonCell::setImagePosition(NSCellImagePosition position) {
    imagePosition_ = position;
    updateControlView();
}

void NSButtonCell::setImageScaling(NSImageScaling scaling) {
    imageScaling_ = scaling;
    updateControlView();
}

bool NSButtonCell::showsAlternate() const {
    if (showsStateBy_.contains(Mask::contents()) && state() != NSControlStateValue::off) return true;
    return highlightsBy_.contains(Mask::contents()) && isHighlighted();
}

NSImage::Ptr NSButtonCell::imageToDisplay() const {
    auto alternate = alternateImage();
    if (alternate && showsAlternate()) return alternate;
    return image();
}

const std::string& NSButtonCell::titleToDisplay() const {
    if (!alternateTitle_.empty() && showsAlternate()) return alternateTitle_;
    return title();
}

NSButtonCell::Layout NSButtonCell::layout(CGRect bounds) const {
    const CGRect area = drawingRect(bounds);
    const auto image = imageToDisplay();
    const CGPoint mid{area.midX(), area.midY()};
    const CGRect none{mid.x, mid.y, 0, 0};
    if (!image || imagePosition_ == NSCellImagePosition::noImage) return {none, area};
    const CGSize s = fitted(image->size(), area.size, imageScaling_);
    const CGRect centred{mid.x - s.width / 2, mid.y - s.height / 2, s.width, s.height};
    auto view = controlView();
    const bool flipped = view ? view->isFlipped() : true;
    switch (imagePosition_) {
    case NSCellImagePosition::noImage: break;
    case NSCellImagePosition::imageOnly: return {centred, none};
    case NSCellImagePosition::imageOverlaps: return {centred, area};
    case NSCellImagePosition::imageLeft:
    case NSCellImagePosition::imageLeading:
        return {{area.minX(), centred.minY(), s.width, s.height},
                {area.minX() + s.width + gap, area.minY(), std::max<CGFloat>(0, area.width() - s.width - gap), area.height()}};
    case NSCellImagePosition::imageRight:
    case NSCellImagePosition::imageTrailing:
        return {{area.maxX() - s.width, centred.minY(), s.width, s.height},
                {area.minX(), area.minY(), std::max<CGFloat>(0, area.width() - s.width - gap), area.height()}};
    case NSCellImagePosition::imageAbove:
    case NSCellImagePosition::imageBelow: {
        // "Above" is the top of the screen: the low edge in a flipped view, the high one otherwise.
        const bool atLowY = (imagePosition_ == NSCellImagePosition::imageAbove) == flipped;
        const CGFloat rest = std::max<CGFloat>(0, area.height() - s.height - gap);
        if (atLowY)
            return {{centred.minX(), area.minY(), s.width, s.height}, {area.minX(), area.maxY() - rest, area.width(), rest}};
        return {{centred.minX(), area.maxY() - s.height, s.width, s.height}, {area.minX(), area.minY(), area.width(), rest}};
    }
    }
    return {none, area};
}

CGRect NSButtonCell::titleRect(CGRect forBounds) const { return layout(forBounds).title; }
CGRect NSButtonCell::imageRect(CGRect forBounds) const { return layout(forBounds).image; }

CGSize NSButtonCell::cellSize(CGRect forBounds) const {
    const CGFloat b = borderWidth(*this);
    const bool padded = isBordered() || isBezeled();
    const CGFloat padX = padded ? 6 : 0, padY = padded ? 2 : 0;
    CGSize text;
    if (!titleToDisplay().empty() && imagePosition_ != NSCellImagePosition::imageOnly)
        text = CoreGraphics::TextLayout::size(attributedTitle(), std::max<CGFloat>(0, forBounds.width() - 2 * (b + padX)));
    CGSize picture;
    if (auto image = imageToDisplay(); image && imagePosition_ != NSCellImagePosition::noImage) picture = image->size();
    CGSize content;
    switch (imagePosition_) {
    case NSCellImagePosition::noImage: content = text; break;
    case NSCellImagePosition::imageOnly: content = picture; break;
    case NSCellImagePosition::imageOverlaps:
        content = {std::max(text.width, picture.width), std::max(text.height, picture.height)};
        break;
    case NSCellImagePosition::imageLeft:
    case NSCellImagePosition::imageRight:
    case NSCellImagePosition::imageLeading:
    case NSCellImagePosition::imageTrailing:
        content = {picture.width + (text.width > 0 && picture.width > 0 ? gap : 0) + text.width,
                   std::max(text.height, picture.height)};
        break;
    case NSCellImagePosition::imageAbove:
    case NSCellImagePosition::imageBelow:
        content = {std::max(text.width, picture.width),
                   picture.height + (text.height > 0 && picture.height > 0 ? gap : 0) + text.height};
        break;
    }
    return {content.width + 2 * (b + padX), content.height + 2 * (b + padY)};
}

void NSButtonCell::draw(CGRect withFrame, NSView& in) {
    if (isBordered() || isBezeled()) drawBezel(withFrame, in);
    drawInterior(withFrame, in);
}

void NSButtonCell::drawInterior(CGRect withFrame, NSView& in) {
    if (auto image = imageToDisplay(); image && imagePosition_ != NSCellImagePosition::noImage)
        drawImage(image, imageRect(withFrame), in);
    if (!titleToDisplay().empty() && imagePosition_ != NSCellImagePosition::imageOnly)
        drawTitle(attributedTitle(), titleRect(withFrame), in);
}

void NSButtonCell::drawBezel(CGRect withFrame, NSView&) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    const bool pressed = isHighlighted() && highlightsBy_.intersects(Mask::pushIn() | Mask::changeGray() | Mask::changeBackground());
    const bool lit = state() != NSControlStateValue::off && showsStateBy_.intersects(Mask::changeGray() | Mask::changeBackground());
    CoreGraphics::CGColor face = CoreGraphics::CGColor::gray(pressed ? 0.2 : 0.3);
    if (lit && !pressed) face = NSColor::controlAccentColor()->cgColor();
    if (!isEnabled()) face = face.withAlpha(face.alpha() * 0.5);
    const CGRect r = withFrame.insetBy(1, 1);
    const CGFloat radius = bezelStyle_ == NSBezelStyle::circular ? std::min(r.width(), r.height()) / 2 : 4;
    ctx->saveGState();
    ctx->setFillColor(face);
    ctx->fill(CoreGraphics::CGPath::roundedRect(r, radius));
    ctx->setStrokeColor(CoreGraphics::CGColor::gray(0.5, isEnabled() ? 0.6 : 0.3));
    ctx->setLineWidth(1);
    ctx->stroke(CoreGraphics::CGPath::roundedRect(r.insetBy(0.5, 0.5), radius));
    ctx->restoreGState();
}

void NSButtonCell::drawImage(const NSImage::Ptr& image, CGRect withFrame, NSView&) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx || !image) return;
    std::optional<CoreGraphics::CGColor> tint;
    if (image->isTemplate()) tint = NSColor::controlTextColor()->cgColor();
    const CGFloat fraction = !isEnabled() && imageDimsWhenDisabled_ ? 0.5 : 1;
    ctx->draw(image->asset(), withFrame, {}, CompositingOperation::sourceOver, fraction, true, tint);
}

CGRect NSButtonCell::drawTitle(const CoreGraphics::AttributedText& title, CGRect withFrame, NSView&) {
    const CGSize s = CoreGraphics::TextLayout::size(title, withFrame.width());
    const CGRect used{withFrame.minX(), withFrame.midY() - s.height / 2, withFrame.width(), s.height};
    if (auto* ctx = CoreGraphics::CGContext::current()) ctx->drawText(title, used);
    return used;
}

}  // namespace AppKit
