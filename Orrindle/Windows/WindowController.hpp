#pragma once
#include <functional>
#include <optional>
#include <string>

#include "AppKit/NSWindowController.hpp"
#include "SwiftUI/NSHostingView.hpp"

namespace Orrindle {

// A window controller for a window built in code around a SwiftUI root view: the window is
// the platform's default one for a hosting controller of the view with the given sizing
// options, whose environment holds a WindowState naming the window; `configure` adjusts it
// before the controller takes it; a frame name then restores and saves its frame.
class WindowController : public AppKit::NSWindowController {
    VZ_OBJECT(WindowController, AppKit::NSWindowController)
public:
    using Configure = std::function<void(AppKit::NSWindow&)>;
    using SizingOptions = SwiftUI::NSHostingSizingOptions;
    static std::shared_ptr<WindowController> make(SwiftUI::AnyView rootView, std::optional<std::string> frameName = std::nullopt,
                                                  SizingOptions sizingOptions = SizingOptions::standardBounds(), Configure configure = {});
    // The same around a SheetWindow (the platform's default style for a hosting controller's
    // window) that does not keep the application from quitting while modal, for the caller to
    // show as a sheet of another window: Escape ends it.
    static std::shared_ptr<WindowController> makeSheet(SwiftUI::AnyView rootSheetView,
                                                       std::optional<std::string> frameName = std::nullopt,
                                                       SizingOptions sizingOptions = SizingOptions::standardBounds(),
                                                       Configure configure = {});

    // Shows the window, then centres it on the usable area once the main queue comes round
    // (after it has been laid out and shown); nothing if the window has gone by then.
    void showWindowCentered(Runtime::NSObject* sender = nullptr);

protected:
    explicit WindowController(AppKit::NSWindow::Ptr window) : NSWindowController(std::move(window)) {}
};

}  // namespace Orrindle
