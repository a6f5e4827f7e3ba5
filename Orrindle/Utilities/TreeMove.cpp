#include "Orrindle/Utilities/TreeMove.hpp"

#include <algorithm>

namespace Orrindle {

bool sameParent(const TreeItemPtr& a, const TreeItemPtr& b) {
    if (!a || !b) return !a && !b;
    return a->itemIdentifier() == b->itemIdentifier();
}

std::vector<TreeMove::Ptr> TreeMove::offset(const std::vector<Ptr>& moves) {
    std::vector<Ptr> result = moves;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const TreeMove& a = *moves[i];
        for (std::size_t j = i + 1; j < moves.size(); ++j) {
            const TreeMove& b = *moves[j];
            const bool withinOneParent = sameParent(a.previousParent_, a.newParent_) && sameParent(b.newParent_, a.newParent_) &&
                                         a.previousIndex_ < b.previousIndex_ && a.previousIndex_ < a.newIndex_ &&
                                         b.previousIndex_ < b.newIndex_;
            const bool leftSameParent = sameParent(b.previousParent_, a.previousParent_) &&
                                        !sameParent(b.previousParent_, b.newParent_) && a.previousIndex_ < b.previousIndex_;
            if (withinOneParent || leftSameParent) {
                const TreeMove& r = *result[j];
                result[j] = make(r.item_, r.previousParent_, r.previousIndex_ - 1, r.newParent_, r.newIndex_);
            }
        }
    }
    return result;
}

namespace {
void addUnique(std::vector<TreeItemPtr>& list, const TreeItemPtr& parent) {
    if (!parent) return;
    if (std::none_of(list.begin(), list.end(), [&](const TreeItemPtr& p) { return sameParent(p, parent); })) list.push_back(parent);
}
}  // namespace

std::vector<TreeItemPtr> uniqueNewParents(const std::vector<TreeMove::Ptr>& moves) {
    std::vector<TreeItemPtr> list;
    for (auto& m : moves) addUnique(list, m->newParent());
    return list;
}

std::vector<TreeItemPtr> uniquePreviousParents(const std::vector<TreeMove::Ptr>& moves) {
    std::vector<TreeItemPtr> list;
    for (auto& m : moves) addUnique(list, m->previousParent());
    return list;
}

std::vector<TreeItemPtr> uniqueParents(const std::vector<TreeMove::Ptr>& moves) {
    std::vector<TreeItemPtr> list;
    for (auto& m : moves) {
        addUnique(list, m->previousParent());
        addUnique(list, m->newParent());
    }
    return list;
}

std::vector<TreeMove::Ptr> reversed(const std::vector<TreeMove::Ptr>& moves) {
    std::vector<TreeMove::Ptr> list;
    for (auto it = moves.rbegin(); it != moves.rend(); ++it) {
        const TreeMove& m = **it;
        list.push_back(TreeMove::make(m.item(), m.newParent(), m.newIndex(), m.previousParent(), m.previousIndex()));
    }
    return list;
}

bool hasRootParents(const std::vector<TreeMove::Ptr>& moves) {
    return std::any_of(moves.begin(), moves.end(), [](auto& m) { return !m->previousParent() || !m->newParent(); });
}

}  // namespace Orrindle
