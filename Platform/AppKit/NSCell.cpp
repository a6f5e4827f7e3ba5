#include "AppKit/NSCell.hpp"

#include <algorithm>

#include "AppKit/NSColor.hpp"
#include "AppKit/NSControl.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Foundation/NumberText.hpp"
#include "Runtime/FatalError.hpp"

namespace AppKit {

namespace {
CGFloat borderWidth(const NSCell& cell) { return cell.isBezeled() ? 2 : cell.isBordered() ? 1 : 0; }
}  // namespace

void NSCell::setState(NSControlStateValue state) {
    state_ = state;
    updateControlView();
}

void NSCell::setStringValue(std::string value) {
    double_ = Foundation::NumberText::parseDouble(value).value_or(0);
    string_ = std::move(value);
    attributed_.reset();
    updateControlView();
}

CoreGraphics::AttributedText NSCell::attributedStringValue() const { return attributed_ ? *attributed_ : attributedTitle(); }

void NSCell::setAttributedStringValue(CoreGraphics::AttributedText text) {
    string_ = text.string();
    double_ = Foundation::NumberText::parseDouble(string_).value_or(0);
    attributed_ = std::move(text);
    updateControlView();
}

void NSCell::setBackgroundStyle(NSBackgroundStyle style) {
    backgroundStyle_ = style;
    updateControlView();
}

NSCell::Ptr NSCell::newInstance() const { Runtime::fatalError(className() + " cannot be copied"); }

NSCell::Ptr NSCell::copy() const {
    auto copied = newInstance();
    copied->copyValues(*this);
    return copied;
}

void NSCell::copyValues(const NSCell& from) {
    state_ = from.state_;
    string_ = from.string_;
    attributed_ = from.attributed_;
    double_ = from.double_;
    image_ = from.image_;
    tag_ = from.tag_;
    enabled_ = from.enabled_;
    highlighted_ = from.highlighted_;
    bordered_ = from.bordered_;
    bezeled_ = from.bezeled_;
    editable_ = from.editable_;
    continuous_ = from.continuous_;
    font_ = from.font_;
    alignment_ = from.alignment_;
    lineBreakMode_ = from.lineBreakMode_;
    controlSize_ = from.controlSize_;
    focusRingType_ = from.focusRingType_;
    backgroundStyle_ = from.backgroundStyle_;
    controlView_ = from.controlView_;
}

void NSCell::setDoubleValue(double value) {
    double_ = value;
    string_ = Foundation::NumberText::formatShortest(value);
    updateControlView();
}

void NSCell::setImage(NSImage::Ptr image) {
    image_ = std::move(image);
    updateControlView();
}

void NSCell::setEnabled(bool flag) {
    enabled_ = flag;
    updateControlView();
}

void NSCell::setHighlighted(bool flag) {
    highlighted_ = flag;
    updateControlView();
}

void NSCell::setBordered(bool flag) {
    bordered_ = flag;
    if (flag) bezeled_ = false;
    updateControlView();
}

void NSCell::setBezeled(bool flag) {
    bezeled_ = flag;
    if (flag) bordered_ = false;
    updateControlView();
}

void NSCell::setFont(NSFont::Ptr font) {
    font_ = std::move(font);
    updateControlView();
}

void NSCell::setAlignment(NSTextAlignment alignment) {
    alignment_ = alignment;
    updateControlView();
}

void NSCell::setLineBreakMode(NSLineBreakMode mode) {
    lineBreakMode_ = mode;
    updateControlView();
}

void NSCell::setControlSize(NSControlSize size) {
    controlSize_ = size;
    updateControlView();
}

void NSCell::updateControlView() const {
    if (auto view = controlView()) {
        if (auto* control = dynamic_cast<NSControl*>(view.get()))
            control->updateCell(*this);
        else
            view->setNeedsDisplay(true);
    }
}

CGRect NSCell::drawingRect(CGRect forBounds) const {
    const CGFloat b = borderWidth(*this);
    return forBounds.insetBy(b, b);
}

CGRect NSCell::titleRect(CGRect forBounds) const { return drawingRect(forBounds); }

CGRect NSCell::imageRect(CGRect forBounds) const {
    const CGRect area = drawingRect(forBounds);
    auto image = this->image();
    if (!image) return {area.midX(), area.midY(), 0, 0};
    const CGSize s = image->size();
    return {area.midX() - s.width / 2, area.midY() - s.height / 2, s.width, s.height};
}

CGSize NSCell::cellSize(CGRect forBounds) const {
    const CGFloat b = borderWidth(*this);
    CGSize content;
    if (auto image = this->image()) content = image->size();
    if (!title().empty()) {
        const CGSize text = CoreGraphics::TextLayout::size(attributedTitle(), std::max<CGFloat>(0, forBounds.width() - 2 * b));
        content = {std::max(content.width, text.width), std::max(content.height, text.height)};
    }
    return {content.width + 2 * b, content.height + 2 * b};
}

CoreGraphics::AttributedText NSCell::attributedTitle() const { return attributed_ ? *attributed_ : attributedText(title()); }

CoreGraphics::AttributedText NSCell::attributedText(const std::string& text) const {
    auto color = NSColor::controlTextColor()->cgColor();
    if (!enabled_) color = color.withAlpha(color.alpha() * 0.5);
    return CoreGraphics::AttributedText(text, font_ ? font_->font() : CoreGraphics::Font::system(NSFont::systemFontSize()),
                                        color, {textAlignment(alignment_), AppKit::lineBreakMode(lineBreakMode_)});
}

void NSCell::draw(CGRect withFrame, NSView& in) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (ctx && (bezeled_ || bordered_)) {
        if (bezeled_) {
            ctx->setFillColor(CoreGraphics::CGColor::gray(1, enabled_ ? 1 : 0.5));
            ctx->fill(withFrame.insetBy(1, 1));
        }
        ctx->setStrokeColor(CoreGraphics::CGColor::gray(0.5));
        ctx->setLineWidth(1);
        ctx->stroke(withFrame.insetBy(0.5, 0.5));
    }
    drawInterior(withFrame, in);
}

void NSCell::drawInterior(CGRect withFrame, NSView&) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    if (auto image = this->image()) {
        std::optional<CoreGraphics::CGColor> tint;
        if (image->isTemplate()) tint = NSColor::controlTextColor()->cgColor();
        ctx->draw(image->asset(), imageRect(withFrame), {}, CompositingOperation::sourceOver, enabled_ ? 1 : 0.5, true, tint);
    }
    if (!title().empty()) ctx->drawText(attributedTitle(), titleRect(withFrame));
}

void NSCell::highlight(bool flag, CGRect, NSView&) { setHighlighted(flag); }

CGRect NSCell::focusRingMaskBounds(CGRect forFrame, NSView&) const { return forFrame; }

void NSCell::drawFocusRingMask(CGRect withFrame, NSView&) {
    if (auto* ctx = CoreGraphics::CGContext::current()) {
        ctx->setFillColor(CoreGraphics::CGColor::black());
        ctx->fill(withFrame);
    }
}

bool NSCell::startTracking(CGPoint, NSView&) { return true; }
bool NSCell::continueTracking(CGPoint, CGPoint, NSView&) { return true; }
void NSCell::stopTracking(CGPoint, CGPoint, NSView&, bool) {}

bool NSCell::trackMouse(const NSEvent& with, CGRect in, NSView& of, bool untilMouseUp) {
    auto window = of.window();
    if (!window) return false;
    auto control = dynamic_cast<NSControl*>(&of);
    auto sendContinuously = [&] {
        if (continuous_ && control) control->sendAction(control->action(), control->target().get());
    };
    CGPoint last = of.convert(with.locationInWindow(), nullptr);
    bool following = startTracking(last, of);
    sendContinuously();
    bool inside = true;
    for (;;) {
        auto event = window->nextEvent(EventTypeMask::leftMouseDragged() | EventTypeMask::leftMouseUp());
        const CGPoint point = of.convert(event->locationInWindow(), nullptr);
        const bool nowInside = in.contains(point);
        if (event->type() == EventType::leftMouseUp) {
            trackingEndedWithMouseUp_ = true;
            stopTracking(last, point, of, true);
            return nowInside;
        }
        if (!nowInside && !untilMouseUp) {
            trackingEndedWithMouseUp_ = false;
            stopTracking(last, point, of, false);
            return false;
        }
        if (nowInside != inside) {
            inside = nowInside;
            highlight(inside, in, of);
        }
        if (following) following = continueTracking(last, point, of);
        sendContinuously();
        last = point;
    }
}

}  // namespace AppKit
