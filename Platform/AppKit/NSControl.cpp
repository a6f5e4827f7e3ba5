#include "AppKit/NSControl.hpp"

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSText.hpp"
#include "AppKit/NSWindow.hpp"
#include "Runtime/FatalError.hpp"

namespace AppKit {

namespace {
const std::string& emptyString() {
    static const std::string empty;
    return empty;
}
}  // namespace

void NSControl::didInit() {
    NSView::didInit();
    if (!cell_) setCell(cellClass().make());
}

void NSControl::setCell(NSCell::Ptr cell) {
    if (const auto* accepted = acceptedCellClass(); cell && accepted && !cell->isKindOf(*accepted))
        Runtime::fatalError(className() + " takes only a " + accepted->name() + ", not " + cell->className());
    if (cell_ && cell_->controlView().get() == this) cell_->setControlView(nullptr);
    cell_ = std::move(cell);
    if (cell_) cell_->setControlView(std::static_pointer_cast<NSView>(shared_from_this()));
    invalidateIntrinsicContentSize();
    setNeedsDisplay(true);
}

bool NSControl::sendAction(Runtime::Selector action, Runtime::NSObject* target) {
    if (!action) return false;
    return NSApplication::shared().sendAction(action, target, this);
}

bool NSControl::isContinuous() const { return cell_ && cell_->isContinuous(); }
void NSControl::setContinuous(bool flag) {
    if (cell_) cell_->setContinuous(flag);
}

const std::string& NSControl::stringValue() const { return cell_ ? cell_->stringValue() : emptyString(); }
void NSControl::setStringValue(std::string value) {
    if (cell_) cell_->setStringValue(std::move(value));
}
double NSControl::doubleValue() const { return cell_ ? cell_->doubleValue() : 0; }
void NSControl::setDoubleValue(double value) {
    if (cell_) cell_->setDoubleValue(value);
}
int NSControl::intValue() const { return cell_ ? cell_->intValue() : 0; }
void NSControl::setIntValue(int value) {
    if (cell_) cell_->setIntValue(value);
}
bool NSControl::isEnabled() const { return !cell_ || cell_->isEnabled(); }
void NSControl::setEnabled(bool flag) {
    if (cell_) cell_->setEnabled(flag);
}
bool NSControl::isHighlighted() const { return cell_ && cell_->isHighlighted(); }
void NSControl::setHighlighted(bool flag) {
    if (cell_) cell_->setHighlighted(flag);
}
NSFont::Ptr NSControl::font() const { return cell_ ? cell_->font() : nullptr; }
void NSControl::setFont(NSFont::Ptr font) {
    if (cell_) cell_->setFont(std::move(font));
}
NSTextAlignment NSControl::alignment() const { return cell_ ? cell_->alignment() : NSTextAlignment::natural; }
void NSControl::setAlignment(NSTextAlignment alignment) {
    if (cell_) cell_->setAlignment(alignment);
}
NSLineBreakMode NSControl::lineBreakMode() const { return cell_ ? cell_->lineBreakMode() : NSLineBreakMode::byWordWrapping; }
void NSControl::setLineBreakMode(NSLineBreakMode mode) {
    if (cell_) cell_->setLineBreakMode(mode);
}
NSControl::ControlSize NSControl::controlSize() const { return cell_ ? cell_->controlSize() : ControlSize::regular; }
void NSControl::setControlSize(ControlSize size) {
    if (cell_) cell_->setControlSize(size);
}

CGSize NSControl::intrinsicContentSize() const {
    if (!cell_) return NSView::intrinsicContentSize();
    return cell_->cellSize();
}

void NSControl::sizeToFit() {
    if (cell_) setFrameSize(cell_->cellSize());
}

void NSControl::draw(CGRect) {
    if (cell_) cell_->draw(bounds(), *this);
}

CGRect NSControl::focusRingMaskBounds() const {
    if (!cell_) return NSView::focusRingMaskBounds();
    return cell_->focusRingMaskBounds(bounds(), const_cast<NSControl&>(*this));
}

void NSControl::drawFocusRingMask() {
    if (cell_) cell_->drawFocusRingMask(bounds(), *this);
}

void NSControl::updateCell(const NSCell&) {
    invalidateIntrinsicContentSize();
    setNeedsDisplay(true);
}

std::shared_ptr<NSText> NSControl::currentEditor() const {
    auto w = window();
    if (!w) return nullptr;
    auto editor = w->fieldEditor(false);
    if (!editor || editor->editedObject().get() != this) return nullptr;
    return editor;
}

bool NSControl::acceptsFirstResponder() const { return cell_ && cell_->isEnabled() && cell_->acceptsFirstResponder(); }

void NSControl::mouseDown(const NSEvent& event) {
    if (!cell_ || !isEnabled()) return;
    auto window = this->window();
    if (!window) return;
    auto cell = cell_;  // the action may replace the cell
    const bool untilMouseUp = cell->prefersTrackingUntilMouseUp();
    std::shared_ptr<NSEvent> resumed;
    const NSEvent* current = &event;
    for (;;) {
        cell->highlight(true, bounds(), *this);
        const bool upInside = cell->trackMouse(*current, bounds(), *this, untilMouseUp);
        cell->highlight(false, bounds(), *this);
        if (upInside) {
            cell->setNextState();
            sendAction(action_, target().get());
            return;
        }
        if (cell->trackingEndedWithMouseUp_) return;
        // The pointer left: wait for it to come back in or for the button to go up.
        for (;;) {
            resumed = window->nextEvent(EventTypeMask::leftMouseDragged() | EventTypeMask::leftMouseUp());
            if (resumed->type() == EventType::leftMouseUp) return;
            if (bounds().contains(convert(resumed->locationInWindow(), nullptr))) break;
        }
        current = resumed.get();
    }
}

}  // namespace AppKit
