#pragma once
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AppKit/NSView.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "Orrindle/Popovers/SimpleTextViewPopover.hpp"
#include "Orrindle/Resources/ODColorsAK.hpp"

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

// An open text popover where it stands over `window`, drawn into a sheet's top-down
// coordinates (those drawWindowContent gives `onTop`): the popover's window is another window,
// so the sheet draws its rounded frame and content itself.
inline void drawOpenPopover(CoreGraphics::CGContext& ctx, const AppKit::NSWindow& window,
                            const Orrindle::SimpleTextViewPopoverController& popover) {
    auto shown = popover.popover()->popoverWindow();
    if (!shown) return;
    using AppKit::CGFloat;
    const AppKit::CGRect content = window.contentRect(window.frame());
    const AppKit::CGRect at = shown->frame();
    const CGFloat x = at.minX() - content.minX(), y = content.height() - (at.maxY() - content.minY());
    ctx.saveGState();
    ctx.translateBy(x, y);
    ctx.setFillColor(Orrindle::ODColorsAK::Background::normal()->cgColor());
    ctx.fill(CoreGraphics::CGPath::roundedRect({0, 0, at.width(), at.height()}, 6));
    ctx.setStrokeColor(Orrindle::ODColorsAK::grey50()->cgColor());
    ctx.setLineWidth(1);
    ctx.stroke(CoreGraphics::CGPath::roundedRect({0.5, 0.5, at.width() - 1, at.height() - 1}, 6));
    // The content view draws y-up: turn it back.
    ctx.translateBy(0, at.height());
    ctx.scaleBy(1, -1);
    auto view = shown->contentView();
    view->setFrameOrigin({0, 0});
    view->displayInCurrentContext();
    ctx.restoreGState();
}

// The flipped content of a gallery window: the dark background, a title per row of samples and
// a caption under each sample, laid out row by row (layOut).
class GallerySheet : public AppKit::NSView {
    VZ_OBJECT(GallerySheet, AppKit::NSView)
public:
    static constexpr AppKit::CGFloat margin = 20, rowTitleWidth = 112, gap = 18, captionHeight = 16;
    struct Sample {
        std::string row, caption;
        AppKit::NSView::Ptr view;
        AppKit::CGFloat roomAbove = 0;  // more space above the row this sample starts
    };

    bool isFlipped() const override { return true; }
    void draw(AppKit::CGRect) override {
        auto* ctx = CoreGraphics::CGContext::current();
        if (!ctx) return;
        ctx->setFillColor(Orrindle::ODColorsAK::Background::normal()->cgColor());
        ctx->fill(bounds());
        for (const auto& [text, box] : labels) {
            const bool title = box.width() == rowTitleWidth;
            const auto font = CoreGraphics::Font::system(title ? 11 : 9, title ? CoreGraphics::FontWeight::medium : CoreGraphics::FontWeight::regular);
            const auto colour = (title ? Orrindle::ODColorsAK::grey85() : Orrindle::ODColorsAK::grey50())->cgColor();
            ctx->drawText(CoreGraphics::AttributedText(text, font, colour), box);
        }
    }

    // Puts the samples in rows, a new row for each new row title (with the room its first sample
    // asks for above it), each sample at its frame's size, or its intrinsic one where its frame
    // is still small; `extraWidth` more room at the right of the widest row. Returns the sheet's
    // size, which it takes.
    AppKit::CGSize layOut(const std::vector<Sample>& samples, AppKit::CGFloat extraWidth = 0) {
        using AppKit::CGFloat;
        CGFloat y = margin, widest = 0;
        std::string current;
        CGFloat x = 0, rowHeight = 0;
        const auto finishRow = [&] {
            if (current.empty()) return;
            y += rowHeight + captionHeight + gap;
            widest = std::max(widest, x);
        };
        for (const auto& s : samples) {
            if (s.row != current) {
                finishRow();
                current = s.row;
                y += s.roomAbove;
                x = margin + rowTitleWidth;
                rowHeight = 0;
                labels.push_back({s.row, {margin, y + 4, rowTitleWidth, 16}});
            }
            AppKit::CGSize natural = s.view->frame().size;
            const AppKit::CGSize intrinsic = s.view->intrinsicContentSize();
            if (intrinsic.width > 0 && intrinsic.width < 400 && natural.width <= 10) natural.width = intrinsic.width;
            if (intrinsic.height > 0 && intrinsic.height < 100 && natural.height <= 10) natural.height = intrinsic.height;
            s.view->setFrame({x, y, natural.width, natural.height});
            addSubview(s.view);
            labels.push_back({s.caption, {x, y + natural.height + 3, std::max<CGFloat>(natural.width, 60), 12}});
            x += std::max<CGFloat>(natural.width, 60) + gap;
            rowHeight = std::max(rowHeight, natural.height);
        }
        finishRow();
        widest = std::max(widest, x + extraWidth);
        const AppKit::CGSize size{std::ceil(widest + margin), std::ceil(y + margin)};
        setFrame({0, 0, size.width, size.height});
        return size;
    }

    std::vector<std::pair<std::string, AppKit::CGRect>> labels;  // row titles and captions

protected:
    using AppKit::NSView::NSView;
};

}  // namespace OrrindleTest
