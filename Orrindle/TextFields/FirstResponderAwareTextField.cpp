#include "Orrindle/TextFields/FirstResponderAwareTextField.hpp"

#include "AppKit/NSText.hpp"
#include "AppKit/NSWindow.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Runtime/FatalError.hpp"

namespace Orrindle {

void FirstResponderAwareTextField::setFirstResponderPublisher(std::shared_ptr<FirstResponderPublisher> publisher) {
    if (!publisher) Runtime::fatalError(className() + ": the first-responder publisher cannot be none");
    firstResponderPublisher_ = std::move(publisher);
}

void FirstResponderAwareTextField::viewWillMoveToWindow(AppKit::NSWindow* newWindow) {
    // Whatever the field watched before ends here, queued changes included: a field that moves
    // to another window follows that window's first responder only.
    windowListenerCancellables_.clear();
    if (!newWindow) return;
    // Held weakly and checked at each delivery: a change queued on the run loop may come after
    // the field has gone.
    std::weak_ptr<FirstResponderAwareTextField> weak = sharedAs<FirstResponderAwareTextField>();
    newWindow->firstResponderPublisher()
        ->receiveOn(Dispatch::RunLoop::main())
        .sink([weak](std::weak_ptr<AppKit::NSResponder> responder) {
            if (auto field = weak.lock()) field->responderChanged(responder.lock());
        })
        .store(windowListenerCancellables_);
}

void FirstResponderAwareTextField::viewDidMoveToWindow() {
    AppKit::NSTextField::viewDidMoveToWindow();
    if (!window()) responderChanged(nullptr);
}

void FirstResponderAwareTextField::responderChanged(const std::shared_ptr<AppKit::NSResponder>& responder) {
    auto editor = currentEditor();
    const bool status = responder && (responder.get() == this || responder.get() == editor.get());
    if (status == publishedStatus_) return;
    publishedStatus_ = status;
    auto self = sharedAs<AppKit::NSTextField>();
    firstResponderPublisher_->send({self, status});
    handleResponderStatusChanged(status);
}

FirstResponderAwareTextField::~FirstResponderAwareTextField() {
    firstResponderPublisher_->send(Combine::Subscribers::Completion<Combine::Never>::finished());
}

}  // namespace Orrindle
