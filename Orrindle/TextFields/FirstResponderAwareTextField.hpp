#pragma once
#include <memory>
#include <utility>

#include "AppKit/NSTextField.hpp"
#include "Combine/AnyCancellable.hpp"
#include "Combine/PassthroughSubject.hpp"

namespace Orrindle {

// A text field that tells, through firstResponderPublisher, whether it has the keyboard focus:
// (the field, true) once when it or its field editor becomes its window's first responder,
// (the field, false) once when neither is any more. It watches the first responder of the
// window it is in, on the main run loop, and follows the field into another window; a change
// that is still queued when the field goes away or moves is dropped. A focused field that leaves
// its window for none says (the field, false) at once, as no window will. The stream finishes
// when the field is destroyed.
class FirstResponderAwareTextField : public AppKit::NSTextField {
    VZ_OBJECT(FirstResponderAwareTextField, AppKit::NSTextField)
public:
    using Ptr = std::shared_ptr<FirstResponderAwareTextField>;
    // The field is held weakly, so a value kept by a subscriber owns nothing.
    using Change = std::pair<std::weak_ptr<AppKit::NSTextField>, bool>;
    using FirstResponderPublisher = Combine::PassthroughSubject<Change>;

    const std::shared_ptr<FirstResponderPublisher>& firstResponderPublisher() const { return firstResponderPublisher_; }
    // Never none: a null publisher stops the program.
    void setFirstResponderPublisher(std::shared_ptr<FirstResponderPublisher> publisher);
    // The status last published.
    bool publishedFirstResponderStatus() const { return publishedStatus_; }

    // After each published change; nothing here.
    virtual void handleResponderStatusChanged(bool newStatus) { (void)newStatus; }

    void viewWillMoveToWindow(AppKit::NSWindow* newWindow) override;
    void viewDidMoveToWindow() override;
    ~FirstResponderAwareTextField() override;

protected:
    FirstResponderAwareTextField() = default;
    explicit FirstResponderAwareTextField(AppKit::CGRect frame) : AppKit::NSTextField(frame) {}

private:
    void responderChanged(const std::shared_ptr<AppKit::NSResponder>& responder);

    std::shared_ptr<FirstResponderPublisher> firstResponderPublisher_ = FirstResponderPublisher::make();
    bool publishedStatus_ = false;
    Combine::Cancellables windowListenerCancellables_;
};

}  // namespace Orrindle
