#pragma once
#include "AppKit/NSWindow.hpp"

namespace AppKit {

// An auxiliary window (inspectors, the About panel).
class NSPanel : public NSWindow {
    VZ_OBJECT(NSPanel, NSWindow)
protected:
    using NSWindow::NSWindow;
};

}  // namespace AppKit
