#include <gtest/gtest.h>

#include <thread>

#include "Runtime/FatalError.hpp"
#include "Runtime/MainActor.hpp"
#include "Runtime/NSObject.hpp"
#include "TestSupport/FatalErrorCapture.hpp"

namespace {

class Base : public Runtime::NSObject {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("ping:", &Base::ping)};
    }
    VZ_OBJECT(Base, Runtime::NSObject)
public:
    void ping(Runtime::NSObject* sender) {
        ++pings;
        lastSender = sender;
    }
    void didInit() override { initialisedAs = className(); }
    int pings = 0;
    Runtime::NSObject* lastSender = nullptr;
    std::string initialisedAs;
};

class Derived : public Base {
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("pong", &Derived::pong)};
    }
    VZ_OBJECT(Derived, Base)
public:
    void pong() { ++pongs; }
    int pongs = 0;
};

TEST(Selector, InternsByText) {
    Runtime::Selector a("doThing:"), b(std::string("doThing:"));
    EXPECT_EQ(a, b);
    EXPECT_NE(a, Runtime::Selector("doThing"));
    EXPECT_EQ(a.name(), "doThing:");
    EXPECT_TRUE(Runtime::Selector().isNull());
}

TEST(NSObject, ActionsAreFoundAlongTheClassChain) {
    auto d = Runtime::make<Derived>();
    EXPECT_TRUE(d->respondsTo("ping:"));
    EXPECT_TRUE(d->respondsTo("pong"));
    EXPECT_FALSE(Runtime::make<Base>()->respondsTo("pong"));
    EXPECT_TRUE(d->perform("ping:", d.get()));
    EXPECT_TRUE(d->perform("pong"));
    EXPECT_FALSE(d->perform("missing:"));
    EXPECT_EQ(d->pings, 1);
    EXPECT_EQ(d->lastSender, d.get());
    EXPECT_EQ(d->pongs, 1);
    EXPECT_TRUE(d->isKindOf(Base::staticClassInfo()));
    EXPECT_FALSE(Runtime::make<Base>()->isKindOf(Derived::staticClassInfo()));
}

TEST(NSObject, MakeRunsTheInitialiserOfTheMostDerivedClass) {
    EXPECT_EQ(Runtime::make<Derived>()->initialisedAs, "Derived");
    auto b = Runtime::make<Base>();
    EXPECT_EQ(b->initialisedAs, "Base");
    EXPECT_EQ(b->sharedAs<Base>(), b);
}

TEST(ClassRegistry, CreatesByName) {
    auto& r = Runtime::ClassRegistry::shared();
    r.registerClass<Derived>();
    ASSERT_TRUE(r.contains("Derived"));
    auto o = r.create("Derived");
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->className(), "Derived");
    EXPECT_EQ(std::dynamic_pointer_cast<Derived>(o)->initialisedAs, "Derived");
    EXPECT_EQ(r.create("NoSuchClass"), nullptr);
}

TEST(FatalError, GoesThroughTheReplaceableHandler) {
    TestSupport::CaptureFatalErrors capture;
    try {
        Runtime::fatalError("unable to find bundle named X");
        FAIL();
    } catch (const TestSupport::FatalErrorThrown& e) {
        EXPECT_STREQ(e.what(), "unable to find bundle named X");
    }
    EXPECT_THROW(Runtime::unimplementedInitializer("init(coder:)"), TestSupport::FatalErrorThrown);
}

TEST(FatalErrorDeathTest, DefaultHandlerPrintsAndAborts) {
    EXPECT_DEATH(Runtime::unimplementedInitializer("init(coder:)"), "init\\(coder:\\) has not been implemented");
}

TEST(MainActor, KnowsTheMainThread) {
    EXPECT_TRUE(Runtime::isMainThread());
    bool other = true;
    std::thread([&] { other = Runtime::isMainThread(); }).join();
    EXPECT_FALSE(other);
}

}  // namespace
