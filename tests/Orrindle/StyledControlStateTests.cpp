#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Orrindle/Styles/StyledControlState.hpp"

namespace {

using Orrindle::StyledControlState;
using S = StyledControlState;

TEST(StyledControlState, DescribesTheDefinedBitsInAscendingOrder) {
    struct Case {
        StyledControlState state;
        const char* description;
    };
    for (const auto& c : std::vector<Case>{{{S::default_, S::on}, "default, on"},
                                           {{S::invalid, S::disabled}, "disabled, invalid"},
                                           {S(255), "default, disabled, selected, highlighted, focused, on, mixed, invalid"},
                                           {S(0), ""},
                                           {S(256), ""},
                                           {S(256 | 16), "focused"}})
        EXPECT_EQ(c.state.description(), c.description) << c.state.rawValue();
}

TEST(StyledControlState, CountsOnlyTheSevenScoredOptions) {
    struct Case {
        StyledControlState state;
        int count;
    };
    for (const auto& c : std::vector<Case>{{{S::default_}, 0},
                                           {S(255), 7},
                                           {S(256), 0},
                                           {{S::focused, S::invalid}, 2},
                                           {S(-1), 7}})
        EXPECT_EQ(c.state.countOfSetOptions(), c.count) << c.state;
}

TEST(StyledControlState, ToArrayAlwaysStartsWithDefault) {
    using List = std::vector<StyledControlState>;
    EXPECT_EQ(S(0).toArray(), List{S::default_});
    EXPECT_EQ((S{S::on, S::mixed}).toArray(), (List{S::default_, S::on, S::mixed}));
    EXPECT_EQ((S{S::default_, S::selected}).toArray(), (List{S::default_, S::selected}));
    EXPECT_EQ(S(255 | 512).toArray().size(), 8u) << "unknown bits are left out";
    EXPECT_EQ(S::allStates.size(), 7u);
    EXPECT_FALSE(std::find(S::allStates.begin(), S::allStates.end(), S::default_) != S::allStates.end());
}

TEST(StyledControlState, SetAlgebraWorksOnTheRawValue) {
    const S a{S::default_, S::on, S::highlighted};  // 41
    EXPECT_TRUE(S{S::on}.isSubset(a));
    EXPECT_FALSE((S{S::on, S::mixed}).isSubset(S{S::on}));
    EXPECT_TRUE(a.isSuperset(S{S::on}));
    EXPECT_TRUE(a.isDisjoint(S{S::mixed}));
    EXPECT_EQ(a.union_(S::mixed).rawValue(), 105);
    EXPECT_EQ(a.intersection(S{S::on, S::mixed}), S::on);
    EXPECT_EQ(a.symmetricDifference(S{S::on, S::mixed}).rawValue(), 1 + 8 + 64);
    EXPECT_EQ(a.subtracting(S::on).rawValue(), 9);
    EXPECT_EQ(a | S::mixed, a.union_(S::mixed));
    EXPECT_EQ(a & S::on, S::on);
    EXPECT_EQ((a ^ S::on).rawValue(), 9);

    const S empty{};
    EXPECT_EQ(empty, S(0));
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.contains(S::default_));
    EXPECT_TRUE(empty.contains(S(0)));
}

TEST(StyledControlState, InPlaceFormsReportWhatTheyChanged) {
    S s{S::default_};
    auto [inserted, member] = s.insert(S::on);
    EXPECT_TRUE(inserted);
    EXPECT_EQ(member, S::on);
    std::tie(inserted, member) = s.insert(S::on);
    EXPECT_FALSE(inserted);
    EXPECT_EQ(member, S::on);
    EXPECT_EQ(s.rawValue(), 33);

    EXPECT_EQ(s.remove(S::mixed), std::nullopt);
    EXPECT_EQ(s.remove(S{S::on, S::mixed}), S::on) << "the part that was there";
    EXPECT_EQ(s, S::default_);

    EXPECT_EQ(s.update(S::focused), std::nullopt);
    EXPECT_EQ(s.update(S{S::focused, S::invalid}), S::focused);
    EXPECT_EQ(s.rawValue(), 1 + 16 + 128);

    s.formIntersection(S{S::focused, S::on});
    EXPECT_EQ(s, S::focused);
    s.formSymmetricDifference(S{S::focused, S::on});
    EXPECT_EQ(s, S::on);
    s.subtract(S::on);
    EXPECT_TRUE(s.isEmpty());
}

TEST(StyledControlState, HashesLikeItsDescription) {
    std::hash<S> hash;
    EXPECT_NE(S(0), S(256));
    EXPECT_EQ(hash(S(0)), hash(S(256)));
    EXPECT_EQ(hash(S{S::default_, S::on}), hash(S(33)));
}

}  // namespace
