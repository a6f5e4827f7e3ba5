#pragma once
#include <memory>
#include <string>
#include <vector>

namespace Orrindle {

// An item of a tree that moves can refer to; two items are the same item when their
// identifiers are equal.
class TreeItem {
public:
    virtual ~TreeItem() = default;
    virtual std::string displayName() const = 0;
    virtual std::string itemIdentifier() const = 0;
};
using TreeItemPtr = std::shared_ptr<TreeItem>;

// One item moved from (previousParent, previousIndex) to (newParent, newIndex); a null parent
// is the tree's root. Immutable.
class TreeMove {
public:
    using Ptr = std::shared_ptr<const TreeMove>;

    static Ptr make(TreeItemPtr item, TreeItemPtr previousParent, long previousIndex, TreeItemPtr newParent, long newIndex) {
        return std::make_shared<const TreeMove>(std::move(item), std::move(previousParent), previousIndex, std::move(newParent),
                                                newIndex);
    }
    TreeMove(TreeItemPtr item, TreeItemPtr previousParent, long previousIndex, TreeItemPtr newParent, long newIndex)
        : item_(std::move(item)), previousParent_(std::move(previousParent)), previousIndex_(previousIndex),
          newParent_(std::move(newParent)), newIndex_(newIndex) {}

    const TreeItemPtr& item() const { return item_; }
    const TreeItemPtr& previousParent() const { return previousParent_; }
    long previousIndex() const { return previousIndex_; }
    const TreeItemPtr& newParent() const { return newParent_; }
    long newIndex() const { return newIndex_; }

    // The batch with each later move's previousIndex lowered by one for every earlier move
    // whose removal shifts it, so the moves can be replayed one after another. Entries left
    // alone are the input's own objects.
    static std::vector<Ptr> offset(const std::vector<Ptr>& moves);

private:
    TreeItemPtr item_, previousParent_;
    long previousIndex_;
    TreeItemPtr newParent_;
    long newIndex_;
};

// Parents compared by identifier; null (the root) equals only null.
bool sameParent(const TreeItemPtr& a, const TreeItemPtr& b);

// Distinct parents in first-seen order.
std::vector<TreeItemPtr> uniqueNewParents(const std::vector<TreeMove::Ptr>& moves);
std::vector<TreeItemPtr> uniquePreviousParents(const std::vector<TreeMove::Ptr>& moves);
// Each move's previous parent, then its new parent.
std::vector<TreeItemPtr> uniqueParents(const std::vector<TreeMove::Ptr>& moves);
// The batch that undoes `moves`: reverse order, each move inverted.
std::vector<TreeMove::Ptr> reversed(const std::vector<TreeMove::Ptr>& moves);
// Whether any move starts or ends at the root.
bool hasRootParents(const std::vector<TreeMove::Ptr>& moves);

}  // namespace Orrindle
