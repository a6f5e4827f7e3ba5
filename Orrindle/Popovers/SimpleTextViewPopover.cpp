#include "Orrindle/Popovers/SimpleTextViewPopover.hpp"

#include "AppKit/EdgePins.hpp"
#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSViewController.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

void SimpleTextViewPopover::didInit() {
    Runtime::assertMainActor();
    contentTextField_ = AppKit::NSTextField::labelWithString("");
    AppKit::NSPopover::didInit();
    auto s = style();
    if (auto name = s->appearanceName()) setAppearance(AppKit::NSAppearance::named(*name));
    setAnimates(true);
    setBehavior(Behavior::applicationDefined);
    auto& field = *contentTextField_;
    field.setFont(s->font());
    field.setTextColor(s->textColor());
    field.setFocusRingType(AppKit::NSFocusRingType::none);
    auto container = Runtime::make<AppKit::NSView>();
    container->setTranslatesAutoresizingMaskIntoConstraints(false);
    container->addSubview(contentTextField_);
    // Pinned inside the same padding the controller adds to the text's size, so the text fits
    // (12-point pins on a padding of 10 and 6 would cut 4 and 12 points off the message).
    const auto padding = s->padding();
    AppKit::pinToAllEdges(field, container, {padding.height, padding.width, padding.height, padding.width});
    auto controller = Runtime::make<AppKit::NSViewController>();
    controller->setView(container);
    setContentViewController(controller);
}

void SimpleTextViewPopover::show(AppKit::CGRect relativeTo, const std::shared_ptr<AppKit::NSView>& of,
                                 AppKit::NSRectEdge preferredEdge) {
    Runtime::assertMainActor();
    positioningView_ = of;
    AppKit::NSPopover::show(relativeTo, of, preferredEdge);
}

void SimpleTextViewPopover::close() {
    Runtime::assertMainActor();
    positioningView_.reset();
    AppKit::NSPopover::close();
}

void SimpleTextViewPopoverController::didInit() {
    Runtime::assertMainActor();
    Runtime::NSObject::didInit();
}

void SimpleTextViewPopoverController::show(const std::optional<std::string>& message,
                                           const std::shared_ptr<AppKit::NSView>& relativeTo,
                                           AppKit::NSRectEdge preferredEdge) {
    Runtime::assertMainActor();
    popover_->contentTextField()->setStringValue(message.value_or(""));
    const auto text = popover_->contentTextField()->intrinsicContentSize();
    const auto padding = popover_->style()->padding();
    popover_->setContentSize({text.width + 2 * padding.width, text.height + 2 * padding.height});
    if (relativeTo) popover_->show(relativeTo->bounds(), relativeTo, preferredEdge);
}

void SimpleTextViewPopoverController::close(Runtime::NSObject* sender) {
    Runtime::assertMainActor();
    popover_->performClose(sender);
}

}  // namespace Orrindle
