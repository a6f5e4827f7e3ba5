#pragma once
#include <memory>

#include "AppKit/NSView.hpp"

namespace AppKit {

class NSTableView;

// The row of column titles above a table, as wide as the table: each visible column's header
// cell drawn in the column's header rectangle. Dragging within 3 points of a resizable
// column's right edge changes the column's width. Flipped, 24 points high unless set.
class NSTableHeaderView : public NSView {
    VZ_OBJECT(NSTableHeaderView, NSView)
public:
    using Ptr = std::shared_ptr<NSTableHeaderView>;
    static constexpr CGFloat defaultHeight = 24;

    // Held weakly; the table sets it when it takes the header.
    virtual std::shared_ptr<NSTableView> tableView() const { return table_.lock(); }
    virtual void setTableView(const std::shared_ptr<NSTableView>& table);

    // The column's part of the header; empty for a column the table does not have.
    CGRect headerRect(long ofColumn) const;
    // The column under a point of the header; -1 for none.
    long column(CGPoint at) const;
    // The column whose right edge lies within 3 points of the point and that may be resized;
    // -1 for none.
    long resizableColumn(CGPoint at) const;

    bool isFlipped() const override { return true; }
    void draw(CGRect dirtyRect) override;
    void mouseDown(const NSEvent& event) override;

protected:
    NSTableHeaderView() = default;
    explicit NSTableHeaderView(CGRect frame) : NSView(frame) {}

private:
    std::weak_ptr<NSTableView> table_;
};

}  // namespace AppKit
