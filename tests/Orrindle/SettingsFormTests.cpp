#include <gtest/gtest.h>

#include <memory>

#include "Orrindle/Settings/PobbleSettings.hpp"
#include "Orrindle/Settings/PobbleSettingsConfig.hpp"
#include "Orrindle/Settings/PobbleSettingsDivider.hpp"
#include "Orrindle/Settings/PobbleSettingsSection.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Orrindle;
using namespace SwiftUI;

// Fixed-size blocks keep the expectations free of text metrics.
AnyView block(CGFloat w, CGFloat h, const std::string& id) { return Color::red().frame(w, h).accessibilityIdentifier(id); }

// A control that hands out the form's configuration and counts the evaluations of its section.
struct Probe {
    Environment<PobbleSettingsConfig> config;
    std::shared_ptr<std::shared_ptr<PobbleSettingsConfig>> seen;
    std::shared_ptr<int> evaluations;
    AnyView body() const {
        *seen = config.get();
        ++*evaluations;
        return block(30, 20, "probe");
    }
};

class SettingsForm : public TestSupport::VirtualTimeTest {
protected:
    static constexpr CGFloat labelWidth = 100, settingsWidth = 400;
    static constexpr CGSize window{600, 420};
    static constexpr CGFloat formX = (window.width - settingsWidth) / 2;

    SettingsForm() {
        auto seenConfig = seen;
        auto count = evaluations;
        graph = std::make_unique<ViewGraph>(
            AnyView(PobbleSettings(labelWidth, settingsWidth, [=] {
                return AnyView(Group({
                    AnyView(PobbleSettingsSection("Swing", [] { return AnyView(Group({block(60, 20, "a1"), block(80, 20, "a2"), block(40, 20, "a3")})); }))
                        .accessibilityIdentifier("row1"),
                    AnyView(PobbleSettingsSection("A label far longer than its column", [] { return block(500, 24, "b1"); }))
                        .accessibilityIdentifier("row2"),
                    AnyView(PobbleSettingsDivider()).accessibilityIdentifier("divider"),
                    AnyView(PobbleSettingsSection("", [=] { return AnyView(Probe{{}, seenConfig, count}); })).accessibilityIdentifier("row3"),
                }));
            })).accessibilityIdentifier("form"),
            window);
    }
    CGRect frameOf(const std::string& id) {
        auto* n = graph->renderTree().findIdentifier(id);
        EXPECT_NE(n, nullptr) << id;
        return n ? n->frame : CGRect{};
    }
    CGRect textFrame(const std::string& text) {
        auto* n = graph->renderTree().findText(text);
        EXPECT_NE(n, nullptr) << text;
        return n ? n->frame : CGRect{};
    }

    std::shared_ptr<std::shared_ptr<PobbleSettingsConfig>> seen = std::make_shared<std::shared_ptr<PobbleSettingsConfig>>();
    std::shared_ptr<int> evaluations = std::make_shared<int>(0);
    std::unique_ptr<ViewGraph> graph;
};

TEST_F(SettingsForm, LabelsEndAndControlsStartOnOneColumnWhateverTheLabel) {
    EXPECT_EQ(frameOf("form").width(), settingsWidth) << "a 500-point control does not widen the form";
    const CGFloat columnEnd = formX + Form::margin + labelWidth;
    const CGFloat controls = columnEnd + Form::labelSpacing;
    EXPECT_DOUBLE_EQ(textFrame("Swing").maxX(), columnEnd);
    const CGRect longLabel = textFrame("A label far longer than its column");
    EXPECT_DOUBLE_EQ(longLabel.maxX(), columnEnd);
    EXPECT_LE(longLabel.width(), labelWidth) << "the frame holds a long label to the column";
    for (const char* id : {"a1", "a2", "a3", "b1", "probe"}) EXPECT_DOUBLE_EQ(frameOf(id).minX(), controls) << id;
}

TEST_F(SettingsForm, ControlsStackFourPointsApartAndRowsAndSectionsKeepTheFormsSpacing) {
    const CGRect a1 = frameOf("a1"), a2 = frameOf("a2"), a3 = frameOf("a3");
    EXPECT_DOUBLE_EQ(a2.minY(), a1.maxY() + PobbleSettingsSection::controlSpacing);
    EXPECT_DOUBLE_EQ(a3.minY(), a2.maxY() + PobbleSettingsSection::controlSpacing);
    const CGRect row1 = frameOf("row1"), row2 = frameOf("row2"), divider = frameOf("divider"), row3 = frameOf("row3");
    EXPECT_DOUBLE_EQ(row1.minY(), frameOf("form").minY() + Form::margin);
    EXPECT_DOUBLE_EQ(row1.height(), 3 * 20 + 2 * PobbleSettingsSection::controlSpacing);
    EXPECT_DOUBLE_EQ(row2.minY(), row1.maxY() + Form::rowSpacing);
    EXPECT_DOUBLE_EQ(divider.minY(), row2.maxY() + Form::sectionSpacing);
    EXPECT_DOUBLE_EQ(row3.minY(), divider.maxY() + Form::sectionSpacing);
    for (const CGRect& row : {row1, row2, divider, row3}) {
        EXPECT_DOUBLE_EQ(row.minX(), formX + Form::margin);
        EXPECT_DOUBLE_EQ(row.width(), settingsWidth - 2 * Form::margin);
    }
    // The divider's line: 16 points in from both sides, 8 above and below.
    auto lines = graph->renderTree().findAll([](const RenderNode& n) { return n.kind == RenderNode::Kind::color && n.frame.height() == 1; });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]->frame, (CGRect{divider.minX() + 16, divider.minY() + 8, divider.width() - 32, 1}));
    EXPECT_DOUBLE_EQ(divider.height(), 8 + 1 + 8);
}

TEST_F(SettingsForm, ANewLabelWidthMovesEverySectionAndTheSameWidthUpdatesNothing) {
    const CGFloat before = frameOf("a1").minX();
    ASSERT_TRUE(*seen);
    const int evaluated = *evaluations;
    (*seen)->setLabelWidth(labelWidth);
    drain();
    EXPECT_EQ(*evaluations, evaluated) << "an equal width re-evaluates no section";
    (*seen)->setLabelWidth(labelWidth + 50);
    drain();
    EXPECT_GT(*evaluations, evaluated);
    for (const char* id : {"a1", "b1", "probe"}) EXPECT_DOUBLE_EQ(frameOf(id).minX(), before + 50) << id;
    EXPECT_DOUBLE_EQ(textFrame("Swing").maxX(), formX + Form::margin + labelWidth + 50);
}

TEST(SettingsFormDeathTest, ASectionOutsideAFormStopsWithAMessageSayingSo) {
    EXPECT_DEATH(
        {
            ViewGraph g(AnyView(PobbleSettingsSection("Tempo", [] { return block(10, 10, "x"); })), {200, 40});
            g.update();
        },
        "PobbleSettingsSection \"Tempo\" is not inside a PobbleSettings form");
}

}  // namespace
