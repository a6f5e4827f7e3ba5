#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "Foundation/CollectionDifference.hpp"
#include "Orrindle/Utilities/ArrayUtilities.hpp"
#include "Orrindle/Utilities/CollectionEditing.hpp"
#include "Orrindle/Utilities/TreeMove.hpp"

namespace {

using namespace Orrindle;
using Strings = std::vector<std::string>;

class Node : public TreeItem {
public:
    explicit Node(std::string id) : id_(std::move(id)) {}
    std::string displayName() const override { return "node " + id_; }
    std::string itemIdentifier() const override { return id_; }

private:
    std::string id_;
};
TreeItemPtr node(std::string id) { return std::make_shared<Node>(std::move(id)); }

TEST(TreeMove, OffsetCorrectsLaterMovesForEarlierRemovals) {
    auto item = node("x"), p = node("P"), q = node("Q"), samePAgain = node("P");
    struct Case {
        const char* name;
        std::vector<TreeMove::Ptr> moves;
        long expected;  // previousIndex of the second move afterwards
    };
    const std::vector<Case> cases = {
        // Both moves stay under P and go down: the first one's removal shifts the second.
        {"within one parent", {TreeMove::make(item, p, 1, p, 4), TreeMove::make(item, samePAgain, 3, p, 5)}, 2},
        // Both leave P: the first leaves a gap before the second.
        {"leaving one parent", {TreeMove::make(item, p, 1, q, 0), TreeMove::make(item, p, 3, q, 1)}, 2},
        {"earlier move below", {TreeMove::make(item, p, 5, q, 0), TreeMove::make(item, p, 3, q, 1)}, 3},
        {"moving up is not shifted", {TreeMove::make(item, p, 1, p, 4), TreeMove::make(item, p, 3, p, 0)}, 3},
        {"root parents compare equal", {TreeMove::make(item, nullptr, 0, q, 0), TreeMove::make(item, nullptr, 2, q, 1)}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto result = TreeMove::offset(c.moves);
        ASSERT_EQ(result.size(), 2u);
        EXPECT_EQ(result[0], c.moves[0]) << "an untouched entry is the input's own object";
        EXPECT_EQ(result[1]->previousIndex(), c.expected);
        EXPECT_EQ(result[1]->newIndex(), c.moves[1]->newIndex());
    }
    EXPECT_TRUE(TreeMove::offset({}).empty());
}

TEST(TreeMove, CorrectionsAccumulateAndReadOnlyTheInput) {
    auto x = node("x"), p = node("P"), q = node("Q");
    auto result = TreeMove::offset(
        {TreeMove::make(x, p, 0, q, 0), TreeMove::make(x, p, 1, q, 1), TreeMove::make(x, p, 2, q, 2)});
    EXPECT_EQ(result[1]->previousIndex(), 0);
    EXPECT_EQ(result[2]->previousIndex(), 0);
}

TEST(TreeMove, ParentListsReversalAndRoots) {
    auto x = node("x"), a = node("A"), b = node("B"), a2 = node("A");
    std::vector<TreeMove::Ptr> moves = {TreeMove::make(x, a, 1, b, 2), TreeMove::make(x, b, 3, a2, 4), TreeMove::make(x, a, 0, nullptr, 1)};
    auto ids = [](const std::vector<TreeItemPtr>& items) {
        Strings s;
        for (auto& i : items) s.push_back(i->itemIdentifier());
        return s;
    };
    EXPECT_EQ(ids(uniqueNewParents(moves)), (Strings{"B", "A"}));
    EXPECT_EQ(ids(uniquePreviousParents(moves)), (Strings{"A", "B"}));
    EXPECT_EQ(ids(uniqueParents(moves)), (Strings{"A", "B"}));
    EXPECT_TRUE(hasRootParents(moves));
    EXPECT_FALSE(hasRootParents({moves[0], moves[1]}));
    EXPECT_FALSE(hasRootParents({}));

    auto undo = reversed({moves[0], moves[1]});
    ASSERT_EQ(undo.size(), 2u);
    EXPECT_EQ(undo[0]->previousParent(), moves[1]->newParent());
    EXPECT_EQ(undo[0]->previousIndex(), 4);
    EXPECT_EQ(undo[0]->newIndex(), 3);
    EXPECT_EQ(undo[1]->previousIndex(), 2);
    EXPECT_EQ(undo[1]->newParent(), a);
}

TEST(CollectionEditing, AppendPrependAndRemoveByValue) {
    Strings s = {"b"};
    s += std::string("c");
    s += std::optional<std::string>();
    s += std::optional<std::string>("b");
    prepend(s, std::string("a"));
    EXPECT_EQ(s, (Strings{"a", "b", "c", "b"}));
    s -= std::string("b");
    s -= std::optional<std::string>("zz");
    EXPECT_EQ(s, (Strings{"a", "c", "b"}));
}

TEST(CollectionEditing, RemovalByIndexesIgnoresRepeatsAndStrayIndexes) {
    struct Case {
        std::vector<long> indexes;
        Strings left, removed;
    };
    const std::vector<Case> cases = {
        {{4, 1}, {"a", "c", "d"}, {"b", "e"}},
        {{1, 4}, {"a", "c", "d"}, {"b", "e"}},
        {{1, 1, 1}, {"a", "c", "d", "e"}, {"b"}},
        {{-1, 5, 99, 0}, {"b", "c", "d", "e"}, {"a"}},
        {{}, {"a", "b", "c", "d", "e"}, {}},
    };
    for (const auto& c : cases) {
        Strings s = {"a", "b", "c", "d", "e"};
        EXPECT_EQ(removeAt(s, c.indexes), c.removed);
        EXPECT_EQ(s, c.left);
        std::deque<std::string> d = {"a", "b", "c", "d", "e"};
        EXPECT_EQ(removeAtIndexes(d, c.indexes), c.removed) << "any range-replaceable container";
    }
}

TEST(CollectionEditing, MovesUsePositionsAfterTheRemovalClamped) {
    Strings s = {"a", "b", "c", "d"};
    move(s, 0, 2);
    EXPECT_EQ(s, (Strings{"b", "c", "a", "d"}));
    move(s, 0, 99);
    EXPECT_EQ(s, (Strings{"c", "a", "d", "b"}));
    move(s, 7, 0);  // no such element: nothing moves
    EXPECT_EQ(s, (Strings{"c", "a", "d", "b"}));
    move(s, {0, 2}, 1);
    EXPECT_EQ(s, (Strings{"a", "c", "d", "b"}));
    move(s, {3, 3, 8}, -4);
    EXPECT_EQ(s, (Strings{"b", "a", "c", "d"}));
}

TEST(CollectionEditing, ADifferenceAppliesInItsOwnOrder) {
    using Diff = Foundation::CollectionDifference<std::string>;
    const Strings from = {"a", "b", "c", "d", "e"}, to = {"x", "b", "d", "y", "e", "z"};
    const Diff diff = Diff::between(from, to);
    const auto changes = diff.changes();
    // Removals from the highest offset down, then insertions from the lowest up.
    std::vector<std::pair<bool, std::size_t>> order;
    for (auto& c : changes) order.emplace_back(c.kind == Diff::Change::Kind::remove, c.offset);
    EXPECT_EQ(order, (std::vector<std::pair<bool, std::size_t>>{{true, 2}, {true, 0}, {false, 0}, {false, 3}, {false, 5}}));
    Strings applied = from;
    applyInPlace(applied, diff);
    EXPECT_EQ(applied, to);

    auto shuffled = Diff::make({{Diff::Change::Kind::insert, 1, "q", std::nullopt}, {Diff::Change::Kind::remove, 0, "a", std::nullopt},
                                {Diff::Change::Kind::remove, 2, "c", std::nullopt}});
    ASSERT_TRUE(shuffled);
    Strings abc = {"a", "b", "c"};
    applyInPlace(abc, *shuffled);
    EXPECT_EQ(abc, (Strings{"b", "q"}));
    EXPECT_FALSE(Diff::make({{Diff::Change::Kind::remove, 0, "a", std::nullopt}, {Diff::Change::Kind::remove, 0, "b", std::nullopt}}));
}

TEST(ArrayUtilities, SafeAccessAndIndexLists) {
    const Strings s = {"a", "b", "c"};
    EXPECT_TRUE(hasElement(s, 2));
    EXPECT_FALSE(hasElement(s, 3));
    EXPECT_EQ(safe(s, -1), std::nullopt);
    EXPECT_EQ(safe(s, 1), "b");
    EXPECT_EQ(elements(s, {5, 0}), Strings{"a"});
    EXPECT_EQ(elements(s, {2, 2, -1}), (Strings{"c", "c"}));
    EXPECT_EQ(indexes(s, [](const std::string& e) { return e != "b"; }), (std::vector<long>{0, 2}));
}

// range(c) is start ..< end: every index of the collection once, in order, and no other.
TEST(ArrayUtilities, TheRangeRunsFromTheStartIndexUpToTheEndIndex) {
    auto indexesOf = [](const IndexRange& r) { return std::vector<long>(r.begin(), r.end()); };
    EXPECT_EQ(range(Strings{"a", "b", "c"}), (IndexRange{0, 3}));
    EXPECT_EQ(indexesOf(range(Strings{"a", "b", "c"})), (std::vector<long>{0, 1, 2}));
    EXPECT_EQ(indexesOf(range(std::string("xy"))), (std::vector<long>{0, 1}));
    EXPECT_EQ(indexesOf(range(std::deque<int>(4))), (std::vector<long>{0, 1, 2, 3}));
    EXPECT_TRUE(range(Strings{}).isEmpty());
    EXPECT_TRUE(indexesOf(range(Strings{})).empty());
    const Strings s = {"a", "b", "c"};
    EXPECT_EQ(range(s).count(), s.size());
    for (long i : {-1L, 0L, 2L, 3L}) EXPECT_EQ(range(s).contains(i), i == 0 || i == 2) << i;
    // A reversed range holds nothing and loops over nothing.
    EXPECT_TRUE((IndexRange{3, 1}).isEmpty());
    EXPECT_EQ((IndexRange{3, 1}).count(), 0u);
    EXPECT_TRUE(indexesOf(IndexRange{3, 1}).empty());
}

TEST(ArrayUtilities, RowMovesLandWhereTheDropRowEndsUp) {
    const Strings start = {"a", "b", "c", "d", "e"};
    struct Case {
        std::vector<long> rows;
        long to;
        Strings result;
    };
    const std::vector<Case> cases = {
        {{0, 1}, 4, {"c", "d", "a", "b", "e"}},
        {{3}, 0, {"d", "a", "b", "c", "e"}},
        {{1, 0, 1}, 4, {"c", "d", "a", "b", "e"}},
        {{4}, 5, {"a", "b", "c", "d", "e"}},
        {{0, 9}, 9, {"b", "c", "d", "e", "a"}},
        {{-2, 2}, 0, {"c", "a", "b", "d", "e"}},
    };
    for (const auto& c : cases) {
        Strings s = start;
        moveInPlace(s, c.rows, c.to);
        EXPECT_EQ(s, c.result);
        EXPECT_EQ(moved(start, Foundation::IndexSet::from(c.rows), c.to), c.result);
    }
    Strings s = start;
    moveInPlace(s, 2L, 2L);
    EXPECT_EQ(s, start);
    moveInPlace(s, 0L, 3L);
    EXPECT_EQ(s, (Strings{"b", "c", "a", "d", "e"}));
}

TEST(ArrayUtilities, RemovalByValueTakesTheFirstMatch) {
    std::vector<int> v = {1, 2, 1};
    removeInPlace(v, 1);
    EXPECT_EQ(v, (std::vector<int>{2, 1}));
    EXPECT_EQ(removing(std::vector<int>{1, 2, 1, 3}, std::vector<int>{1, 3, 7}), (std::vector<int>{2, 1}));
}

}  // namespace
