#pragma once
#include "AppKit/NSView.hpp"

namespace Orrindle {

// A plain container whose coordinates start at the top left.
class FlippedView : public AppKit::NSView {
    VZ_OBJECT(FlippedView, AppKit::NSView)
public:
    bool isFlipped() const override { return true; }

protected:
    FlippedView() = default;
    explicit FlippedView(AppKit::CGRect frame) : AppKit::NSView(frame) {}
};

}  // namespace Orrindle
