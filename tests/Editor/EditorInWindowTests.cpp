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

// The editor in a window, driven by events as a person drives it. No chooser is installed: its
// menus open in the window, and what the person does there (queued as each menu shows) chooses.
class EditorInWindow : public TestSupport::VirtualTimeTest {
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
    void key(const std::string& characters, std::uint16_t code = 0, AppKit::ModifierFlags flags = {}) {
        auto& app = AppKit::NSApplication::shared();
        app.postEvent(AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, flags, 0, window, characters, characters, false, code));
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

TEST_F(EditorInWindow, APresetChosenWithTheMouseApplies) {
    ASSERT_TRUE(hosting);
    MenuScript script({MenuScript::clickItem("I Like Twins")});
    click(menuLabelled(""));
    ASSERT_EQ(script.opened(), 1);
    std::filesystem::create_directories(std::string(VZ_BINARY_DIR) + "/snapshots");
    EXPECT_TRUE(script.pictures().front()->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/editor-presets-menu.png"));
    EXPECT_TRUE(shows("11 STEPS"));
    EXPECT_EQ(controller->settings()->stepCount->value(), 11);
}

TEST_F(EditorInWindow, AStepCountChosenWithTheKeyboardApplies) {
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

// Clicking a dial's value opens its field with the value selected, so what is typed replaces
// it; the field is dark with light text in the dark editor.
TEST_F(EditorInWindow, ATypedValueReplacesTheSelectedOne) {
    ASSERT_TRUE(hosting);
    auto values = hosting->graph().renderTree().findAll([](const SwiftUI::RenderNode& n) { return n.text == "0.0"; });
    ASSERT_FALSE(values.empty());
    const auto at = values.front()->frame;
    click({at.midX(), 480 - at.midY()});
    const auto* field = hosting->graph().renderTree().find([](const SwiftUI::RenderNode& n) { return n.kind == SwiftUI::RenderNode::Kind::textField; });
    ASSERT_TRUE(field);
    EXPECT_TRUE(field->focused);
    EXPECT_EQ(field->text, "0.0");
    EXPECT_EQ(field->selectionStart, 0u);
    EXPECT_EQ(field->selectionEnd, 3u);
    EXPECT_EQ(field->colorScheme, SwiftUI::ColorScheme::dark);
    auto picture = window->snapshot();
    std::filesystem::create_directories(std::string(VZ_BINARY_DIR) + "/snapshots");
    EXPECT_TRUE(picture->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/editor-editing.png"));
    // Readable: the field's middle is dark behind light text, its selection a blue.
    const auto box = field->frame;
    const auto inside = picture->pixel(int(box.origin.x + 4), int(box.midY()));
    EXPECT_LT(inside.r + inside.g + inside.b, 0.9) << "a dark field";
    const auto selection = picture->pixel(int(box.midX()), int(box.origin.y + box.size.height / 2 - 6));
    EXPECT_GT(selection.b, selection.r + 0.2) << "the selection shows";

    key("1");
    key("2");
    key("\r", AppKit::KeyCode::returnKey);
    EXPECT_FLOAT_EQ(controller->settings()->delay->value(), 12);
    EXPECT_TRUE(shows("12.0 MS") || shows("12.0"));
}

}  // namespace
