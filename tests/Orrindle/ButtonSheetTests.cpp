#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "ButtonGallery.hpp"
#include "TestSupport/MainLoop.hpp"
#include "TestSupport/MenuScript.hpp"

namespace {

using namespace OrrindleTest;
class ButtonSheet : public TestSupport::VirtualTimeTest {
protected:
    void TearDown() override {
        AppKit::NSApplication::shared().resetForTesting();
        TestSupport::VirtualTimeTest::TearDown();
    }
};

// build/snapshots/orrindle-buttons.png: every button, check box and pop-up of the kit in its
// states at its natural size.
TEST_F(ButtonSheet, ShowsEveryControlInItsStates) {
    ButtonGallery gallery;
    gallery.window->makeKeyAndOrderFront();
    CoreGraphics::CGContext ctx(gallery.size, false, 2);
    gallery.drawSheet(ctx);

    // The last pop-up opened by a click, its menu drawn over the sheet as the window shows it
    // (the sheet's space is the window's), then closed with Escape.
    auto popUp = gallery.find("Open menu", "open");
    ASSERT_TRUE(popUp);
    TestSupport::MenuScript script({[&](const AppKit::MenuPresentation& m) {
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        for (const auto& overlay : m.window().overlays()) overlay->displayInCurrentContext();
        TestSupport::MenuScript::keys({AppKit::KeyCode::escape})(m);
    }});
    const CGRect f = popUp->frame();
    const AppKit::CGPoint middle = popUp->superview()->convertTo(AppKit::CGPoint{f.midX(), f.midY()}, nullptr);
    auto& app = AppKit::NSApplication::shared();
    app.postEvent(AppKit::NSEvent::mouseEvent(AppKit::EventType::leftMouseDown, middle, {}, 0, gallery.window, 1));
    app.postEvent(AppKit::NSEvent::mouseEvent(AppKit::EventType::leftMouseUp, middle, {}, 0, gallery.window, 1));
    app.processQueuedEvents();
    EXPECT_EQ(script.opened(), 1);
    EXPECT_EQ(std::dynamic_pointer_cast<AppKit::NSPopUpButton>(popUp)->titleOfSelectedItem(), "Quarter notes") << "closed without a pick";
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
