#include "AppKit/NSSearchFieldCell.hpp"

#include <algorithm>

#include "AppKit/NSColor.hpp"
#include "CoreGraphics/CGContext.hpp"

namespace AppKit {

namespace {
using CoreGraphics::CGContext;
using CoreGraphics::CGPath;

// The buttons' pictures: 16-point templates, tinted with the text colour where drawn.
NSImage::Ptr picture(const char* name, void (*draw)(CGContext&)) {
    CGContext ctx({16, 16}, true, 2);
    ctx.setFillColor(CoreGraphics::CGColor::black());
    ctx.setStrokeColor(CoreGraphics::CGColor::black());
    draw(ctx);
    auto image = NSImage::withAsset(ctx.makeImageAsset(name, true));
    image->setTemplate(true);
    return image;
}

NSImage::Ptr magnifier() {
    static const NSImage::Ptr image = picture("NSSearchFieldSearchTemplate", [](CGContext& c) {
        c.setLineWidth(1.5);
        c.stroke(CGPath::ellipse({3, 3, 8, 8}));
        CGPath handle;
        handle.move({10, 10});
        handle.addLine({13.5, 13.5});
        c.setLineWidth(2);
        c.stroke(handle);
    });
    return image;
}

NSImage::Ptr cancelCross() {
    static const NSImage::Ptr image = picture("NSStopProgressFreestandingTemplate", [](CGContext& c) {
        c.setLineWidth(1.25);
        c.stroke(CGPath::ellipse({2.5, 2.5, 11, 11}));
        CGPath cross;
        cross.move({5.75, 5.75});
        cross.addLine({10.25, 10.25});
        cross.move({5.75, 10.25});
        cross.addLine({10.25, 5.75});
        c.setLineWidth(1.5);
        c.stroke(cross);
    });
    return image;
}

NSButtonCell::Ptr buttonCell(const NSImage::Ptr& image) {
    auto cell = Runtime::make<NSButtonCell>();
    cell->setBordered(false);
    cell->setImagePosition(NSCellImagePosition::imageOnly);
    cell->setImage(image);
    return cell;
}
}  // namespace

void NSSearchFieldCell::didInit() {
    NSTextFieldCell::didInit();
    setEditable(true);
    setBezeled(true);
    setLineBreakMode(NSLineBreakMode::byClipping);
    searchButton_ = buttonCell(magnifier());
    cancelButton_ = buttonCell(cancelCross());
}

CGRect NSSearchFieldCell::searchButtonRect(CGRect b) const {
    return {b.minX() + searchButtonInset, b.minY(), buttonWidth, b.height()};
}

CGRect NSSearchFieldCell::cancelButtonRect(CGRect b) const {
    if (!cancelButton_) return {};
    const CGFloat w = std::min(buttonWidth, b.height());
    return {b.maxX() - w, b.minY(), w, b.height()};
}

CGRect NSSearchFieldCell::searchTextRect(CGRect b) const {
    const CGRect icon = searchButtonRect(b), cancel = cancelButtonRect(b);
    const CGFloat right = cancel == CGRect{} ? b.maxX() : cancel.minX();
    return {icon.maxX(), b.minY() + 2, std::max<CGFloat>(0, right - icon.maxX()), std::max<CGFloat>(0, b.height() - 4)};
}

void NSSearchFieldCell::drawInterior(CGRect frame, NSView& in) {
    if (searchButton_) searchButton_->draw(searchButtonRect(frame), in);
    NSTextFieldCell::drawInterior(frame, in);
    if (!stringValue().empty() && cancelButton_) cancelButton_->draw(cancelButtonRect(frame), in);
}

}  // namespace AppKit
