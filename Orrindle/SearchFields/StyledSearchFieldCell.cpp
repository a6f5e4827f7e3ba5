#include "Orrindle/SearchFields/StyledSearchFieldCell.hpp"

#include <cmath>

#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Orrindle/Drawing/CellDrawing.hpp"
#include "Orrindle/Styles/Styles.hpp"
#include "Orrindle/Styles/TextFieldCellStyle.hpp"
#include "Orrindle/TextFields/FieldEditorStyle.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

using AppKit::CGFloat;
using AppKit::CGRect;

void StyledSearchFieldCell::didInit() {
    Runtime::assertMainActor();
    AppKit::NSSearchFieldCell::didInit();
    setFocusRingType(AppKit::NSFocusRingType::none);
    setTextColor(style()->textColor(controlState()));
    setBackgroundStyle(style()->backgroundStyle());
    if (auto search = searchButtonCell()) search->setImagePosition(AppKit::NSCellImagePosition::imageOnly);
}

void StyledSearchFieldCell::setBackgroundStyle(AppKit::NSBackgroundStyle backgroundStyle) {
    Runtime::assertMainActor();
    AppKit::NSSearchFieldCell::setBackgroundStyle(backgroundStyle);
    setTextColor(style()->textColor(controlState()));
}

AppKit::NSImage::Ptr StyledSearchFieldCell::styleBezelImage() const {
    Runtime::assertMainActor();
    if (showsSearchIcon_) return style()->bezelImage(controlState());
    return TextFieldCellStyle().bezelImage(controlState());
}

void StyledSearchFieldCell::setPlaceholderString(std::optional<std::string> placeholder) {
    Runtime::assertMainActor();
    placeholder_ = std::move(placeholder);
    if (placeholder_) setPlaceholderAttributedString(attributedString(*placeholder_, Styles::TextInput::placeholderTextColor()));
    updateControlView();
}

CoreGraphics::AttributedText StyledSearchFieldCell::attributedString(const std::string& text, const AppKit::NSColor::Ptr& color) const {
    const auto c = color ? color : style()->textColor(controlState());
    auto t = CellDrawing::title(text, *style()->font(), *c, CoreGraphics::TextAlignment::natural);
    t.paragraph.alignment = attributedText(text).paragraph.alignment;
    t.paragraph.lineBreakMode = attributedText(text).paragraph.lineBreakMode;
    return t;
}

CGRect StyledSearchFieldCell::drawingRect(CGRect b) const {
    Runtime::assertMainActor();
    if (isBeingEdited_ || isBeingSelected_) return b;
    if (isBezeled() || isBordered()) return CellDrawing::inset(b, style()->padding());
    return b;
}

CGRect StyledSearchFieldCell::searchTextRect(CGRect b) const {
    Runtime::assertMainActor();
    const CGRect s = AppKit::NSSearchFieldCell::searchTextRect(b);
    const CGRect icon = searchButtonRect(b), cancel = cancelButtonRect(b);
    const CGFloat x = showsSearchIcon_ ? icon.maxX() - 10 : 4.0;
    const CGFloat width = cancel == CGRect{} ? s.width() : cancel.minX() + 2 - x;
    CGFloat y = s.minY();
    if (verticallyCenter_) {
        y = s.midY() - CoreGraphics::TextLayout::size(attributedString(stringValue())).height * 0.5;
        if (auto v = controlView(); v && v->isFlipped()) y = std::abs(y);
    }
    return CGRect{x, y, width, s.height()}.integral();
}

void StyledSearchFieldCell::draw(CGRect frame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    if (!CoreGraphics::CGContext::current()) return;
    if (isBezeled() || isBordered())
        if (auto image = styleBezelImage()) CellDrawing::drawImage(*image, frame, in, 1.0, false);
    drawInterior(frame, in);
}

void StyledSearchFieldCell::drawInterior(CGRect frame, AppKit::NSView& in) {
    Runtime::assertMainActor();
    auto* ctx = CoreGraphics::CGContext::current();
    if (!ctx) return;
    const std::string text = stringValue();
    if (!showsFirstResponder() && !isBeingEdited_ && !isBeingSelected_) {
        std::optional<CoreGraphics::AttributedText> shown;
        if (!text.empty())
            shown = attributedString(text);
        else if (placeholder_)
            shown = attributedString(*placeholder_, Styles::TextInput::placeholderTextColor());
        if (shown) ctx->drawText(*shown, searchTextRect(frame).offsetBy(textOffset().width, textOffset().height));
    }
    if (!text.empty())
        if (auto cancel = cancelButtonCell()) cancel->draw(cancelButtonRect(frame), in);
}

void StyledSearchFieldCell::clearEditorBackground(AppKit::NSText& editor) const {
    editor.setDrawsBackground(false);
    editor.setBackgroundColor(AppKit::NSColor::clear());
}

void StyledSearchFieldCell::select(CGRect frame, AppKit::NSView& in, AppKit::NSText& editor,
                                   const std::shared_ptr<Runtime::NSObject>& delegate, long start, long length) {
    Runtime::assertMainActor();
    const CGRect text = searchTextRect(frame);
    isBeingSelected_ = true;
    AppKit::NSSearchFieldCell::select(text, in, editor, delegate, start, length);
    isBeingSelected_ = false;
    clearEditorBackground(editor);
}

void StyledSearchFieldCell::edit(CGRect frame, AppKit::NSView& in, AppKit::NSText& editor,
                                 const std::shared_ptr<Runtime::NSObject>& delegate, const AppKit::NSEvent* event) {
    Runtime::assertMainActor();
    const CGRect text = searchTextRect(frame);
    isBeingEdited_ = true;
    AppKit::NSSearchFieldCell::edit(text, in, editor, delegate, event);
    isBeingEdited_ = false;
    clearEditorBackground(editor);
}

AppKit::CGSize StyledSearchFieldCell::textOffset() const { return isBezeled() || isBordered() ? AppKit::CGSize{2, 1} : AppKit::CGSize{}; }

AppKit::NSText& StyledSearchFieldCell::setUpFieldEditorAttributes(AppKit::NSText& editor) {
    Runtime::assertMainActor();
    auto& result = AppKit::NSSearchFieldCell::setUpFieldEditorAttributes(editor);
    styleFieldEditor(editor, *style());
    clearEditorBackground(editor);
    // The editor lies over the text rectangle: its line goes where the cell draws the text.
    editor.setTextContainerInset(textOffset());
    return result;
}

}  // namespace Orrindle
