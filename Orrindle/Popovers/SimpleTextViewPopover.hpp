#pragma once
#include <memory>

#include "AppKit/NSPopover.hpp"
#include "AppKit/NSTextField.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/PopoverStyle.hpp"

namespace Orrindle {

// A popover with one plain, read-only text in the kit's dark popover look. The text sits
// inside the style's padding (10 points at the sides, 6 above and below), the same margins
// its controller adds to the text's size, so the whole text always shows. It closes only when
// told to. Main thread only: an entry point called from another thread stops the program.
class SimpleTextViewPopover : public AppKit::NSPopover, public StyledControl<PopoverStyle> {
    VZ_OBJECT(SimpleTextViewPopover, AppKit::NSPopover)
public:
    using Ptr = std::shared_ptr<SimpleTextViewPopover>;

    static std::shared_ptr<PopoverStyle> sharedStyle() { return Orrindle::sharedStyle<SimpleTextViewPopover, PopoverStyle>(); }
    std::shared_ptr<PopoverStyle> style() const override { return sharedStyle(); }
    StyledControlState controlState() const override { return controlState_; }

    const AppKit::NSTextField::Ptr& contentTextField() const { return contentTextField_; }
    // The view it is shown against, while shown; held weakly.
    std::shared_ptr<AppKit::NSView> currentPositioningView() const { return positioningView_.lock(); }

    void show(AppKit::CGRect relativeTo, const std::shared_ptr<AppKit::NSView>& of, AppKit::NSRectEdge preferredEdge) override;
    void close() override;

    void didInit() override;

protected:
    SimpleTextViewPopover() = default;

private:
    AppKit::NSTextField::Ptr contentTextField_;
    std::weak_ptr<AppKit::NSView> positioningView_;
    StyledControlState controlState_ = StyledControlState::default_;
};

// Owns one text popover and sizes it to its message before showing it.
class SimpleTextViewPopoverController : public Runtime::NSObject {
    VZ_OBJECT(SimpleTextViewPopoverController, Runtime::NSObject)
public:
    const SimpleTextViewPopover::Ptr& popover() const { return popover_; }
    // Sets the text (empty without a message), sizes the popover to it plus the style's
    // padding on each side and shows it against the view's bounds.
    void show(const std::optional<std::string>& message, const std::shared_ptr<AppKit::NSView>& relativeTo,
              AppKit::NSRectEdge preferredEdge);
    void close(Runtime::NSObject* sender = nullptr);

    void didInit() override;

protected:
    SimpleTextViewPopoverController() = default;

private:
    SimpleTextViewPopover::Ptr popover_ = Runtime::make<SimpleTextViewPopover>();
};

}  // namespace Orrindle
