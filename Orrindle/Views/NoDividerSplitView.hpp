#pragma once
#include "AppKit/NSColor.hpp"
#include "AppKit/NSSplitView.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// A split view whose dividers take no room and are never drawn: the panes meet edge to edge.
// Main thread only.
class NoDividerSplitView : public AppKit::NSSplitView {
    VZ_OBJECT(NoDividerSplitView, AppKit::NSSplitView)
public:
    std::shared_ptr<AppKit::NSColor> dividerColor() const override {
        Runtime::assertMainActor();
        return AppKit::NSColor::clear();
    }
    AppKit::CGFloat dividerThickness() const override {
        Runtime::assertMainActor();
        return 0;
    }
    void drawDivider(AppKit::CGRect) override { Runtime::assertMainActor(); }
    bool isOpaque() const override {
        Runtime::assertMainActor();
        return true;
    }
    bool allowsVibrancy() const {
        Runtime::assertMainActor();
        return false;
    }
    void didInit() override {
        Runtime::assertMainActor();
        AppKit::NSSplitView::didInit();
    }

protected:
    NoDividerSplitView() = default;
    explicit NoDividerSplitView(AppKit::CGRect frame) : AppKit::NSSplitView(frame) {}
};

}  // namespace Orrindle
