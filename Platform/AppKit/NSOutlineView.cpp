#include "AppKit/NSOutlineView.hpp"

#include <algorithm>
#include <functional>
#include <string>

#include "AppKit/NSAnimationContext.hpp"
#include "AppKit/NSButton.hpp"

namespace AppKit {

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> NSOutlineView::classActions() {
    return {Runtime::action("toggleDisclosure:", &NSOutlineView::toggleDisclosure)};
}

bool NSOutlineView::sameItem(const std::any& a, const std::any& b) {
    if (!a.has_value() || !b.has_value()) return a.has_value() == b.has_value();
    if (a.type() != b.type()) return false;
    if (auto* p = std::any_cast<std::shared_ptr<Runtime::NSObject>>(&a)) return *p == std::any_cast<std::shared_ptr<Runtime::NSObject>>(b);
    if (auto* s = std::any_cast<std::string>(&a)) return *s == std::any_cast<std::string>(b);
    if (auto* i = std::any_cast<int>(&a)) return *i == std::any_cast<int>(b);
    if (auto* l = std::any_cast<long>(&a)) return *l == std::any_cast<long>(b);
    if (auto* d = std::any_cast<double>(&a)) return *d == std::any_cast<double>(b);
    return &a == &b;
}

NSOutlineViewDataSource* NSOutlineView::source() const { return dynamic_cast<NSOutlineViewDataSource*>(dataSource().get()); }

void NSOutlineView::load(Node& node) {
    if (node.loaded) return;
    node.loaded = true;
    node.children.clear();
    auto* s = source();
    if (!s) return;
    const long n = s->outlineViewNumberOfChildren(*this, node.item);
    for (long i = 0; i < n; ++i) {
        auto child = std::make_unique<Node>();
        child->item = s->outlineViewChild(*this, i, node.item);
        node.children.push_back(std::move(child));
    }
}

// Asks again for the children, keeping the expansion of items that are still there.
void NSOutlineView::reload(Node& node) {
    auto old = std::move(node.children);
    node.loaded = false;
    load(node);
    for (auto& child : node.children) {
        for (auto& was : old)
            if (was && sameItem(was->item, child->item)) {
                child->expanded = was->expanded && isExpandable(child->item);
                break;
            }
        if (child->expanded) reload(*child);
    }
}

NSOutlineView::Node* NSOutlineView::find(const std::any& item) const {
    std::function<Node*(const Node&)> search = [&](const Node& n) -> Node* {
        for (auto& c : n.children) {
            if (sameItem(c->item, item)) return c.get();
            if (auto* found = search(*c)) return found;
        }
        return nullptr;
    };
    if (!item.has_value()) return const_cast<Node*>(&root_);
    return search(root_);
}

std::pair<const NSOutlineView::Node*, long> NSOutlineView::locate(const std::any& item) const {
    std::function<std::pair<const Node*, long>(const Node&)> search = [&](const Node& n) -> std::pair<const Node*, long> {
        for (std::size_t i = 0; i < n.children.size(); ++i)
            if (sameItem(n.children[i]->item, item)) return {&n, long(i)};
        for (auto& c : n.children)
            if (auto found = search(*c); found.first) return found;
        return {nullptr, -1};
    };
    if (!item.has_value()) return {nullptr, -1};
    return search(root_);
}

std::any NSOutlineView::parent(const std::any& forItem) const {
    const auto [holder, index] = locate(forItem);
    return holder && holder != &root_ ? holder->item : std::any();
}

long NSOutlineView::childIndex(const std::any& forItem) const { return locate(forItem).second; }

void NSOutlineView::rebuildRows() {
    rows_.clear();
    std::function<void(Node&, long)> walk = [&](Node& n, long level) {
        for (auto& c : n.children) {
            rows_.push_back({c.get(), level});
            if (c->expanded) walk(*c, level + 1);
        }
    };
    walk(root_, 0);
}

void NSOutlineView::rebuildRowsKeepingSelection() {
    std::vector<std::any> selected;
    for (long r : selectedRowIndexes()) selected.push_back(item(r));
    const std::any last = item(selectedRow()), anchor = item(anchorRow());
    rebuildRows();
    if (selected.empty() && !anchor.has_value()) return;
    Foundation::IndexSet rows;
    for (const auto& i : selected)
        if (const long r = row(i); r >= 0) rows.insert(r);
    moveSelection(std::move(rows), row(last), row(anchor));
}

std::any NSOutlineView::item(long atRow) const {
    if (atRow < 0 || atRow >= numberOfRows()) return {};
    return rows_[std::size_t(atRow)].first->item;
}

long NSOutlineView::row(const std::any& forItem) const {
    for (std::size_t r = 0; r < rows_.size(); ++r)
        if (sameItem(rows_[r].first->item, forItem)) return long(r);
    return -1;
}

long NSOutlineView::level(long forRow) const {
    return forRow >= 0 && forRow < numberOfRows() ? rows_[std::size_t(forRow)].second : -1;
}

bool NSOutlineView::isItemExpanded(const std::any& item) const {
    auto* n = find(item);
    return n && n->expanded;
}

bool NSOutlineView::isExpandable(const std::any& item) const {
    auto* s = source();
    return s && item.has_value() && s->outlineViewIsItemExpandable(const_cast<NSOutlineView&>(*this), item);
}

void NSOutlineView::setExpanded(Node& node, bool expanded, bool recursively) {
    if (expanded && !isExpandable(node.item)) return;
    node.expanded = expanded;
    if (expanded) load(node);
    if (recursively)
        for (auto& c : node.children) setExpanded(*c, expanded, true);
}

void NSOutlineView::expandItem(const std::any& item, bool expandChildren) {
    auto* n = find(item);
    if (!n || n == &root_) return;
    lastAnimated_ = NSAnimationContext::current().duration() > 0;
    setExpanded(*n, true, expandChildren);
    rebuildRowsKeepingSelection();
    tile();
}

void NSOutlineView::collapseItem(const std::any& item, bool collapseChildren) {
    auto* n = find(item);
    if (!n || n == &root_) return;
    n->expanded = false;
    if (collapseChildren)
        for (auto& c : n->children) setExpanded(*c, false, true);
    rebuildRowsKeepingSelection();
    tile();
}

CGRect NSOutlineView::frameOfOutlineCell(long atRow) const {
    if (!isExpandable(item(atRow))) return {};
    const CGRect r = rect(atRow);
    return {CGFloat(level(atRow)) * indentationPerLevel(), r.minY(), indentationPerLevel(), r.height()};
}

NSView::Ptr NSOutlineView::makeView(const std::string& identifier, Runtime::NSObject* owner) {
    if (auto reused = NSTableView::makeView(identifier, owner)) return reused;
    if (identifier != disclosureButtonIdentifier) return nullptr;
    auto button = Runtime::make<NSButton>(CGRect{});
    button->setIdentifier(identifier);
    button->setButtonType(NSButtonType::pushOnPushOff);
    button->setBordered(false);
    button->setImagePosition(NSCellImagePosition::imageOnly);
    return button;
}

void NSOutlineView::didInit() {
    NSTableView::didInit();
    setIntercellSpacing({0, 0});
}

void NSOutlineView::reloadData() {
    reload(root_);
    rebuildRows();
    NSTableView::reloadData();
}

void NSOutlineView::tile() {
    recycleRowViews();
    auto* delegate = dynamic_cast<NSOutlineViewDelegate*>(this->delegate().get());
    for (long r = 0; r < numberOfRows(); ++r) {
        const auto& [node, lvl] = rows_[std::size_t(r)];
        const CGRect rowRect = rect(r);
        const CGFloat indent = CGFloat(lvl + 1) * indentationPerLevel();
        if (isExpandable(node->item)) {
            if (auto button = std::dynamic_pointer_cast<NSButton>(makeView(disclosureButtonIdentifier, this))) {
                button->setFrame(frameOfOutlineCell(r));
                button->setState(node->expanded ? NSControlStateValue::on : NSControlStateValue::off);
                button->setTarget(sharedAs<Runtime::NSObject>());
                button->setAction(Runtime::Selector("toggleDisclosure:"));
                addSubview(button);
            }
        }
        if (delegate)
            if (auto view = delegate->outlineViewViewFor(*this, node->item)) {
                view->setFrame({indent, rowRect.minY(), std::max<CGFloat>(0, rowRect.width() - indent), rowRect.height()});
                addSubview(view);
            }
    }
    setNeedsDisplay(true);
}

void NSOutlineView::toggleDisclosure(Runtime::NSObject* sender) {
    auto* button = dynamic_cast<NSView*>(sender);
    if (!button) return;
    const auto it = item(row(CGPoint{button->frame().midX(), button->frame().midY()}));
    if (!it.has_value()) return;
    if (isItemExpanded(it))
        collapseItem(it);
    else
        expandItem(it);
}

}  // namespace AppKit
