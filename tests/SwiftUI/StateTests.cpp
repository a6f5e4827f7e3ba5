#include <gtest/gtest.h>

#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace SwiftUI;

struct Model {
    Observation::Observed<int> value{0};
    Observation::Observed<int> other{0};
};

int counterBodies = 0;

struct Counter {
    State<int> count{0};
    AnyView body() const {
        ++counterBodies;
        return Text(std::to_string(count())).onTapGesture([self = *this] { self.count = self.count() + 1; });
    }
};

struct Parent {
    std::shared_ptr<Observation::Observed<bool>> show;
    AnyView body() const { return VStack({If(show->get(), AnyView(Counter())), Text("end")}); }
};

using StateAndObservation = TestSupport::VirtualTimeTest;

TEST_F(StateAndObservation, StateSurvivesReevaluationAndResetsWhenTheViewLeaves) {
    auto show = std::make_shared<Observation::Observed<bool>>(true);
    ViewGraph g(AnyView(Parent{show}), {200, 200});
    EXPECT_TRUE(g.clickText("0"));
    EXPECT_TRUE(g.clickText("1"));
    EXPECT_NE(g.renderTree().findText("2"), nullptr);
    show->set(false);
    drain();
    EXPECT_EQ(g.renderTree().findText("2"), nullptr);
    show->set(true);
    drain();
    EXPECT_NE(g.renderTree().findText("0"), nullptr) << "a view that comes back starts with fresh state";
}

struct Reader {
    std::shared_ptr<Model> model;
    int* bodies;
    AnyView body() const {
        ++*bodies;
        return Text(std::to_string(model->value.get()));
    }
};

TEST_F(StateAndObservation, OnlyAChangedValueThatWasReadReevaluates) {
    auto model = std::make_shared<Model>();
    int bodies = 0;
    ViewGraph g(AnyView(Reader{model, &bodies}), {100, 40});
    drain();
    EXPECT_EQ(bodies, 1);
    model->value.set(0);  // equal
    model->other.set(5);  // not read
    drain();
    EXPECT_EQ(bodies, 1);
    model->value.set(3);
    EXPECT_EQ(bodies, 1) << "re-evaluation waits for the next turn of the main loop";
    drain();
    EXPECT_EQ(bodies, 2);
    EXPECT_NE(g.renderTree().findText("3"), nullptr);
    model->value.set(4);  // still subscribed after the re-evaluation
    drain();
    EXPECT_EQ(bodies, 3);
}

struct Watcher {
    std::shared_ptr<Model> model;
    bool initial;
    std::vector<std::pair<int, int>>* log;
    AnyView body() const {
        return Text("w").onChange(model->value.get(), initial, [log = log](int o, int n) { log->push_back({o, n}); });
    }
};

TEST_F(StateAndObservation, OnChangeFiresAfterTheUpdateAndInitiallyOnlyWhenAsked) {
    for (bool initial : {false, true}) {
        SCOPED_TRACE(initial);
        auto model = std::make_shared<Model>();
        model->value.set(7);
        std::vector<std::pair<int, int>> log;
        ViewGraph g(AnyView(Watcher{model, initial, &log}), {50, 50});
        drain();
        std::vector<std::pair<int, int>> expected;
        if (initial) expected.push_back({7, 7});
        EXPECT_EQ(log, expected);
        model->value.set(8);
        drain();
        expected.push_back({7, 8});
        EXPECT_EQ(log, expected);
        model->value.set(8);
        drain();
        EXPECT_EQ(log, expected);
    }
}

struct Settings {
    int id = 42;
};
struct EnvReader {
    Environment<Settings> settings;
    EnvironmentValue<bool> isEnabled{&EnvironmentValues::isEnabled};
    AnyView body() const { return Text(std::to_string(settings->id) + (isEnabled() ? " on" : " off")); }
};

TEST_F(StateAndObservation, EnvironmentObjectsAndValuesReachDescendants) {
    auto settings = std::make_shared<Settings>();
    ViewGraph g(AnyView(VStack({EnvReader(), AnyView(EnvReader()).disabled(true)}).environment(settings)), {200, 100});
    EXPECT_NE(g.renderTree().findText("42 on"), nullptr);
    EXPECT_NE(g.renderTree().findText("42 off"), nullptr);
}

TEST_F(StateAndObservation, ForEachKeepsStateWithTheElementsId) {
    auto order = std::make_shared<Observation::Observed<std::vector<int>>>(std::vector<int>{1, 2});
    struct Row {
        int n;
        State<int> taps{0};
        AnyView body() const {
            return Text(std::to_string(n) + ":" + std::to_string(taps())).onTapGesture([self = *this] { self.taps = self.taps() + 1; });
        }
    };
    struct List {
        std::shared_ptr<Observation::Observed<std::vector<int>>> order;
        AnyView body() const {
            return VStack({ForEach(order->get(), [](int n) { return Row{n}; })});
        }
    };
    ViewGraph g(AnyView(List{order}), {200, 200});
    ASSERT_TRUE(g.clickText("2:0"));
    order->set({2, 1});
    drain();
    EXPECT_NE(g.renderTree().findText("2:1"), nullptr);
    EXPECT_NE(g.renderTree().findText("1:0"), nullptr);
}

}  // namespace

namespace {

TEST(Text, LiteralsAreLocalizableKeysAndStringsAreVerbatim) {
    SwiftUI::Text::setLocalizer([](const std::string& key) { return key == "RESET" ? std::string("ZURÜCK") : key; });
    EXPECT_EQ(SwiftUI::Text("RESET").string(), "ZURÜCK");
    EXPECT_EQ(SwiftUI::Text(std::string("RESET")).string(), "RESET");
    EXPECT_EQ(SwiftUI::Text::verbatim("RESET").string(), "RESET");
    SwiftUI::Text::setLocalizer(nullptr);
    EXPECT_EQ(SwiftUI::Text("RESET").string(), "RESET") << "no translation: shown as written";
}

}  // namespace
