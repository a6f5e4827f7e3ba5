#pragma once
#include "AppKit/NSView.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// A plain container whose coordinates start at the top left. Main thread only.
class FlippedView : public AppKit::NSView {
    VZ_OBJECT(FlippedView, AppKit::NSView)
public:
    bool isFlipped() const override {
        Runtime::assertMainActor();
        return true;
    }
    void didInit() override {
        Runtime::assertMainActor();
        AppKit::NSView::didInit();
    }

protected:
    FlippedView() = default;
    explicit FlippedView(AppKit::CGRect frame) : AppKit::NSView(frame) {}
};

}  // namespace Orrindle
