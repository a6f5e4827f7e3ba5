#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "ButtonGallery.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace OrrindleTest;
using ButtonSheet = TestSupport::VirtualTimeTest;

// build/snapshots/orrindle-buttons.png: every button, check box and pop-up of the kit in its
// states at its natural size.
TEST_F(ButtonSheet, ShowsEveryControlInItsStates) {
    ButtonGallery gallery;
    gallery.window->makeKeyAndOrderFront();
    CoreGraphics::CGContext ctx(gallery.size, false, 2);
    gallery.drawSheet(ctx);
    const auto& list = ctx.displayList();
    // Every bezel family appears, in its pressed and disabled looks too.
    const auto names = list.imageNames();
    for (const char* name : {"kvu-button", "kvu-button-down", "kvu-button-selected", "kvu-checkbox", "kvu-checkbox-on",
                             "kvu-checkbox-mixed", "organiser-icon-star", "organiser-navbar-back-down", "corner-tool-background",
                             "kvu-popup", "kvu-popup-down", "kvu-popdown", "kvu-popdown-down", "kvu-popup-tool", "kvu-popup-tool-down"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    // Samples never overlap.
    for (std::size_t i = 0; i < gallery.samples.size(); ++i)
        for (std::size_t j = i + 1; j < gallery.samples.size(); ++j)
            EXPECT_FALSE(gallery.samples[i].control->frame().intersects(gallery.samples[j].control->frame()))
                << gallery.samples[i].row << "/" << gallery.samples[i].caption << " and " << gallery.samples[j].row << "/"
                << gallery.samples[j].caption;

    const std::string dir = std::string(VZ_BINARY_DIR) + "/snapshots";
    std::filesystem::create_directories(dir);
    std::string error;
    ASSERT_TRUE(ctx.makeImage()->writePNG(dir + "/orrindle-buttons.png", &error)) << error;
}

}  // namespace
