#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSApplication.hpp"
#include "SettingsGallery.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace OrrindleTest;
using SettingsSheet = TestSupport::VirtualTimeTest;

// build/snapshots/orrindle-settings.png: a settings form of segmented controls and sliders with
// icons around a divider, in a sheet on its parent window.
TEST_F(SettingsSheet, ShowsTheSettingsFormInASheetOnItsParent) {
    SettingsGallery gallery;
    gallery.present();
    drain();
    ASSERT_EQ(gallery.parent->attachedSheet(), gallery.sheet);
    // The sheet fits inside its parent, hanging from the top of its content.
    const CGRect content = gallery.parent->contentRect(gallery.parent->frame());
    const CGRect sheet = gallery.sheet->frame();
    EXPECT_GE(sheet.minX(), content.minX());
    EXPECT_LE(sheet.maxX(), content.maxX());
    EXPECT_EQ(sheet.maxY(), content.maxY());
    EXPECT_GE(sheet.minY(), content.minY());

    CoreGraphics::CGContext ctx(gallery.pictureSize(), false, 2);
    gallery.drawSheet(ctx);
    const auto& list = ctx.displayList();
    // Where the sheet is in the picture (y up), as drawSheet puts it.
    const CGRect box{sheet.minX() - content.minX(), sheet.minY() - content.minY(), sheet.width(), sheet.height()};
    auto inside = [&](const CGRect& r) { return r.minX() >= box.minX() && r.maxX() <= box.maxX() && r.minY() >= box.minY() && r.maxY() <= box.maxY(); };
    auto images = [&](const std::string& name) {
        std::vector<CGRect> out;
        for (auto* i : list.all<CoreGraphics::Op::Image>())
            if (i->name == name) out.push_back(i->state.transform.apply(i->destination));
        return out;
    };
    auto text = [&](const std::string& string) -> std::optional<CGRect> {
        for (auto* t : list.all<CoreGraphics::Op::Text>())
            if (t->text.string() == string) return t->state.transform.apply(t->box);
        return std::nullopt;
    };
    // The form's controls inside the sheet, the parent's button outside it.
    CGFloat formLeft = box.maxX(), formRight = box.minX();
    for (const char* name : {"kvu-window-tab", "kvu-window-tab-selected", "kvu-customslider-on", "kvu-customslider-handle", "kvu-textfield",
                             "less", "more"}) {
        const auto drawn = images(name);
        EXPECT_FALSE(drawn.empty()) << name;
        for (const auto& r : drawn) {
            EXPECT_TRUE(inside(r)) << name << " in the sheet";
            formRight = std::max(formRight, r.maxX());
        }
    }
    const auto button = images("kvu-button");
    ASSERT_EQ(button.size(), 1u);
    EXPECT_FALSE(button[0].intersects(box)) << "the parent's button clear of the sheet";
    // The labels in the sheet, ending on one line left of their controls; the parent's texts
    // outside it.
    std::vector<CGFloat> labelEnds;
    for (const char* label : {"Feel", "Timing", "Delay", "Velocity"}) {
        const auto r = text(label);
        ASSERT_TRUE(r) << label;
        EXPECT_TRUE(inside(*r)) << label;
        labelEnds.push_back(r->maxX());
        formLeft = std::min(formLeft, r->minX());
    }
    for (CGFloat end : labelEnds) EXPECT_NEAR(end, labelEnds.front(), 0.5) << "one label column";
    for (const char* segment : {"Straight", "On beat"}) {
        const auto r = text(segment);
        ASSERT_TRUE(r) << segment;
        EXPECT_TRUE(inside(*r)) << segment;
        EXPECT_GT(r->minX(), labelEnds.front()) << segment << " right of the labels";
    }
    for (const char* outside : {"Presets", "Vantrel Zellow"}) {
        const auto r = text(outside);
        ASSERT_TRUE(r) << outside;
        EXPECT_FALSE(r->intersects(box)) << outside;
    }
    // The form in the middle of its sheet: as much room left of the labels as right of the
    // controls.
    EXPECT_NEAR(formLeft - box.minX(), box.maxX() - formRight, 6) << "left " << formLeft - box.minX() << ", right " << box.maxX() - formRight;

    const std::string dir = std::string(VZ_BINARY_DIR) + "/snapshots";
    std::filesystem::create_directories(dir);
    std::string error;
    ASSERT_TRUE(ctx.makeImage()->writePNG(dir + "/orrindle-settings.png", &error)) << error;
    AppKit::NSApplication::shared().resetForTesting();
}

}  // namespace
