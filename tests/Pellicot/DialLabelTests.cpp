#include <gtest/gtest.h>

#include "Pellicot/DialLabel.hpp"
#include "Pellicot/LabelNameFormatter.hpp"
#include "KitTestSupport.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Pellicot;
using namespace KitTest;
using namespace SwiftUI;

// A label beside an empty area to click away to.
class KitLabel : public TestSupport::VirtualTimeTest {
protected:
    std::unique_ptr<ViewGraph> show(const std::shared_ptr<AudioParameter>& p, bool showName = false, bool showSuffix = false,
                                    std::shared_ptr<const LabelFormatter> formatter = nullptr) {
        auto ended = endedCount_;
        auto label = DialLabel(p, Color::gray(), LabelDisplayOptions(Color::white(), 10, 13, 12, showSuffix, showName, 60),
                               PelliFont::rocket, std::move(formatter), [ended] { ++*ended; });
        auto g = std::make_unique<ViewGraph>(AnyView(HStack({AnyView(label).frame(100, 80), Color::black().frame(100, 80)})),
                                             CGSize{200, 80});
        g->update();
        return g;
    }
    static const RenderNode* field(ViewGraph& g) {
        return g.renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::textField; });
    }
    static void replaceText(ViewGraph& g, const std::string& text) {
        for (int i = 0; i < 12; ++i) g.pressKey(KeyPress::of(KeyEquivalent::deleteKey()));
        g.typeText(text);
    }
    static void returnKey(ViewGraph& g) { g.pressKey(KeyPress::of(KeyEquivalent::returnKey())); }
    static void escapeKey(ViewGraph& g) { g.pressKey(KeyPress::of(KeyEquivalent::escape())); }
    int ended() const { return *endedCount_; }

private:
    std::shared_ptr<int> endedCount_ = std::make_shared<int>(0);
};

TEST_F(KitLabel, AClickOpensAFocusedFieldWithTheValuesText) {
    auto p = parameter(Unit::milliseconds, 0, 50, 12);
    auto g = show(p);
    ASSERT_TRUE(g->clickText("12.0"));
    auto* f = field(*g);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->text, "12.0");
    EXPECT_TRUE(f->focused);
    EXPECT_EQ(f->frame.width(), 60);
    EXPECT_EQ(f->font, Font::custom("Rocket", 12));
    EXPECT_EQ(g->renderTree().findText("12.0"), nullptr) << "the value row gives way to the field";
}

TEST_F(KitLabel, ReturnCommitsTheTypedValueInDisplayUnits) {
    auto p = parameter(Unit::absoluteCents, 0, 2400, 1200);
    auto g = show(p);
    ASSERT_TRUE(g->clickText("12.0"));
    replaceText(*g, "5");
    returnKey(*g);
    EXPECT_EQ(writes(*p), (Writes{{500, Event::value}}));
    EXPECT_EQ(field(*g), nullptr);
    EXPECT_NE(g->renderTree().findText("5.0"), nullptr);
    EXPECT_EQ(ended(), 1);
}

TEST_F(KitLabel, TypedTextThatIsNoNumberOrOutOfRange) {
    struct Case {
        std::string typed;
        Writes expected;
    };
    for (const auto& c : std::vector<Case>{{"1,5", {}},
                                           {"1e1", {{10, Event::value}}},
                                           {"99", {{50, Event::value}}},
                                           {"-3", {{0, Event::value}}},
                                           {"nan", {{0, Event::value}}},
                                           {"inf", {{50, Event::value}}},
                                           {"abc", {}}}) {
        auto p = parameter(Unit::milliseconds, 0, 50, 20);
        auto g = show(p);
        ASSERT_TRUE(g->clickText("20.0"));
        replaceText(*g, c.typed);
        returnKey(*g);
        EXPECT_EQ(writes(*p), c.expected) << c.typed;
        EXPECT_EQ(field(*g), nullptr) << c.typed;
        if (c.expected.empty()) {
            EXPECT_NE(g->renderTree().findText("20.0"), nullptr) << c.typed;
        }
    }
}

TEST_F(KitLabel, EscapeRestoresTheValuesText) {
    auto p = parameter(Unit::milliseconds, 0, 50, 12);
    auto g = show(p);
    ASSERT_TRUE(g->clickText("12.0"));
    replaceText(*g, "33");
    escapeKey(*g);
    EXPECT_EQ(field(*g), nullptr);
    EXPECT_TRUE(writes(*p).empty());
    EXPECT_EQ(ended(), 1);
    ASSERT_TRUE(g->clickText("12.0"));
    EXPECT_EQ(field(*g)->text, "12.0");
}

TEST_F(KitLabel, ClickingElsewhereKeepsTheTypedTextUntilTheValueChanges) {
    auto p = parameter(Unit::milliseconds, 0, 50, 12);
    auto g = show(p);
    ASSERT_TRUE(g->clickText("12.0"));
    replaceText(*g, "33");
    g->click({150, 40});
    EXPECT_EQ(field(*g), nullptr);
    EXPECT_EQ(ended(), 0) << "only Return and Escape end an edit";
    EXPECT_TRUE(writes(*p).empty());
    ASSERT_TRUE(g->clickText("12.0"));
    EXPECT_EQ(field(*g)->text, "33");
    g->click({150, 40});
    p->setValue(14, ParameterEditor::parameterObserver, ParameterEditorState::change);
    drain();
    ASSERT_TRUE(g->clickText("14.0"));
    EXPECT_EQ(field(*g)->text, "14.0");
}

TEST_F(KitLabel, HostAutomationDoesNotOverwriteWhatIsBeingTyped) {
    auto p = parameter(Unit::milliseconds, 0, 50, 12);
    auto g = show(p);
    ASSERT_TRUE(g->clickText("12.0"));
    replaceText(*g, "3");
    p->setValue(40, ParameterEditor::parameterObserver, ParameterEditorState::change);
    drain();
    g->typeText("3");
    EXPECT_EQ(field(*g)->text, "33");
    escapeKey(*g);
    ASSERT_TRUE(g->clickText("40.0"));
    EXPECT_EQ(field(*g)->text, "40.0") << "refreshed when the edit ended";
    // Closed by a click elsewhere after the value moved, the field shows the new value next time.
    replaceText(*g, "7");
    p->setValue(41, ParameterEditor::parameterObserver, ParameterEditorState::change);
    drain();
    g->click({150, 40});
    ASSERT_TRUE(g->clickText("41.0"));
    EXPECT_EQ(field(*g)->text, "41.0");
}

TEST_F(KitLabel, NameAndSuffix) {
    auto ms = parameter(Unit::milliseconds, 0, 50, 12, ValueIncrement::linear(), std::nullopt, "Delay");
    auto g = show(ms, true, true);
    auto* name = g->renderTree().findText("DELAY");
    auto* value = g->renderTree().findText("12.0");
    auto* suffix = g->renderTree().findText("MS");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(value, nullptr);
    ASSERT_NE(suffix, nullptr);
    EXPECT_EQ(name->font, Font::custom("Rocket", 10));
    EXPECT_EQ(value->font, Font::custom("Rocket", 13));
    EXPECT_NEAR(suffix->frame.minX() - value->frame.maxX(), 4, 1e-9) << "side by side, 4 points apart";
    EXPECT_LT(name->frame.midY(), value->frame.midY());
    auto custom = parameter(Unit::customUnit, 0, 50, 12);
    auto h = show(custom, false, true);
    EXPECT_EQ(h->renderTree().texts(), (std::vector<std::string>{"12.0"}));
}

// DELAY's "0.0 MS": the whole 40-point row starts editing, the gap before the unit and the
// room above and below the texts too.
TEST_F(KitLabel, AClickAnywhereOnTheValueRowStartsEditing) {
    auto ms = parameter(Unit::milliseconds, 0, 50, 0, ValueIncrement::linear(), std::nullopt, "Delay");
    struct Case {
        double across;  // 0: the value's right edge, 1: the unit's left edge
        double down;    // points from the texts' middle
    };
    for (const Case& c : std::vector<Case>{{0.5, 0}, {0.5, -19}, {0.5, 19}, {0.1, 12}, {0.9, -12}}) {
        auto g = show(ms, true, true);
        const CGRect value = g->renderTree().findText("0.0")->frame, unit = g->renderTree().findText("MS")->frame;
        ASSERT_NEAR(unit.minX() - value.maxX(), 4, 1e-9);
        g->click({value.maxX() + c.across * (unit.minX() - value.maxX()), value.midY() + c.down});
        EXPECT_NE(field(*g), nullptr) << c.across << ", " << c.down;
    }
    auto g = show(ms, true, true);
    const CGRect value = g->renderTree().findText("0.0")->frame;
    g->click({value.midX(), value.midY() + 21});
    EXPECT_EQ(field(*g), nullptr) << "below the row";
}

TEST_F(KitLabel, ANameFormatterShowsAndReadsValueNames) {
    auto p = parameter(Unit::indexed, 0, 2, 0, ValueIncrement::linear(), std::vector<std::string>{"Off", "Half", "Full"});
    auto g = show(p, false, false, std::make_shared<LabelNameFormatter>(*p));
    ASSERT_TRUE(g->clickText("Off"));
    replaceText(*g, "FULL");
    returnKey(*g);
    EXPECT_EQ(writes(*p), (Writes{{2, Event::value}}));
    EXPECT_NE(g->renderTree().findText("Full"), nullptr);
}

}  // namespace
