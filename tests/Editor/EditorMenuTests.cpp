#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSWindow.hpp"
#include "Editor/EditorTestSupport.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "TestSupport/MenuScript.hpp"
#include "Vantrel_Zellow_Extension/Editor/AudioUnitViewController.hpp"

namespace {

using namespace EditorTest;
using TestSupport::MenuScript;
using Vantrel_Zellow_Extension::AudioUnitViewController;

// The editor in a window with no chooser installed: its menus open in the window, and what the
// person does there (queued as each menu shows) chooses.
class EditorMenus : public TestSupport::VirtualTimeTest {
protected:
    void SetUp() override {
        TestSupport::VirtualTimeTest::SetUp();
        Settings::setDefaultUpdateFeedURL(std::nullopt);
        controller = AudioUnitViewController::make();
        controller->createAudioUnit({AudioToolbox::kAudioUnitType_MIDIProcessor, AudioToolbox::fourCC("vzlw"), AudioToolbox::fourCC("Qrvn")});
        window = AppKit::NSWindow::make({0, 0, 640, 480});
        window->setContentViewController(controller);
        window->makeKeyAndOrderFront();
        drain();
        hosting = std::dynamic_pointer_cast<SwiftUI::NSHostingView>(controller->children()[0]->view());
    }
    void TearDown() override {
        window->close();
        AppKit::NSApplication::shared().resetForTesting();
        TestSupport::VirtualTimeTest::TearDown();
    }
    // The centre of the menu whose label says `label` ("" for the one with a picture), in the window.
    CoreGraphics::CGPoint menuLabelled(const std::string& label) {
        auto menus = hosting->graph().renderTree().findAll([&](const SwiftUI::RenderNode& n) {
            return n.kind == SwiftUI::RenderNode::Kind::menu && (label.empty() ? n.text.empty() : n.text.find(label) != std::string::npos);
        });
        EXPECT_FALSE(menus.empty()) << label;
        if (menus.empty()) return {};
        const auto f = menus.front()->frame;
        return {f.midX(), 480 - f.midY()};
    }
    void click(CoreGraphics::CGPoint p) {
        auto& app = AppKit::NSApplication::shared();
        app.postEvent(AppKit::NSEvent::mouseEvent(AppKit::EventType::leftMouseDown, p, {}, 0, window, 1));
        app.postEvent(AppKit::NSEvent::mouseEvent(AppKit::EventType::leftMouseUp, p, {}, 0, window, 1));
        app.processQueuedEvents();
        drain();
    }
    bool shows(const std::string& text) {
        window->displayIfNeeded();
        const auto texts = window->displayList().texts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    std::shared_ptr<AudioUnitViewController> controller;
    AppKit::NSWindow::Ptr window;
    std::shared_ptr<SwiftUI::NSHostingView> hosting;
};

TEST_F(EditorMenus, APresetChosenWithTheMouseApplies) {
    ASSERT_TRUE(hosting);
    MenuScript script({MenuScript::clickItem("I Like Twins")});
    click(menuLabelled(""));
    ASSERT_EQ(script.opened(), 1);
    std::filesystem::create_directories(std::string(VZ_BINARY_DIR) + "/snapshots");
    EXPECT_TRUE(script.pictures().front()->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/editor-presets-menu.png"));
    EXPECT_TRUE(shows("11 STEPS"));
    EXPECT_EQ(controller->settings()->stepCount->value(), 11);
}

TEST_F(EditorMenus, AStepCountChosenWithTheKeyboardApplies) {
    ASSERT_TRUE(hosting);
    // Down from nothing highlighted: the first count, then the next.
    std::string second;
    MenuScript script({[&](const AppKit::MenuPresentation& m) {
        second = m.menu().item(1)->title();
        MenuScript::keys({AppKit::KeyCode::downArrow, AppKit::KeyCode::downArrow, AppKit::KeyCode::returnKey})(m);
    }});
    click(menuLabelled("Wide Enough"));
    EXPECT_EQ(script.opened(), 1);
    EXPECT_EQ(second, "2 Steps");
    EXPECT_EQ(controller->settings()->stepCount->value(), 2);
    EXPECT_TRUE(shows("2 STEPS"));
    // Escape leaves it as it was.
    MenuScript closing({MenuScript::keys({AppKit::KeyCode::downArrow, AppKit::KeyCode::escape})});
    click(menuLabelled("Wide Enough"));
    EXPECT_EQ(closing.opened(), 1);
    EXPECT_EQ(controller->settings()->stepCount->value(), 2);
}

}  // namespace
