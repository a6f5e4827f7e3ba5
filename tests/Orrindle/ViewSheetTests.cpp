#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "AppKit/NSApplication.hpp"
#include "TestSupport/MainLoop.hpp"
#include "ViewGallery.hpp"

namespace {

using namespace OrrindleTest;
using ViewSheet = TestSupport::VirtualTimeTest;

// build/snapshots/orrindle-views.png: the segmented control, sliders, image and split views,
// the outline and an open text popover, in their states.
TEST_F(ViewSheet, ShowsEveryViewInItsStatesWithAnOpenPopover) {
    ViewGallery gallery;
    gallery.window->makeKeyAndOrderFront();
    gallery.openPopover();
    ASSERT_TRUE(gallery.popover->popover()->isShown());
    CoreGraphics::CGContext ctx(gallery.size, false, 2);
    gallery.drawSheet(ctx);
    const auto names = ctx.displayList().imageNames();
    for (const char* name : {"kvu-window-tab", "kvu-window-tab-selected", "kvu-window-tab-down", "kvu-slider-alley", "kvu-slider",
                             "kvu-slider-handle", "kvu-slider-handle-down", "organiser-icon-disclose", "organiser-icon-disclose-open",
                             "kvu-customslider-handle", "kvu-searchfield", "kvu-textfield", "NSStopProgressFreestandingTemplate"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    for (std::size_t i = 0; i < gallery.samples.size(); ++i)
        for (std::size_t j = i + 1; j < gallery.samples.size(); ++j)
            EXPECT_FALSE(gallery.samples[i].view->frame().intersects(gallery.samples[j].view->frame()))
                << gallery.samples[i].caption << " and " << gallery.samples[j].caption;
    // The popover's message is drawn whole.
    bool message = false;
    for (auto* t : ctx.displayList().all<CoreGraphics::Op::Text>()) message |= t->text.string() == "Must be between 20 and 300";
    EXPECT_TRUE(message);

    const std::string dir = std::string(VZ_BINARY_DIR) + "/snapshots";
    std::filesystem::create_directories(dir);
    std::string error;
    ASSERT_TRUE(ctx.makeImage()->writePNG(dir + "/orrindle-views.png", &error)) << error;
    gallery.popover->close();
    AppKit::NSApplication::shared().resetForTesting();
}

}  // namespace
