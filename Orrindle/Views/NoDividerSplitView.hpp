#pragma once
#include "AppKit/NSColor.hpp"
#include "AppKit/NSSplitView.hpp"

namespace Orrindle {

// A split view whose dividers take no room and are never drawn: the panes meet edge to edge.
class NoDividerSplitView : public AppKit::NSSplitView {
    VZ_OBJECT(NoDividerSplitView, AppKit::NSSplitView)
public:
    std::shared_ptr<AppKit::NSColor> dividerColor() const override { return AppKit::NSColor::clear(); }
    AppKit::CGFloat dividerThickness() const override { return 0; }
    void drawDivider(AppKit::CGRect) override {}
    bool isOpaque() const override { return true; }
    bool allowsVibrancy() const { return false; }

protected:
    NoDividerSplitView() = default;
    explicit NoDividerSplitView(AppKit::CGRect frame) : AppKit::NSSplitView(frame) {}
};

}  // namespace Orrindle
