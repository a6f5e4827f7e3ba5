#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

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
    CoreGraphics::CGContext ctx(gallery.pictureSize(), false, 2);
    gallery.drawSheet(ctx);
    const auto names = ctx.displayList().imageNames();
    for (const char* name : {"kvu-window-tab", "kvu-window-tab-selected", "kvu-customslider-on", "kvu-customslider-handle", "kvu-textfield",
                             "less", "more", "kvu-button"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    std::vector<std::string> texts;
    for (auto* t : ctx.displayList().all<CoreGraphics::Op::Text>()) texts.push_back(t->text.string());
    for (const char* text : {"Feel", "Timing", "Delay", "Velocity", "Straight", "On beat", "Presets", "Vantrel Zellow"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    // The sheet fits inside its parent, hanging from the top of its content.
    const CGRect content = gallery.parent->contentRect(gallery.parent->frame());
    const CGRect sheet = gallery.sheet->frame();
    EXPECT_GE(sheet.minX(), content.minX());
    EXPECT_LE(sheet.maxX(), content.maxX());
    EXPECT_EQ(sheet.maxY(), content.maxY());
    EXPECT_GE(sheet.minY(), content.minY());

    const std::string dir = std::string(VZ_BINARY_DIR) + "/snapshots";
    std::filesystem::create_directories(dir);
    std::string error;
    ASSERT_TRUE(ctx.makeImage()->writePNG(dir + "/orrindle-settings.png", &error)) << error;
    AppKit::NSApplication::shared().resetForTesting();
}

}  // namespace
