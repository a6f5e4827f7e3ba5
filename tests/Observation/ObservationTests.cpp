#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Observation/Observation.hpp"

namespace {

using Observation::Observed;

TEST(Observation, AChangedValueNotifiesOnceAnEqualWriteNobody) {
    Observed<float> value(1.0f);
    Observed<int> other(0);
    int changes = 0;
    auto token = Observation::withObservationTracking([&] { (void)value.get(); }, [&] { ++changes; });
    other.set(5);  // not read: no notification
    value.set(1.0f);
    EXPECT_EQ(changes, 0);
    value.set(2.0f);
    EXPECT_EQ(changes, 1);
    value.set(3.0f);  // one-shot
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(token.isActive());
}

TEST(Observation, PeekDoesNotSubscribeAndCancelEnds) {
    Observed<int> value(0);
    int changes = 0;
    auto none = Observation::withObservationTracking([&] { (void)value.peek(); }, [&] { ++changes; });
    value.set(1);
    EXPECT_EQ(changes, 0);
    auto token = Observation::withObservationTracking([&] { (void)value.get(); }, [&] { ++changes; });
    token.cancel();
    value.set(2);
    EXPECT_EQ(changes, 0);
}

TEST(Observation, NestedScopesRecordTheirOwnReads) {
    Observed<int> a(0), b(0);
    Observation::AccessList inner;
    auto outer = Observation::recordAccesses([&] {
        (void)a.get();
        inner = Observation::recordAccesses([&] { (void)b.get(); });
    });
    EXPECT_TRUE(outer.contains(a.id()));
    EXPECT_FALSE(outer.contains(b.id()));
    EXPECT_TRUE(inner.contains(b.id()));
}

TEST(Observation, ADestroyedPropertyForgetsItsObservers) {
    int changes = 0;
    Observation::ObservationToken token;
    {
        Observed<int> value(0);
        token = Observation::withObservationTracking([&] { (void)value.get(); }, [&] { ++changes; });
    }
    Observed<int> reused(0);  // may reuse the address
    reused.set(1);
    EXPECT_EQ(changes, 0);
}

}  // namespace

namespace {

// Equal when the lengths match, whatever the contents.
struct SameLength {
    bool operator()(const std::string& a, const std::string& b) const { return a.size() == b.size(); }
};

TEST(Observation, APropertyWithItsOwnEqualityNotifiesOnlyWhatItFindsDifferent) {
    Observation::Observed<std::string, SameLength> text("abc");
    int changes = 0;
    auto first = Observation::withObservationTracking([&] { (void)text.get(); }, [&] { ++changes; });
    text.set("xyz");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(text.peek(), "xyz") << "an equal write is stored all the same";
    text.set("abcd");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(text.peek(), "abcd");

    // Values without == notify on every write.
    Observation::Observed<std::function<void()>> action;
    auto second = Observation::withObservationTracking([&] { (void)action.get(); }, [&] { ++changes; });
    action.set(nullptr);
    EXPECT_EQ(changes, 2);
}

}  // namespace
