#include "Orrindle/Views/ClickableImageView.hpp"

#include "AppKit/NSWindow.hpp"
#include "Combine/Sink.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> ClickableImageView::classActions() {
    return {Runtime::action("handleClickGesture:", &ClickableImageView::handleClickGesture)};
}

void ClickableImageView::didInit() {
    Runtime::assertMainActor();
    AppKit::NSImageView::didInit();
    setAllowedTouchTypes(3);
    addGestureRecognizer(clickGestureRecognizer());
}

std::shared_ptr<AppKit::NSClickGestureRecognizer> ClickableImageView::clickGestureRecognizer() {
    Runtime::assertMainActor();
    if (!clickRecognizer_) {
        clickRecognizer_ = Runtime::make<AppKit::NSClickGestureRecognizer>();
        clickRecognizer_->setTarget(sharedAs<Runtime::NSObject>());
        clickRecognizer_->setAction(Runtime::Selector("handleClickGesture:"));
        clickRecognizer_->setDelaysPrimaryMouseButtonEvents(false);
    }
    return clickRecognizer_;
}

void ClickableImageView::handleClickGesture(Runtime::NSObject*) {
    Runtime::assertMainActor();
    if (auto subject = clicked_) subject->send(std::monostate{});
}

bool ClickableImageView::acceptsFirstMouse(const AppKit::NSEvent*) const {
    Runtime::assertMainActor();
    return true;
}

AppKit::CGSize ClickableImageView::intrinsicContentSize() const {
    Runtime::assertMainActor();
    return AppKit::NSImageView::intrinsicContentSize();
}

void ClickableImageView::mouseDown(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    AppKit::NSImageView::mouseDown(event);
    if (isEnabled()) setAlphaValue(0.5);
}

void ClickableImageView::mouseUp(const AppKit::NSEvent& event) {
    Runtime::assertMainActor();
    AppKit::NSImageView::mouseUp(event);
    if (isEnabled()) setAlphaValue(1.0);
}

void ClickableImageView::makeFirstResponderOnClick(const ControlPairs& controlPairs,
                                                   std::vector<Combine::AnyCancellable>& cancellables) {
    for (const auto& [imageView, control] : controlPairs) {
        if (!imageView) continue;
        std::weak_ptr<AppKit::NSControl> weakControl = control;
        auto subscription = imageView->clicked()->sink([weakControl](std::monostate) {
            auto control = weakControl.lock();
            if (!control || !control->window()) return;
            if (!control->window()->isKeyWindow()) control->window()->makeKeyWindow();
            if (auto window = control->window()) window->makeFirstResponder(control);
        });
        std::move(subscription).store(cancellables);
    }
}

}  // namespace Orrindle
