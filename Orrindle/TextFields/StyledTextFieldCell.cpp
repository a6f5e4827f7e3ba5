#include "Orrindle/TextFields/StyledTextFieldCell.hpp"

#include "AppKit/NSControl.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Orrindle/Styles/Styles.hpp"
#include "Orrindle/TextFields/FieldEditorStyle.hpp"

namespace Orrindle {

using AppKit::CGFloat;
using AppKit::CGRect;

void StyledTextFieldCell::didInit() {
    AppKit::NSTextFieldCell::didInit();
    setFocusRingType(AppKit::NSFocusRingType::none);
    applyStyle();
}

void StyledTextFieldCell::applyStyle() {
    const auto s = style();
    setFont(s->font());
    setTextColor(s->textColor(controlState()));
    setBackgroundColor(s->textBackgroundColor(controlState()));
    setBackgroundStyle(s->backgroundStyle());
}

void StyledTextFieldCell::setBackgroundStyle(AppKit::NSBackgroundStyle backgroundStyle) {
    AppKit::NSTextFieldCell::setBackgroundStyle(backgroundStyle);
    setTextColor(style()->textColor(controlState()));
}

CoreGraphics::AttributedText StyledTextFieldCell::attributedString(const std::string& text, const AppKit::NSColor::Ptr& color) const {
    const auto s = style();
    const auto cellFont = font() ? font() : s->font();
    const auto colour = color ? color : s->textColor(controlState());
    return CoreGraphics::AttributedText(text, cellFont->font(), colour->cgColor(),
                                        {AppKit::textAlignment(alignment()), AppKit::lineBreakMode(lineBreakMode())});
}

CGRect StyledTextFieldCell::drawingRect(CGRect bounds) const {
    if (isBeingEdited_ || isBeingSelected_) return bounds;
    if (isBezeled() || isBordered()) return CellDrawing::inset(bounds, style()->padding());
    return bounds;
}

CGRect StyledTextFieldCell::titleRect(CGRect bounds) const {
    CGRect r = AppKit::NSTextFieldCell::titleRect(bounds);
    if (!verticallyCenter_) return r;
    // An empty value is one line high all the same, so the placeholder and the caret sit in the
    // middle too.
    auto text = attributedStringValue();
    if (text.isEmpty()) text = attributedString(placeholderString().value_or(" "));
    const CGFloat h = CoreGraphics::TextLayout::size(text).height;
    return {r.minX(), r.minY() + (r.height() - h) * 0.5, r.width(), h};
}

void StyledTextFieldCell::draw(CGRect frame, AppKit::NSView& in) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    const auto s = style();
    const auto state = controlState();
    if (drawsBackground()) {
        auto image = isBezeled() || isBordered() ? s->bezelImage(state) : nullptr;
        if (image) {
            ctx->saveGState();
            ctx->setFillColor(AppKit::NSColor::clear()->cgColor());
            ctx->fill(frame.insetBy(-2, 0));
            ctx->restoreGState();
            CellDrawing::drawImage(*image, frame, in, 1.0, false);
        } else if (auto colour = backgroundColor()) {
            ctx->saveGState();
            ctx->setFillColor(colour->cgColor());
            ctx->setCompositingOperation(CoreGraphics::CompositingOperation::sourceOver);
            ctx->fill(frame);
            ctx->restoreGState();
        }
    }
    // The outline frames a field in every state, in the style's colour for the state (an invalid
    // value's own); a label, with neither bezel nor border, has none.
    if (dynamic_cast<AppKit::NSControl*>(&in) && (isBezeled() || isBordered()))
        CellDrawing::drawFocusRing(focusRingMaskBounds(frame, in).insetBy(1, 1), *s->focusRingColor(state));
    drawInterior(frame, in);
}

void StyledTextFieldCell::drawInterior(CGRect frame, AppKit::NSView& in) {
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx || showsFirstResponder() || isBeingEdited_ || isBeingSelected_) return;
    std::optional<CoreGraphics::AttributedText> text;
    if (!stringValue().empty())
        text = attributedString(stringValue());
    else if (auto placeholder = placeholderString())
        text = attributedString(*placeholder, Styles::TextInput::placeholderTextColor());
    if (!text) return;
    ctx->drawText(*text, titleRect(frame).offsetBy(textShift(&in), 0));
}

CGFloat StyledTextFieldCell::textShift(const AppKit::NSView* view) const {
    if (isBezeled() || isBordered()) return 2;
    // One device pixel left of the title rectangle without a border, as the platform places text.
    auto window = view ? view->window() : nullptr;
    return -1 / (window ? window->backingScaleFactor() : 1);
}

void StyledTextFieldCell::select(CGRect frame, AppKit::NSView& in, AppKit::NSText& editor,
                                 const std::shared_ptr<Runtime::NSObject>& delegate, long start, long length) {
    const CGRect r = titleRect(frame);
    isBeingSelected_ = true;
    AppKit::NSTextFieldCell::select(r, in, editor, delegate, start, length);
    isBeingSelected_ = false;
}

void StyledTextFieldCell::edit(CGRect frame, AppKit::NSView& in, AppKit::NSText& editor,
                               const std::shared_ptr<Runtime::NSObject>& delegate, const AppKit::NSEvent* event) {
    const CGRect r = titleRect(frame);
    isBeingEdited_ = true;
    AppKit::NSTextFieldCell::edit(r, in, editor, delegate, event);
    isBeingEdited_ = false;
}

AppKit::NSText& StyledTextFieldCell::setUpFieldEditorAttributes(AppKit::NSText& editor) {
    auto& result = AppKit::NSTextFieldCell::setUpFieldEditorAttributes(editor);
    styleFieldEditor(editor, *style());
    // The editor lies over the title rectangle: its line goes where the cell draws the text.
    editor.setTextContainerInset(AppKit::CGSize{textShift(controlView().get()), 0});
    return result;
}

}  // namespace Orrindle
