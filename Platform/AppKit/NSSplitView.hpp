#pragma once
#include <memory>
#include <vector>

#include "AppKit/NSView.hpp"

namespace AppKit {

class NSColor;

// Lays its subviews out in a row (vertical dividers) or a column, top to bottom (horizontal
// dividers; the view is flipped), with a divider between two neighbours. The pointer drags a
// divider; a divider thinner than the grab width is grabbed within 2 points of it.
// adjustSubviews keeps the subviews' proportions along the axis and fills the other axis; it
// runs when the frame changes and when called.
class NSSplitView : public NSView {
    VZ_OBJECT(NSSplitView, NSView)
public:
    using Ptr = std::shared_ptr<NSSplitView>;

    bool isVertical() const { return vertical_; }
    void setVertical(bool flag);
    virtual CGFloat dividerThickness() const { return 1; }
    virtual std::shared_ptr<NSColor> dividerColor() const;
    // Fills the rectangle with dividerColor.
    virtual void drawDivider(CGRect in);

    void adjustSubviews();
    // The rectangle of divider `index` (between subview index and index + 1).
    CGRect dividerRect(std::size_t index) const;
    // Moves divider `index` so that the subview before it ends at `position` (along the axis,
    // from the start), kept between its neighbours.
    void setPosition(CGFloat position, std::size_t ofDividerAt);
    // The subview's end along the axis: where divider `index` starts.
    CGFloat positionOfDivider(std::size_t index) const;

    bool isFlipped() const override { return true; }
    void setFrame(CGRect frame) override;
    void draw(CGRect dirtyRect) override;
    NSView::Ptr hitTest(CGPoint point) override;
    void mouseDown(const NSEvent& event) override;

protected:
    NSSplitView() = default;
    explicit NSSplitView(CGRect frame) : NSView(frame) {}

private:
    CGFloat along(CGRect r) const { return vertical_ ? r.width() : r.height(); }
    CGFloat start(CGRect r) const { return vertical_ ? r.minX() : r.minY(); }
    CGFloat length(CGPoint p) const { return vertical_ ? p.x : p.y; }
    // Lays the subviews out at the given lengths along the axis.
    void place(const std::vector<CGFloat>& lengths);
    long dividerAt(CGPoint inBounds) const;
    bool vertical_ = false;
};

}  // namespace AppKit
