#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSControl.hpp"

namespace AppKit {

class NSColor;

// Rows of views, top to bottom (the view is flipped), each rowHeight high; a subclass says how
// many rows there are (numberOfRows) and lays their views out in tile(). Views are made through
// makeView(withIdentifier:owner:), which hands out a view of that identifier that left the
// table earlier before it makes none.
class NSTableView : public NSControl {
    VZ_OBJECT(NSTableView, NSControl)
public:
    using Ptr = std::shared_ptr<NSTableView>;

    // Held weakly; a subclass's own protocols are looked up on them by type.
    std::shared_ptr<Runtime::NSObject> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<Runtime::NSObject>& delegate) { delegate_ = delegate; }
    std::shared_ptr<Runtime::NSObject> dataSource() const { return dataSource_.lock(); }
    void setDataSource(const std::shared_ptr<Runtime::NSObject>& dataSource);

    CGFloat rowHeight() const { return rowHeight_; }
    void setRowHeight(CGFloat height);
    virtual long numberOfRows() const { return 0; }
    // The row at a point of the table; -1 outside every row.
    long row(CGPoint at) const;
    CGRect rect(long ofRow) const;

    std::shared_ptr<NSColor> backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::shared_ptr<NSColor> color);

    virtual NSView::Ptr makeView(const std::string& withIdentifier, Runtime::NSObject* owner);
    virtual void reloadData();

    bool isFlipped() const override { return true; }
    void draw(CGRect dirtyRect) override;

protected:
    NSTableView() = default;
    explicit NSTableView(CGRect frame) : NSControl(frame) {}
    // Puts the row views in place; the base removes every row view, keeping it for reuse.
    virtual void tile();
    void recycleRowViews();

private:
    std::weak_ptr<Runtime::NSObject> delegate_, dataSource_;
    CGFloat rowHeight_ = 20;
    std::shared_ptr<NSColor> backgroundColor_;
    std::multimap<std::string, NSView::Ptr> reusable_;
};

}  // namespace AppKit
