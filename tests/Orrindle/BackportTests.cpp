#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Foundation/ProcessInfo.hpp"
#include "Orrindle/SwiftUI/Backport.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace SwiftUI;
using Orrindle::backport;

class BackportTest : public TestSupport::VirtualTimeTest {
protected:
    void TearDown() override {
        Foundation::ProcessInfo::processInfo().setOperatingSystemVersionForTesting(std::nullopt);
        TestSupport::VirtualTimeTest::TearDown();
    }
    static void runOn(long major) { Foundation::ProcessInfo::processInfo().setOperatingSystemVersionForTesting({{major, 0, 0}}); }
};

// Shows what the environment holds for scroll edges and list rows.
struct LookReader {
    EnvironmentValue<std::optional<ScrollEdgeEffectStyle>> edges{&EnvironmentValues::scrollEdgeEffectStyle};
    EnvironmentValue<AlternatingRowBackgroundBehavior> rows{&EnvironmentValues::alternatingRowBackgrounds};
    AnyView body() const {
        const char* row[] = {"rows automatic", "rows enabled", "rows disabled"};
        return Text(std::string(edges() == ScrollEdgeEffectStyle::soft ? "soft" : "plain") + ", " + row[int(rows())]);
    }
};

TEST_F(BackportTest, EscapeIsHandledAndOtherKeysGoOn) {
    std::vector<std::string> log;
    State<std::string> text{std::string("abc")};
    auto field = backport(TextField("", text.binding())).onEscapePressed([&] { log.push_back("escape"); });
    ViewGraph g(AnyView(field.onKeyPress(KeyPressPhases::all(), [&](const KeyPress& k) {
                    log.push_back(k.key == KeyEquivalent::escape() ? "escape outside" : k.characters + " outside");
                    return KeyPressResult::handled;
                })),
                {120, 24});
    const auto* shown = g.renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::textField; });
    ASSERT_NE(shown, nullptr);
    g.click(shown->frame.center());
    ASSERT_NE(g.focusedField(), nullptr);
    EXPECT_TRUE(g.pressKey(KeyPress::of(KeyEquivalent::escape())));
    KeyPress held = KeyPress::of(KeyEquivalent::escape());
    held.phase = KeyPress::Phase::repeat;
    EXPECT_TRUE(g.pressKey(held));
    // Another key, and Escape's release, reach the handler around.
    g.pressKey(KeyPress::of({"k"}, KeyPress::Phase::down, EventModifiers::command()));
    g.pressKey(KeyPress::of(KeyEquivalent::escape(), KeyPress::Phase::up));
    EXPECT_EQ(log, (std::vector<std::string>{"escape", "escape", "k outside", "escape outside"}));
}

TEST_F(BackportTest, VersionDependentLooksAndTheFixedOnes) {
    const auto white = [](const RenderNode& t) {
        return t.find([](const RenderNode& n) { return n.kind == RenderNode::Kind::color; });
    };
    struct Case {
        long system;
        const char* shown;
        CGFloat width;
    };
    for (const auto& c : {Case{15, "plain, rows automatic", 90}, Case{26, "soft, rows automatic", 200}}) {
        runOn(c.system);
        ViewGraph looks(AnyView(backport(LookReader{}).removeScrollViewEdgeEffect()), {200, 40});
        EXPECT_NE(looks.renderTree().findText(c.shown), nullptr) << c.system;
        ViewGraph sized(AnyView(backport(Color::white()).setWidthPreTahoe(90)), {200, 40});
        ASSERT_NE(white(sized.renderTree()), nullptr);
        EXPECT_EQ(white(sized.renderTree())->frame.width(), c.width) << c.system;
    }
    for (bool enabled : {true, false}) {
        ViewGraph g(AnyView(backport(LookReader{}).alternatingRowBackgrounds(enabled)), {200, 40});
        EXPECT_NE(g.renderTree().findText(enabled ? "plain, rows enabled" : "plain, rows disabled"), nullptr);
    }
}

TEST_F(BackportTest, APopoverBackgroundReachesBeyondItsContent) {
    ViewGraph g(AnyView(backport(Color::white().frame(100, 40)).popoverBackground(Color(0, 0, 1))), {300, 200});
    const auto* blue = g.renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::color && n.shape.fill == Color(0, 0, 1); });
    const auto* white = g.renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::color && n.shape.fill == Color::white(); });
    ASSERT_TRUE(blue && white);
    EXPECT_EQ(blue->frame.size, (CGSize{150, 60}));
    EXPECT_EQ(blue->frame.center(), white->frame.center());
}

}  // namespace
