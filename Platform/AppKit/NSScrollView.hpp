#pragma once
#include <memory>

#include "AppKit/NSView.hpp"

namespace AppKit {

class NSColor;

// A view that shows part of a larger document view and moves it with the scroll wheel. The
// document view sits in a clip view (contentView) that fills the scroll view; the clip view's
// bounds origin is the scroll position, from the document's bottom left, clamped to the
// document.
class NSScrollView : public NSView {
    VZ_OBJECT(NSScrollView, NSView)
public:
    using Ptr = std::shared_ptr<NSScrollView>;

    NSView::Ptr contentView() const { return clip_; }
    NSView::Ptr documentView() const { return document_; }
    void setDocumentView(const NSView::Ptr& view);

    // Painted behind the document while drawsBackground is on (the default).
    std::shared_ptr<NSColor> backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::shared_ptr<NSColor> color);
    bool drawsBackground() const { return drawsBackground_; }
    void setDrawsBackground(bool flag);

    CGPoint scrollPosition() const;
    void scroll(CGPoint to);
    // Moves the document by the wheel's deltas (a positive y delta shows what lies above).
    void scrollWheel(const NSEvent& event) override;

    void setFrame(CGRect frame) override;
    void draw(CGRect dirtyRect) override;
    void didInit() override;

protected:
    NSScrollView() = default;
    explicit NSScrollView(CGRect frame) : NSView(frame) {}

private:
    NSView::Ptr clip_, document_;
    std::shared_ptr<NSColor> backgroundColor_;
    bool drawsBackground_ = true;
};

}  // namespace AppKit
