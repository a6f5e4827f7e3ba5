#include "AppKit/NSTextField.hpp"

#include <utility>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSWindow.hpp"
#include "Foundation/NotificationCenter.hpp"

namespace AppKit {

bool NSTextField::isEditable() const { auto c = cell(); return c && c->isEditable(); }
void NSTextField::setEditable(bool flag) { if (auto c = cell()) c->setEditable(flag); }
bool NSTextField::isSelectable() const { auto c = textFieldCell(); return c && c->isSelectable(); }
void NSTextField::setSelectable(bool flag) { if (auto c = textFieldCell()) c->setSelectable(flag); }
bool NSTextField::isBordered() const { auto c = cell(); return c && c->isBordered(); }
void NSTextField::setBordered(bool flag) { if (auto c = cell()) c->setBordered(flag); invalidateIntrinsicContentSize(); }
bool NSTextField::isBezeled() const { auto c = cell(); return c && c->isBezeled(); }
void NSTextField::setBezeled(bool flag) { if (auto c = cell()) c->setBezeled(flag); invalidateIntrinsicContentSize(); }
NSTextFieldBezelStyle NSTextField::bezelStyle() const {
    auto c = textFieldCell();
    return c ? c->bezelStyle() : NSTextFieldBezelStyle::squareBezel;
}
void NSTextField::setBezelStyle(NSTextFieldBezelStyle style) { if (auto c = textFieldCell()) c->setBezelStyle(style); }
bool NSTextField::drawsBackground() const { auto c = textFieldCell(); return c && c->drawsBackground(); }
void NSTextField::setDrawsBackground(bool flag) { if (auto c = textFieldCell()) c->setDrawsBackground(flag); }
NSColor::Ptr NSTextField::textColor() const { auto c = textFieldCell(); return c ? c->textColor() : nullptr; }
void NSTextField::setTextColor(NSColor::Ptr color) { if (auto c = textFieldCell()) c->setTextColor(std::move(color)); }
NSColor::Ptr NSTextField::backgroundColor() const { auto c = textFieldCell(); return c ? c->backgroundColor() : nullptr; }
void NSTextField::setBackgroundColor(NSColor::Ptr color) { if (auto c = textFieldCell()) c->setBackgroundColor(std::move(color)); }
std::optional<std::string> NSTextField::placeholderString() const {
    auto c = textFieldCell();
    return c ? c->placeholderString() : std::nullopt;
}
void NSTextField::setPlaceholderString(std::optional<std::string> placeholder) {
    if (auto c = textFieldCell()) c->setPlaceholderString(std::move(placeholder));
}

void NSTextField::didInit() {
    NSControl::didInit();
    setEditable(true);
    setSelectable(true);
    setBezeled(true);
    setDrawsBackground(true);
}

void NSTextField::makeLabel() {
    setEditable(false);
    setSelectable(false);
    setBezeled(false);
    setBordered(false);
    setDrawsBackground(false);
}

bool NSTextField::becomeFirstResponder() {
    auto window = this->window();
    auto cell = textFieldCell();
    if (!window || !cell || !isEditable()) return true;
    auto editor = window->fieldEditor(true, this);
    if (!editor) return true;
    auto self = sharedAs<NSTextField>();
    changedInSession_ = false;
    startedBy_ = NSApplication::shared().currentEvent();
    cell->select(bounds(), *this, *editor, self, 0, long(stringValue().size()));
    window->makeFirstResponder(editor);
    return true;
}

void NSTextField::mouseDown(const NSEvent& event) {
    // An editable field is edited, not tracked. The click that began the editing leaves all of
    // the text selected; later ones go on to the editor (around the editor's own frame too).
    if (!isEditable()) return NSControl::mouseDown(event);
    if (startedBy_.lock().get() == &event) return;
    if (auto editor = currentEditor(); editor && window() && window()->firstResponder() == editor) editor->mouseDown(event);
}

void NSTextField::mouseDragged(const NSEvent& event) {
    if (auto editor = currentEditor(); editor && isEditable()) return editor->mouseDragged(event);
    NSControl::mouseDragged(event);
}

void NSTextField::notify(const char* name, void (NSTextFieldDelegate::*method)(const Foundation::Notification&),
                         std::optional<NSTextMovement> movement) {
    auto self = sharedAs<Runtime::NSObject>();
    Foundation::Notification::UserInfo info;
    if (movement) info["NSTextMovement"] = *movement;
    const Foundation::Notification notification(name, self.get(), std::move(info));
    Foundation::NotificationCenter::defaultCenter().post(notification);
    auto keep = delegate();
    if (auto* d = dynamic_cast<NSTextFieldDelegate*>(keep.get())) (d->*method)(notification);
}

void NSTextField::textDidChange(NSText& text) {
    if (auto cell = this->cell()) cell->setStringValue(text.string());
    if (!std::exchange(changedInSession_, true))
        notify(textDidBeginEditingNotification, &NSTextFieldDelegate::controlTextDidBeginEditing);
    notify(textDidChangeNotification, &NSTextFieldDelegate::controlTextDidChange);
}

void NSTextField::textDidEndEditing(NSText& text, NSTextMovement movement) {
    auto self = sharedAs<NSTextField>();
    auto window = this->window();
    if (movement == NSTextMovement::return_) {
        // The value is sent and the editing goes on, all of it selected.
        sendAction(action(), target().get());
        text.selectAll();
        return;
    }
    if (auto cell = textFieldCell()) {
        cell->setStringValue(text.string());
        cell->endEditing(text);
    }
    notify(textDidEndEditingNotification, &NSTextFieldDelegate::controlTextDidEndEditing, movement);
    if (!window || movement == NSTextMovement::other) return;
    // The editor is still first responder: move the focus on.
    if (movement == NSTextMovement::tab || movement == NSTextMovement::backtab) {
        auto next = movement == NSTextMovement::tab ? nextValidKeyView() : previousValidKeyView();
        if (next && window->makeFirstResponder(next)) return;
    }
    window->makeFirstResponder(nullptr);
}

}  // namespace AppKit
