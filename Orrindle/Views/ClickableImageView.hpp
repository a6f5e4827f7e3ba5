#pragma once
#include <memory>
#include <utility>
#include <variant>
#include <vector>

#include "AppKit/NSGestureRecognizer.hpp"
#include "AppKit/NSImageView.hpp"
#include "Combine/AnyCancellable.hpp"
#include "Combine/PassthroughSubject.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// An image view that reports clicks through `clicked`, dims to half opacity while the mouse is
// pressed on it (when enabled), and takes the first click of an inactive window. Clicks are
// reported whatever the enabled state. Main thread only: an entry point called from another
// thread stops the program.
class ClickableImageView : public AppKit::NSImageView {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

private:
    VZ_OBJECT(ClickableImageView, AppKit::NSImageView)
public:
    using Ptr = std::shared_ptr<ClickableImageView>;
    using Clicked = Combine::PassthroughSubject<std::monostate>;

    std::shared_ptr<Clicked> clicked() const { return clicked_; }
    // Subscribers of the old subject get no more clicks.
    void setClicked(std::shared_ptr<Clicked> subject) {
        Runtime::assertMainActor();
        clicked_ = std::move(subject);
    }
    std::shared_ptr<AppKit::NSClickGestureRecognizer> clickGestureRecognizer();
    // The recogniser's action ("handleClickGesture:"): one value through `clicked`.
    void handleClickGesture(Runtime::NSObject* sender);

    bool acceptsFirstMouse(const AppKit::NSEvent*) const override;
    AppKit::CGSize intrinsicContentSize() const override;
    void mouseDown(const AppKit::NSEvent& event) override;
    void mouseUp(const AppKit::NSEvent& event) override;

    // A click on each image view makes its control first responder, making the control's window
    // key first when it is not. The subscriptions hold the controls weakly and end with
    // `cancellables`.
    using ControlPairs = std::vector<std::pair<Ptr, std::shared_ptr<AppKit::NSControl>>>;
    static void makeFirstResponderOnClick(const ControlPairs& controlPairs, std::vector<Combine::AnyCancellable>& cancellables);

    void didInit() override;

protected:
    ClickableImageView() = default;
    explicit ClickableImageView(AppKit::CGRect frame) : AppKit::NSImageView(frame) {}

private:
    std::shared_ptr<Clicked> clicked_ = Clicked::make();
    std::shared_ptr<AppKit::NSClickGestureRecognizer> clickRecognizer_;
};

}  // namespace Orrindle
