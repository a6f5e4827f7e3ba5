#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "AppKit/NSView.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"

namespace OrrindleTest {

// Draws a gallery's flipped content view into `ctx` (y-up, `height` tall) as its window shows
// it, then each of `focused` again with the focus in turn, since only one view can hold it at a
// time; `onTop` draws last, in the same top-down coordinates.
inline void drawWindowContent(CoreGraphics::CGContext& ctx, AppKit::NSWindow& window, AppKit::NSView& content,
                              CoreGraphics::CGFloat height, const std::vector<std::shared_ptr<AppKit::NSView>>& focused = {},
                              const std::function<void()>& onTop = {}) {
    ctx.saveGState();
    ctx.translateBy(0, height);
    ctx.scaleBy(1, -1);
    content.draw(content.bounds());
    for (const auto& sub : content.subviews()) sub->displayInCurrentContext();
    for (const auto& view : focused) {
        window.makeFirstResponder(view);
        view->displayInCurrentContext();
    }
    if (!focused.empty()) window.makeFirstResponder(nullptr);
    if (onTop) onTop();
    ctx.restoreGState();
}

}  // namespace OrrindleTest
