#pragma once
#include <memory>
#include <utility>
#include <vector>

#include "AppKit/NSWindow.hpp"

namespace Orrindle {

// The kit's window for content shown as a sheet on another window: untitled and resizable, its
// content under the title-bar area, able to become key without a title bar, in the
// application's appearance of the moment it was made. Escape (or Command-period, the cancel
// action) ends its sheet; shown on its own it ignores them. Main thread only.
class SheetWindow : public AppKit::NSWindow {
public:
    // "cancelOperation:".
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

private:
    VZ_OBJECT(SheetWindow, AppKit::NSWindow)
public:
    // init(size:): a window of that content size at (0, 0), resizable with a full-size content
    // view and nothing else, buffered and deferred, that does not keep the application from
    // quitting while it is modal. The application object must exist.
    static std::shared_ptr<SheetWindow> make(CoreGraphics::CGSize size);

    bool canBecomeKeyWindow() const override;
    // Ends the sheet on the sheet parent; nothing when the window is not a sheet. The sender is
    // ignored.
    void cancelOperation(Runtime::NSObject* sender);

    static constexpr AppKit::StyleMask sheetStyle() {
        return AppKit::StyleMask::resizable() | AppKit::StyleMask::fullSizeContentView();
    }

protected:
    // init(contentRect:styleMask:backing:defer:), as the window's, nothing more: the road of
    // NSWindow::withContentViewController<SheetWindow>.
    SheetWindow(CoreGraphics::CGRect contentRect, AppKit::StyleMask style, AppKit::BackingStoreType backing, bool defer);
};

}  // namespace Orrindle
