#pragma once
#include <memory>

#include "AppKit/NSClipView.hpp"
#include "AppKit/NSView.hpp"

namespace AppKit {

class NSColor;

// A view that shows part of a larger document view and moves it with the scroll wheel. The
// document view sits in a clip view (contentView); the clip view's bounds origin is the scroll
// position in the document's coordinates (from its top left when it is flipped, from its bottom
// left otherwise), clamped to the document. A table's header view sits in a clip view of its
// own along the top edge and follows the document sideways. With a vertical scroller, a
// scroller of scrollerWidth takes the right edge from the clip views while the document is
// taller than what shows.
class NSScrollView : public NSView {
    VZ_OBJECT(NSScrollView, NSView)
public:
    using Ptr = std::shared_ptr<NSScrollView>;
    static constexpr CGFloat scrollerWidth = 15;

    NSClipView::Ptr contentView() const { return clip_; }
    NSView::Ptr documentView() const { return document_; }
    void setDocumentView(const NSView::Ptr& view);
    // The clip view of the document's header view; null without one.
    NSClipView::Ptr headerClipView() const { return header_; }

    // Painted behind the document while drawsBackground is on (the default).
    std::shared_ptr<NSColor> backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::shared_ptr<NSColor> color);
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool flag);
    bool hasVerticalScroller() const { return hasVerticalScroller_; }
    void setHasVerticalScroller(bool flag);
    // Whether the vertical scroller shows now.
    bool isVerticalScrollerShown() const { return scrollerShown_; }

    CGPoint scrollPosition() const;
    void scroll(CGPoint to);
    // Moves the document by the wheel's deltas (a positive y delta shows what lies above).
    void scrollWheel(const NSEvent& event) override;
    // Places the clip views, the header and the scroller again: after the frame, the document's
    // size or its header changed.
    void tile();

    void setFrame(CGRect frame) override;
    void draw(CGRect dirtyRect) override;
    void didInit() override;

protected:
    NSScrollView() = default;
    explicit NSScrollView(CGRect frame) : NSView(frame) {}

private:
    NSView::Ptr documentHeaderView() const;
    void tileOnce();

    NSClipView::Ptr clip_, header_;
    NSView::Ptr document_;
    std::shared_ptr<NSColor> backgroundColor_;
    bool drawsBackground_ = true;
    bool hasVerticalScroller_ = false, scrollerShown_ = false;
    bool tiling_ = false, tileAgain_ = false;  // a table that resizes while tiled asks again
};

}  // namespace AppKit
