#pragma once
#include <any>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSControl.hpp"
#include "AppKit/NSTableRowView.hpp"
#include "Foundation/IndexSet.hpp"

namespace Foundation {
class Notification;
}

namespace AppKit {

class NSColor;
class NSTableColumn;
class NSTableHeaderView;
class NSTableView;

// How many rows a table has and what each cell holds; looked up on the table's data source
// object by type.
class NSTableViewDataSource {
public:
    virtual ~NSTableViewDataSource() = default;
    virtual long numberOfRowsInTableView(NSTableView& tableView) = 0;
    // Given to a cell view that is an NSTableCellView as its object value; empty by default.
    virtual std::any tableViewObjectValue(NSTableView& tableView, NSTableColumn* column, long row) {
        (void)tableView, (void)column, (void)row;
        return {};
    }
};

// The views of a table's rows and what the user may do with them; looked up on the table's
// delegate object by type. Every method has a default.
class NSTableViewDelegate {
public:
    virtual ~NSTableViewDelegate() = default;
    // The view of one cell; for a group row the column is null and the view spans the row.
    virtual std::shared_ptr<NSView> tableViewViewFor(NSTableView& tableView, NSTableColumn* column, long row) {
        (void)tableView, (void)column, (void)row;
        return nullptr;
    }
    // The row's view behind its cells; a plain NSTableRowView when none.
    virtual std::shared_ptr<NSTableRowView> tableViewRowViewForRow(NSTableView& tableView, long row) {
        (void)tableView, (void)row;
        return nullptr;
    }
    virtual bool tableViewIsGroupRow(NSTableView& tableView, long row) { (void)tableView, (void)row; return false; }
    // The row's height; the table's row height when none.
    virtual std::optional<CGFloat> tableViewHeightOfRow(NSTableView& tableView, long row) {
        (void)tableView, (void)row;
        return std::nullopt;
    }
    // Whether the user may select the row (by mouse or keyboard).
    virtual bool tableViewShouldSelectRow(NSTableView& tableView, long row) { (void)tableView, (void)row; return true; }
    // After the selection changed; the notification's object is the table.
    virtual void tableViewSelectionDidChange(const Foundation::Notification& notification) { (void)notification; }
};

// How the columns share a table's width, with the platform's raw values: not at all, or, in a
// scroll view, the last visible column grows to take up what is left of the visible width (it
// never shrinks below the width it was given).
enum class NSTableViewColumnAutoresizingStyle : unsigned long { none = 0, lastColumnOnly = 4 };

// A view-based table: rows top to bottom (the view is flipped), each a row view with one cell
// view per visible column (a group row one view across the row), from the data source and the
// delegate. Views come from makeView(withIdentifier:owner:), which hands out a view of that
// identifier that left the table earlier (after prepareForReuse) before it makes none.
// - Size: inside a clip view the table is at least as large as what the clip view shows; its
//   columns are laid out left to right with intercellSpacing between them. The header view
//   (made with the table) shows the columns' titles above it in a scroll view.
// - Selection: a click selects the row under it (Command toggles and Shift extends with
//   multiple selection; a click below the rows empties the selection when that is allowed);
//   Up and Down move it (Shift extends), Home and End go to the ends; rows the delegate refuses
//   are skipped, in an extended selection too. Changes post selectionDidChangeNotification and tell the delegate.
// - Clicks reach buttons and other controls in the rows; a text field takes a click only when
//   it is editable and its row is already selected, otherwise the click selects the row.
// - Row views are emphasized while the table (or a field it holds being edited) has the focus
//   in the key window.
class NSTableView : public NSControl {
    VZ_OBJECT(NSTableView, NSControl)
public:
    using Ptr = std::shared_ptr<NSTableView>;
    static constexpr const char* selectionDidChangeNotification = "NSTableViewSelectionDidChangeNotification";
    static constexpr const char* columnDidResizeNotification = "NSTableViewColumnDidResizeNotification";

    // Held weakly; a subclass's own protocols are looked up on them by type.
    std::shared_ptr<Runtime::NSObject> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<Runtime::NSObject>& delegate);
    std::shared_ptr<Runtime::NSObject> dataSource() const { return dataSource_.lock(); }
    void setDataSource(const std::shared_ptr<Runtime::NSObject>& dataSource);

    // --- Columns -------------------------------------------------------------------------------
    const std::vector<std::shared_ptr<NSTableColumn>>& tableColumns() const { return columns_; }
    void addTableColumn(const std::shared_ptr<NSTableColumn>& column);
    void removeTableColumn(const std::shared_ptr<NSTableColumn>& column);
    // The index of the column with the identifier; -1 for none.
    long column(const std::string& withIdentifier) const;
    // The visible column at a point of the table; -1 outside every one.
    long column(CGPoint at) const;
    // The column's rectangle across all rows, its share of the spacing included; empty for a
    // hidden column or one the table does not have (the platform's rect(ofColumn:)).
    CGRect rectOfColumn(long column) const;
    CoreGraphics::CGSize intercellSpacing() const { return intercellSpacing_; }
    void setIntercellSpacing(CoreGraphics::CGSize spacing);
    NSTableViewColumnAutoresizingStyle columnAutoresizingStyle() const { return autoresizing_; }
    void setColumnAutoresizingStyle(NSTableViewColumnAutoresizingStyle style);
    // A column's width changed (the column calls it): the table lays out again and posts
    // columnDidResizeNotification.
    void columnDidResize(NSTableColumn& column);

    std::shared_ptr<NSTableHeaderView> headerView() const { return headerView_; }
    void setHeaderView(const std::shared_ptr<NSTableHeaderView>& header);

    // --- Rows ----------------------------------------------------------------------------------
    CGFloat rowHeight() const { return rowHeight_; }
    void setRowHeight(CGFloat height);
    virtual long numberOfRows() const { return rowCount_; }
    // The row at a point of the table; -1 outside every row.
    long row(CGPoint at) const;
    // The row a view of the table lies in (a row view or anything inside one); -1 for a view
    // that is not in one of the table's rows.
    long row(const NSView& forView) const;
    CGRect rect(long ofRow) const;
    bool isGroupRow(long row) const;
    std::shared_ptr<NSTableRowView> rowView(long atRow) const;
    std::shared_ptr<NSView> view(long atColumn, long row) const;
    // Scrolls the enclosing scroll view the least that shows the whole row.
    void scrollRowToVisible(long row);

    // --- Selection -----------------------------------------------------------------------------
    const Foundation::IndexSet& selectedRowIndexes() const { return selection_; }
    // The row selected last; -1 without a selection.
    long selectedRow() const;
    long numberOfSelectedRows() const { return long(selection_.count()); }
    // The row under the last mouse-down, kept for the actions it leads to; during a right-click,
    // the row under it while its context menu is open. -1 for a click outside the rows, after
    // the context menu, and before any click.
    long clickedRow() const { return clickedRow_ < numberOfRows() ? clickedRow_ : -1; }
    void selectRowIndexes(const Foundation::IndexSet& indexes, bool byExtendingSelection);
    void deselectRow(long row);
    void deselectAll(Runtime::NSObject* sender = nullptr);
    bool isRowSelected(long row) const { return selection_.contains(row); }
    bool allowsMultipleSelection() const { return allowsMultiple_; }
    void setAllowsMultipleSelection(bool flag) { allowsMultiple_ = flag; }
    bool allowsEmptySelection() const { return allowsEmpty_; }
    void setAllowsEmptySelection(bool flag) { allowsEmpty_ = flag; }
    NSTableViewSelectionHighlightStyle selectionHighlightStyle() const { return highlightStyle_; }
    void setSelectionHighlightStyle(NSTableViewSelectionHighlightStyle style);

    std::shared_ptr<NSColor> backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(std::shared_ptr<NSColor> color);

    virtual NSView::Ptr makeView(const std::string& withIdentifier, Runtime::NSObject* owner);
    virtual void reloadData();
    // Lays out the rows, their cells and the table's own size again.
    virtual void tile();

    bool isFlipped() const override { return true; }
    bool acceptsFirstResponder() const override { return true; }
    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;
    void viewDidMoveToWindow() override;
    NSView::Ptr hitTest(CGPoint point) override;
    void mouseDown(const NSEvent& event) override;
    void rightMouseDown(const NSEvent& event) override;
    void keyDown(const NSEvent& event) override;
    void draw(CGRect dirtyRect) override;
    void didInit() override;

protected:
    NSTableView() = default;
    explicit NSTableView(CGRect frame) : NSControl(frame) {}
    // Removes every row view and every view of the rows, keeping those with an identifier for
    // reuse.
    void recycleRowViews();
    // The table's size for its content and its clip view; the header follows its width.
    void sizeToContent(CGFloat contentHeight);
    // For a subclass whose rows move under the selection (an outline opening or closing an item
    // above it): the selection, the row selected last and the anchor of an extended selection
    // put on the rows where they are now (-1 for gone). The change is announced only when rows
    // dropped out of the selection.
    void moveSelection(Foundation::IndexSet rows, long lastSelected, long anchor);
    long anchorRow() const { return anchor_; }

private:
    friend class NSTableColumn;
    NSTableViewDelegate* tableDelegate() const;
    NSTableViewDataSource* tableDataSource() const;
    void sizeLastColumnToFit();
    CGFloat columnsWidth() const;
    void layOutRow(long row, NSTableRowView& rowView);
    bool canSelect(long row) const;
    // The nearest row from `from` in steps of `step` that may be selected; -1 for none.
    long selectableRow(long from, long step) const;
    // The rows from one to the other that may be selected (an extended selection passes over
    // the others).
    Foundation::IndexSet selectableRange(long a, long b) const;
    void changeSelection(Foundation::IndexSet indexes, long lastSelected);
    void updateRowViews();
    void updateEmphasis();
    bool hasFocus() const;

    std::weak_ptr<Runtime::NSObject> delegate_, dataSource_;
    std::vector<std::shared_ptr<NSTableColumn>> columns_;
    std::shared_ptr<NSTableHeaderView> headerView_;
    CGFloat rowHeight_ = 20;
    long rowCount_ = 0;
    std::vector<CGFloat> rowTops_;  // each row's top, and the bottom of the last one
    CoreGraphics::CGSize intercellSpacing_{3, 2};
    NSTableViewColumnAutoresizingStyle autoresizing_ = NSTableViewColumnAutoresizingStyle::lastColumnOnly;
    std::vector<std::shared_ptr<NSTableRowView>> rowViews_;
    Foundation::IndexSet selection_;
    long lastSelected_ = -1;
    long anchor_ = -1;  // where a Shift-extended selection starts
    long clickedRow_ = -1;
    bool allowsMultiple_ = false, allowsEmpty_ = true;
    NSTableViewSelectionHighlightStyle highlightStyle_ = NSTableViewSelectionHighlightStyle::regular;
    std::shared_ptr<NSColor> backgroundColor_;
    std::multimap<std::string, NSView::Ptr> reusable_;
    bool tiling_ = false;
    struct Fill {
        std::weak_ptr<NSTableColumn> column;
        CGFloat ownWidth = 0, filledWidth = 0;
    } filled_;  // the last column's growth, taken back before the next layout
};

}  // namespace AppKit
