#include <gtest/gtest.h>

#include <thread>

#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace SwiftUI;

using Events = TestSupport::VirtualTimeTest;

struct Log {
    std::vector<std::string> entries;
};

// A knob-like control: a drag with a minimum distance, a double tap and an Option-tap beside it.
AnyView knob(const std::shared_ptr<Log>& log, CGFloat minimumDistance, const std::shared_ptr<Observation::Observed<bool>>& enabled) {
    auto drag = DragGesture(minimumDistance)
                    .onChanged([log](const DragGesture::Value& v) { log->entries.push_back("changed " + std::to_string(int(v.location.y))); })
                    .onEnded([log](const DragGesture::Value& v) { log->entries.push_back(v.isCancelled ? "cancelled" : "ended"); });
    struct Knob {
        AnyGesture drag;
        std::shared_ptr<Log> log;
        std::shared_ptr<Observation::Observed<bool>> enabled;
        AnyView body() const {
            auto l = log;
            return AnyView(Color::gray().frame(40, 40))
                .gesture(drag, GestureMask::all)
                .simultaneousGesture(TapGesture(2).onEnded([l] { l->entries.push_back("double"); }))
                .simultaneousGesture(TapGesture().modifiers(EventModifiers::option()).onEnded([l] { l->entries.push_back("option"); }))
                .disabled(!enabled->get());
        }
    };
    return AnyView(Knob{drag, log, enabled});
}

TEST_F(Events, ADragStartsOnlyAfterItsMinimumDistance) {
    auto log = std::make_shared<Log>();
    auto enabled = std::make_shared<Observation::Observed<bool>>(true);
    ViewGraph g(knob(log, 6, enabled), {40, 40});
    g.mouseDown({20, 20});
    g.mouseDragged({20, 17});
    EXPECT_TRUE(log->entries.empty());
    g.mouseDragged({20, 14});  // 6 points from the start
    g.mouseDragged({20, 10});
    g.mouseUp({20, 10});
    EXPECT_EQ(log->entries, (std::vector<std::string>{"changed 14", "changed 10", "ended"}));
}

TEST_F(Events, DoubleClickAndOptionClickBesideADrag) {
    auto log = std::make_shared<Log>();
    auto enabled = std::make_shared<Observation::Observed<bool>>(true);
    ViewGraph g(knob(log, 6, enabled), {40, 40});
    g.doubleClick({20, 20});
    EXPECT_EQ(log->entries, (std::vector<std::string>{"double"}));
    log->entries.clear();
    g.click({20, 20}, EventModifiers::option());
    EXPECT_EQ(log->entries, (std::vector<std::string>{"option"}));
    log->entries.clear();
    g.click({20, 20});
    EXPECT_TRUE(log->entries.empty()) << "a plain click is neither";
}

TEST_F(Events, ADragIsCancelledWhenItsViewIsDisabledMidGesture) {
    auto log = std::make_shared<Log>();
    auto enabled = std::make_shared<Observation::Observed<bool>>(true);
    ViewGraph g(knob(log, 0, enabled), {40, 40});
    g.mouseDown({20, 20});
    drain();
    enabled->set(false);
    drain();
    EXPECT_EQ(log->entries, (std::vector<std::string>{"changed 20", "cancelled"}));
    g.mouseDragged({20, 5});
    g.mouseUp({20, 5});
    drain();
    EXPECT_EQ(log->entries.size(), 2u) << "nothing reaches a disabled view";
    g.click({20, 20});
    EXPECT_EQ(log->entries.size(), 2u);
}

TEST_F(Events, ADragIsCancelledWhenItsViewIsRemoved) {
    auto log = std::make_shared<Log>();
    auto enabled = std::make_shared<Observation::Observed<bool>>(true);
    auto show = std::make_shared<Observation::Observed<bool>>(true);
    struct Host {
        AnyView knob;
        std::shared_ptr<Observation::Observed<bool>> show;
        AnyView body() const { return ZStack({Color::clear().frame(40, 40), If(show->get(), knob)}); }
    };
    ViewGraph g(AnyView(Host{knob(log, 0, enabled), show}), {40, 40});
    g.mouseDown({20, 20});
    show->set(false);
    drain();
    EXPECT_EQ(log->entries, (std::vector<std::string>{"changed 20", "cancelled"}));
    g.mouseUp({20, 20});
}

struct PressStyle : ButtonStyle {
    AnyView makeBody(const Configuration& c) const override {
        return AnyView(Color::blue().frame(30, 20)).overlay(c.isPressed ? AnyView(Text("down")) : AnyView(Text("up")));
    }
};

TEST_F(Events, AButtonIsPressedWhileDownInsideAndActsOnReleaseInside) {
    int actions = 0;
    ViewGraph g(AnyView(Button([&] { ++actions; }, Text("x")).buttonStyle(PressStyle())), {30, 20});
    g.mouseDown({15, 10});
    drain();
    EXPECT_NE(g.renderTree().findText("down"), nullptr);
    g.mouseDragged({100, 100});
    drain();
    EXPECT_NE(g.renderTree().findText("up"), nullptr);
    g.mouseUp({100, 100});
    drain();
    EXPECT_EQ(actions, 0);
    g.click({15, 10});
    EXPECT_EQ(actions, 1);
    EXPECT_NE(g.renderTree().findText("up"), nullptr);
}

TEST_F(Events, AMenuOpensThroughItsPresenterAndRunsTheChosenItem) {
    std::string chosen;
    std::vector<std::string> seen;
    Menu::setPresenter([&](const MenuModel& m) -> std::optional<std::size_t> {
        seen = m.titles();
        return 2;
    });
    ViewGraph g(AnyView(Menu({Button("One", [&] { chosen = "one"; }), Divider(),
                              ForEach(std::vector<std::string>{"Two", "Three"}, [&](const std::string& s) { return Button(s, [&chosen, s] { chosen = s; }); })},
                             AnyView(Text("Presets")))
                            .menuIndicator(MenuIndicatorVisibility::hidden)),
                {100, 30});
    auto* menu = g.renderTree().findMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->showsMenuIndicator);
    EXPECT_TRUE(g.clickText("Presets"));
    EXPECT_EQ(seen, (std::vector<std::string>{"One", "-", "Two", "Three"}));
    EXPECT_EQ(chosen, "Two");
    EXPECT_TRUE(g.renderTree().findMenu()->menu->choose("Three"));
    EXPECT_EQ(chosen, "Three");
    Menu::setPresenter(nullptr);
}

// Click to edit, type, Return submits, Escape cancels through a key handler, focus follows
// the binding both ways.
struct Label {
    explicit Label(std::shared_ptr<Log> l) : log(std::move(l)) {}
    std::shared_ptr<Log> log;
    State<bool> isEditing{false};
    State<std::string> text{std::string("12")};
    FocusState<bool> focused;
    AnyView body() const {
        auto self = *this;
        AnyView row = isEditing() ? AnyView(TextField("", text.binding())
                                                .focused(focused.binding())
                                                .onSubmit([self] {
                                                    self.log->entries.push_back("submit " + self.text());
                                                    self.isEditing = false;
                                                })
                                                .onKeyPress(KeyPressPhases::down() | KeyPressPhases::repeat(),
                                                            [self](const KeyPress& k) {
                                                                if (!(k.key == KeyEquivalent::escape())) return KeyPressResult::ignored;
                                                                self.log->entries.push_back("escape");
                                                                self.isEditing = false;
                                                                return KeyPressResult::handled;
                                                            })
                                                .frame(60, 20))
                                  : AnyView(Text(text()).frame(60, 20));
        return VStack({row})
            .onTapGesture([self] {
                if (self.isEditing()) return;
                self.isEditing = true;
                self.focused = true;
            })
            .onChange(focused(), [self](bool f) {
                if (!f && self.isEditing()) self.isEditing = false;
            });
    }
};

TEST_F(Events, FocusTypingReturnAndEscape) {
    auto log = std::make_shared<Log>();
    ViewGraph g(AnyView(HStack({Label(log), Color::red().frame(20, 20).accessibilityIdentifier("elsewhere")})), {200, 40});
    ASSERT_TRUE(g.clickText("12"));
    ASSERT_NE(g.focusedField(), nullptr) << "the focus binding focuses the field once it exists";
    // Focusing selected the text: typing replaces it.
    g.typeText("3");
    g.pressKey(KeyPress::of(KeyEquivalent::deleteKey()));
    g.typeText("1245");
    EXPECT_EQ(g.renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::textField; })->text, "1245");
    g.pressKey(KeyPress::of(KeyEquivalent::returnKey()));
    EXPECT_EQ(log->entries, (std::vector<std::string>{"submit 1245"}));
    EXPECT_NE(g.renderTree().findText("1245"), nullptr);
    EXPECT_EQ(g.focusedField(), nullptr);

    g.clickText("1245");
    EXPECT_TRUE(g.pressKey(KeyPress::of(KeyEquivalent::escape())));
    EXPECT_EQ(log->entries.back(), "escape");

    // Clicking elsewhere takes the focus, and the binding follows.
    g.clickText("1245");
    ASSERT_NE(g.focusedField(), nullptr);
    g.clickIdentifier("elsewhere");
    EXPECT_EQ(g.focusedField(), nullptr);
    EXPECT_NE(g.renderTree().findText("1245"), nullptr) << "losing the focus closed the field";
}

}  // namespace

namespace {

using namespace SwiftUI;
using Events2 = TestSupport::VirtualTimeTest;

TEST_F(Events2, AnExclusiveGestureHoldsTheSecondBackUntilTheFirstFails) {
    std::vector<std::string> log;
    auto tap = TapGesture().modifiers(EventModifiers::option()).onEnded([&] { log.push_back("option tap"); });
    auto drag = DragGesture(0).onChanged([&](const DragGesture::Value&) { log.push_back("drag"); }).onEnded([&](const DragGesture::Value& v) {
        log.push_back(v.isCancelled ? "drag cancelled" : "drag ended");
    });
    ViewGraph g(AnyView(Color::gray().frame(40, 40)).gesture(tap.exclusively(drag)), {40, 40});
    g.click({20, 20}, EventModifiers::option());
    EXPECT_EQ(log, (std::vector<std::string>{"option tap"})) << "the drag's events were dropped";
    log.clear();
    g.drag({20, 20}, {20, 35}, 2);
    // The tap fails once the pointer moves away; the held-back start of the drag then runs.
    EXPECT_EQ(log, (std::vector<std::string>{"drag", "drag", "drag", "drag ended"}));
}

TEST_F(Events2, AppearAndDisappearRunAfterTheUpdate) {
    std::vector<std::string> log;
    auto show = std::make_shared<Observation::Observed<bool>>(true);
    struct V {
        std::shared_ptr<Observation::Observed<bool>> show;
        std::vector<std::string>* log;
        AnyView body() const {
            auto l = log;
            return VStack({If(show->get(), AnyView(Text("x").onAppear([l] { l->push_back("appear"); }).onDisappear([l] {
                                                  l->push_back("disappear");
                                              })))});
        }
    };
    ViewGraph g(AnyView(V{show, &log}), {50, 50});
    drain();
    show->set(false);
    drain();
    show->set(true);
    drain();
    EXPECT_EQ(log, (std::vector<std::string>{"appear", "disappear", "appear"}));
}

TEST_F(Events2, AWriteOnAnotherThreadUpdatesOnTheMainLoop) {
    auto value = std::make_shared<Observation::Observed<int>>(0);
    struct V {
        std::shared_ptr<Observation::Observed<int>> value;
        AnyView body() const { return Text(std::to_string(value->get())); }
    };
    ViewGraph g(AnyView(V{value}), {50, 50});
    drain();
    std::thread writer([value] { value->set(5); });
    writer.join();
    EXPECT_TRUE(loop().runUntil([&] { return g.renderTree().findText("5") != nullptr; }, 5.0));
}

}  // namespace
