#pragma once
#include <memory>

#include "AppKit/NSView.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

class NSViewController;
class NSWindow;
class NSAppearance;

// The side of a rectangle, with the platform's raw values.
enum class NSRectEdge : unsigned long { minX = 0, minY = 1, maxX = 2, maxY = 3 };

// Content shown beside a view in a small window of its own that never becomes key. The
// content view controller's view fills the popover at contentSize; the popover sits against
// the positioning rectangle's edge (above it for maxY, below for minY, left for minX, right for
// maxX), centred along that edge. An application-defined popover closes only when told to;
// transient ones are not needed here and behave the same.
class NSPopover : public Runtime::NSObject {
    VZ_OBJECT(NSPopover, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSPopover>;
    enum class Behavior : long { applicationDefined = 0, transient = 1, semitransient = 2 };

    bool animates() const { return animates_; }
    void setAnimates(bool flag) { animates_ = flag; }
    Behavior behavior() const { return behavior_; }
    void setBehavior(Behavior b) { behavior_ = b; }
    std::shared_ptr<NSAppearance> appearance() const { return appearance_; }
    void setAppearance(std::shared_ptr<NSAppearance> appearance);
    CGSize contentSize() const { return contentSize_; }
    // Resizes an open popover in place, keeping its edge against the view.
    void setContentSize(CGSize size);
    std::shared_ptr<NSViewController> contentViewController() const { return controller_; }
    void setContentViewController(std::shared_ptr<NSViewController> controller);

    // Shows (or moves) the popover against `rect` (in `view`'s coordinates). Nothing happens
    // while the view is in no window.
    virtual void show(CGRect relativeTo, const std::shared_ptr<NSView>& of, NSRectEdge preferredEdge);
    // Closes through close(), which subclasses may extend.
    void performClose(Runtime::NSObject* sender);
    virtual void close();
    bool isShown() const { return shown_; }
    // The window the popover shows in while shown (null when closed).
    std::shared_ptr<NSWindow> popoverWindow() const { return shown_ ? window_ : nullptr; }
    NSRectEdge shownEdge() const { return edge_; }

protected:
    NSPopover() = default;

private:
    void place();

    bool animates_ = false;
    Behavior behavior_ = Behavior::applicationDefined;
    std::shared_ptr<NSAppearance> appearance_;
    CGSize contentSize_{0, 0};
    std::shared_ptr<NSViewController> controller_;
    std::shared_ptr<NSWindow> window_;
    std::weak_ptr<NSView> anchor_;
    CGRect anchorRect_;
    NSRectEdge edge_ = NSRectEdge::maxY;
    bool shown_ = false;
};

}  // namespace AppKit
