#include <gtest/gtest.h>

#include "Runtime/Associations.hpp"
#include "Runtime/NSObject.hpp"

namespace {

class Owner : public Runtime::NSObject {
    VZ_OBJECT(Owner, Runtime::NSObject)
};

class Tracked : public Runtime::NSObject {
    VZ_OBJECT(Tracked, Runtime::NSObject)
public:
    ~Tracked() override {
        if (onDestroy) onDestroy();
    }
    std::function<void()> onDestroy;
};

constexpr char kKeyA = 0;
constexpr char kKeyB = 0;

TEST(Associations, RetainedValuesLiveExactlyAsLongAsTheirOwner) {
    auto owner = Runtime::make<Owner>();
    bool destroyed = false;
    {
        auto value = Runtime::make<Tracked>();
        value->onDestroy = [&] { destroyed = true; };
        Runtime::setAssociatedObject(*owner, &kKeyA, value, Runtime::AssociationPolicy::retainNonatomic);
    }
    EXPECT_FALSE(destroyed);
    EXPECT_NE(Runtime::getAssociatedObject(*owner, &kKeyA), nullptr);
    EXPECT_EQ(Runtime::getAssociatedObject(*owner, &kKeyB), nullptr) << "keys are told apart by address";
    owner.reset();
    EXPECT_TRUE(destroyed);
}

TEST(Associations, ReplacingOrClearingReleasesThePreviousValue) {
    auto owner = Runtime::make<Owner>();
    int destroyed = 0;
    auto attach = [&] {
        auto v = Runtime::make<Tracked>();
        v->onDestroy = [&] { ++destroyed; };
        Runtime::setAssociatedObject(*owner, &kKeyA, v, Runtime::AssociationPolicy::retain);
    };
    attach();
    attach();
    EXPECT_EQ(destroyed, 1);
    Runtime::setAssociatedObject(*owner, &kKeyA, nullptr, Runtime::AssociationPolicy::retain);
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(Runtime::getAssociatedObject(*owner, &kKeyA), nullptr);
}

TEST(Associations, AssignedValuesAreHeldWeakly) {
    auto owner = Runtime::make<Owner>();
    auto value = Runtime::make<Tracked>();
    Runtime::setAssociatedObject(*owner, &kKeyA, value, Runtime::AssociationPolicy::assign);
    EXPECT_EQ(Runtime::getAssociatedObject(*owner, &kKeyA), value);
    value.reset();
    EXPECT_EQ(Runtime::getAssociatedObject(*owner, &kKeyA), nullptr);
}

TEST(Associations, AReleasedValueMayTouchTheOwnersAssociations) {
    auto owner = Runtime::make<Owner>();
    auto value = Runtime::make<Tracked>();
    Owner* raw = owner.get();
    value->onDestroy = [raw] { Runtime::setAssociatedObject(*raw, &kKeyB, Runtime::make<Owner>(), Runtime::AssociationPolicy::retain); };
    Runtime::setAssociatedObject(*owner, &kKeyA, std::move(value), Runtime::AssociationPolicy::retain);
    Runtime::setAssociatedObject(*owner, &kKeyA, nullptr, Runtime::AssociationPolicy::retain);  // no deadlock
    EXPECT_NE(Runtime::getAssociatedObject(*owner, &kKeyB), nullptr);
}

class Extended : public Runtime::NSObject {
    VZ_OBJECT(Extended, Runtime::NSObject)
};
class ExtendedChild : public Extended {
    VZ_OBJECT(ExtendedChild, Extended)
};

TEST(Categories, AMethodAddedToAClassReachesItsSubclassesBySelector) {
    auto child = Runtime::make<ExtendedChild>();
    EXPECT_FALSE(child->respondsTo("categoryPing:"));
    int pings = 0;
    Runtime::NSObject* sender = nullptr;
    Runtime::addMethod(Extended::staticClassInfo(), "categoryPing:", [&](Runtime::NSObject& receiver, Runtime::NSObject* s) {
        EXPECT_EQ(&receiver, child.get());
        sender = s;
        ++pings;
    });
    EXPECT_TRUE(child->respondsTo("categoryPing:"));
    EXPECT_TRUE(child->perform("categoryPing:", child.get()));
    EXPECT_EQ(pings, 1);
    EXPECT_EQ(sender, child.get());
    EXPECT_FALSE(Runtime::make<Owner>()->respondsTo("categoryPing:"));
}

}  // namespace
