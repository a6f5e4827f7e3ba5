#pragma once
#include <any>
#include <memory>
#include <vector>

#include "AppKit/NSTableView.hpp"

namespace AppKit {

class NSOutlineView;

// What an outline shows: children of an item (an empty item is the root) and whether an item
// can open. Looked up on the outline's data source object by type.
class NSOutlineViewDataSource {
public:
    virtual ~NSOutlineViewDataSource() = default;
    virtual long outlineViewNumberOfChildren(NSOutlineView& outlineView, const std::any& ofItem) = 0;
    virtual std::any outlineViewChild(NSOutlineView& outlineView, long index, const std::any& ofItem) = 0;
    virtual bool outlineViewIsItemExpandable(NSOutlineView& outlineView, const std::any& item) = 0;
};

// The view of each row's item; looked up on the outline's delegate object by type.
class NSOutlineViewDelegate {
public:
    virtual ~NSOutlineViewDelegate() = default;
    virtual NSView::Ptr outlineViewViewFor(NSOutlineView& outlineView, const std::any& item) = 0;
};

// A table of a tree's visible items: the root's children, and below an expanded item its
// children, indented a level further. Items are values of any type; two items are the same when
// they hold the same object (a shared_ptr to an NSObject), the same string or the same number.
// Each expandable row gets a disclosure button from makeView(disclosureButtonIdentifier) (a
// push-on-push-off button without a border, made when none is left to reuse), on while its
// item is expanded; clicking it opens or closes the item. Expanding reads the current animation
// context: a duration of 0 expands at once (lastExpansionAnimated() false). Opening or closing
// an item keeps the selection on the items selected; those it hides leave the selection.
class NSOutlineView : public NSTableView {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();

private:
    VZ_OBJECT(NSOutlineView, NSTableView)
public:
    using Ptr = std::shared_ptr<NSOutlineView>;
    static constexpr const char* disclosureButtonIdentifier = "NSOutlineViewDisclosureButtonKey";
    static bool sameItem(const std::any& a, const std::any& b);

    long numberOfRows() const override { return long(rows_.size()); }
    // Empty outside the rows.
    std::any item(long atRow) const;
    long row(const std::any& forItem) const;
    using NSTableView::row;
    long level(long forRow) const;
    bool isItemExpanded(const std::any& item) const;
    bool isExpandable(const std::any& item) const;
    // Among the items the outline has loaded: the item one lies under (empty for a top-level
    // item) and its place among that parent's children (-1 for an item it does not hold).
    std::any parent(const std::any& forItem) const;
    long childIndex(const std::any& forItem) const;
    virtual void expandItem(const std::any& item, bool expandChildren = false);
    virtual void collapseItem(const std::any& item, bool collapseChildren = false);
    // Where the row's disclosure button goes.
    virtual CGRect frameOfOutlineCell(long atRow) const;
    CGFloat indentationPerLevel() const { return 16; }
    bool lastExpansionAnimated() const { return lastAnimated_; }

    NSView::Ptr makeView(const std::string& withIdentifier, Runtime::NSObject* owner) override;
    void reloadData() override;
    void tile() override;
    // Rows follow each other without spacing.
    void didInit() override;
    // The disclosure buttons' action.
    void toggleDisclosure(Runtime::NSObject* sender);

protected:
    NSOutlineView() = default;
    explicit NSOutlineView(CGRect frame) : NSTableView(frame) {}

private:
    struct Node {
        std::any item;
        bool expanded = false, loaded = false;
        std::vector<std::unique_ptr<Node>> children;
    };
    NSOutlineViewDataSource* source() const;
    void load(Node& node);
    void reload(Node& node);
    Node* find(const std::any& item) const;
    // The loaded node that holds `item` as a child, and the child's index; null, -1 without one.
    std::pair<const Node*, long> locate(const std::any& item) const;
    void setExpanded(Node& node, bool expanded, bool recursively);
    void rebuildRows();
    // The rows again after items opened or closed: the selection stays with its items, and
    // those now hidden leave it.
    void rebuildRowsKeepingSelection();

    Node root_;
    std::vector<std::pair<Node*, long>> rows_;  // node and level
    bool lastAnimated_ = false;
};

}  // namespace AppKit
