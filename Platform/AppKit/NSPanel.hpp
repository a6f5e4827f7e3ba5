#pragma once
#include "AppKit/NSWindow.hpp"

namespace AppKit {

// An auxiliary window (inspectors, the About panel). Escape closes it, as on the platform, when
// nothing in it takes the key first.
class NSPanel : public NSWindow {
public:
    // "cancelOperation:".
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

private:
    VZ_OBJECT(NSPanel, NSWindow)
public:
    // Closes the panel (asking its delegate) when it can be closed.
    void cancelOperation(Runtime::NSObject* sender = nullptr);

protected:
    using NSWindow::NSWindow;
};

}  // namespace AppKit
