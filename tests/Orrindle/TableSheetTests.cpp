#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AppKit/NSApplication.hpp"
#include "TableGallery.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace OrrindleTest;
using TableSheet = TestSupport::VirtualTimeTest;

// build/snapshots/orrindle-tables.png: the styled table with its header, group rows, a run of
// selected rows and a value being edited; the text fields, validating fields and labels in their
// states with a validation message open.
TEST_F(TableSheet, ShowsTheTableAndTheTextFieldsWithAValidationMessage) {
    TableGallery gallery;
    gallery.window->makeKeyAndOrderFront();
    drain();
    gallery.openMessage();
    drain();
    ASSERT_TRUE(gallery.message->popoverController()->popover()->isShown());
    gallery.editSeed();
    ASSERT_TRUE(gallery.valueField(3)->currentEditor());
    CoreGraphics::CGContext ctx(gallery.size, false, 2);
    gallery.drawSheet(ctx);
    const auto& list = ctx.displayList();
    const auto names = list.imageNames();
    for (const char* name : {"kvu-textfield", "kvu-textfield-error", "properties-table-add", "properties-tableheader-overflow",
                             "kvu-customslider-handle"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    auto drawnText = [&](const std::string& text) {
        const auto all = list.all<CoreGraphics::Op::Text>();
        return std::any_of(all.begin(), all.end(), [&](auto* t) { return t->text.string() == text; });
    };
    for (const char* text : {"Parameter", "Value", "TIMING", "SWING", "Random", "140", "Tempo", "Tempo must be between 20 and 300",
                             "Late night", "Swing on the eighths"})
        EXPECT_TRUE(drawnText(text)) << text;
    for (std::size_t i = 0; i < gallery.samples.size(); ++i)
        for (std::size_t j = i + 1; j < gallery.samples.size(); ++j)
            EXPECT_FALSE(gallery.samples[i].view->frame().intersects(gallery.samples[j].view->frame()))
                << gallery.samples[i].caption << " and " << gallery.samples[j].caption;

    // Each column's title starts where its rows' text does, in the sheet as drawn.
    auto textX = [&](const std::string& text) -> std::optional<CGFloat> {
        for (auto* t : list.all<CoreGraphics::Op::Text>())
            if (t->text.string() == text) return t->state.transform.apply(t->box).minX();
        return std::nullopt;
    };
    for (auto [title, rows] : {std::pair{"Parameter", std::vector<std::string>{"SWING", "Delay", "Random", "1/16"}},
                               std::pair{"Value", std::vector<std::string>{"12 ms", "4 ms", "62 %"}}}) {
        const auto titleX = textX(title);
        ASSERT_TRUE(titleX) << title;
        for (const auto& row : rows) {
            const auto rowX = textX(row);
            ASSERT_TRUE(rowX) << row;
            EXPECT_NEAR(*rowX, *titleX, 0.5) << row << " under " << title;
        }
    }

    const std::string dir = std::string(VZ_BINARY_DIR) + "/snapshots";
    std::filesystem::create_directories(dir);
    std::string error;
    ASSERT_TRUE(ctx.makeImage()->writePNG(dir + "/orrindle-tables.png", &error)) << error;
    gallery.message->popoverController()->close();
    AppKit::NSApplication::shared().resetForTesting();
}

}  // namespace
