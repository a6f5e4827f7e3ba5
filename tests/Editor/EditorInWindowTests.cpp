#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "AppKit/MenuPresentation.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSTextField.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/ImageAsset.hpp"
#include "AppKit/NSWindow.hpp"
#include "Editor/EditorTestSupport.hpp"
#include "Foundation/NotificationCenter.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "TestSupport/MenuScript.hpp"
#include "Vantrel_Zellow_Extension/Editor/AudioUnitViewController.hpp"

namespace {

using namespace EditorTest;
using TestSupport::MenuScript;
using CoreGraphics::CGFloat;
using CoreGraphics::CGRect;
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
        return {f.midX(), window->contentSize().height - f.midY()};
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

// In a window of other proportions the preset menu opens at its button, where the centred
// editor shows it, and a click on an item takes that item.
TEST_F(EditorInWindow, AtAnotherShapeThePresetMenuOpensAtItsButtonAndTakesClicks) {
    ASSERT_TRUE(hosting);
    window->setContentSize({1000, 300});
    drain();
    const auto button = menuLabelled("");
    EXPECT_GT(button.x, 300 + 0.625 * 480) << "the button sits right of the band on the left, in the header";
    EXPECT_GT(button.y, 300 - 0.625 * 46);
    CoreGraphics::CGRect menuFrame;
    MenuScript script({[&](const AppKit::MenuPresentation& m) {
        menuFrame = m.frame();
        MenuScript::clickItem("I Like Twins")(m);
    }});
    click(button);
    ASSERT_EQ(script.opened(), 1);
    EXPECT_LT(std::abs(menuFrame.maxY() - button.y), 40) << "it hangs from its button";
    EXPECT_TRUE(script.pictures().front()->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/editor-presets-menu-1000x300.png"));
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

// Ctrl+Q quits while either of the editor's menus is open: the menu closes with nothing
// chosen, and the key does what it does with no menu open.
TEST_F(EditorInWindow, CtrlQQuitsWhileAMenuIsOpen) {
    ASSERT_TRUE(hosting);
    auto& app = AppKit::NSApplication::shared();
    for (const std::string label : {"", "Wide Enough"}) {
        int quits = 0;
        auto token = Foundation::NotificationCenter::defaultCenter().addObserver(
            AppKit::NSApplication::willTerminateNotification, nullptr, [&](const Foundation::Notification&) { ++quits; });
        MenuScript script({[&](const AppKit::MenuPresentation& m) {
            MenuScript::keys({AppKit::KeyCode::downArrow})(m);
            MenuScript::post(AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, AppKit::ModifierFlags::control(), 0, window, "q",
                                                       "q", false, 0));
            MenuScript::keys({AppKit::KeyCode::returnKey})(m);
        }});
        click(menuLabelled(label));
        EXPECT_EQ(script.opened(), 1) << label;
        EXPECT_EQ(quits, 1) << label;
        EXPECT_EQ(AppKit::MenuPresentation::current(), nullptr) << label;
        EXPECT_EQ(controller->settings()->stepCount->value(), 16) << label << ": nothing chosen";
    }
    EXPECT_TRUE(app.isTerminated());
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

// A value longer than a label's field stays inside the field: SEED's 60-point field, a step's
// 30-point one. The field scrolls so that the caret, drawn inside it, follows the typing.
TEST_F(EditorInWindow, ALongValueTypedIntoALabelStaysInsideItsField) {
    ASSERT_TRUE(hosting);
    struct Case {
        std::function<const SwiftUI::RenderNode*()> value;
        std::string typed;
    };
    auto& graph = hosting->graph();
    auto seedValue = [&] { return valueUnder(graph.renderTree(), "SEED"); };
    auto firstStep = [&]() -> const SwiftUI::RenderNode* {
        auto labels = graph.renderTree().findAll([](const SwiftUI::RenderNode& n) { return n.text == "0"; });
        return labels.empty() ? nullptr : labels.front();
    };
    for (const Case& c : {Case{seedValue, "123456789012"}, Case{firstStep, "12345"}}) {
        const auto* value = c.value();
        ASSERT_TRUE(value) << c.typed;
        const auto at = value->frame;
        click({at.midX(), 480 - at.midY()});
        const auto field = [&] {
            return graph.renderTree().find([](const SwiftUI::RenderNode& n) { return n.kind == SwiftUI::RenderNode::Kind::textField; });
        };
        ASSERT_TRUE(field() && field()->focused) << c.typed;
        const CGRect box = field()->frame;
        // The window's picture with the field's frame cleared.
        auto around = [&] {
            window->displayIfNeeded();
            auto image = window->snapshot();
            std::vector<std::uint32_t> out;
            for (int y = 0; y < image->height(); ++y)
                for (int x = 0; x < image->width(); ++x)
                    out.push_back(box.contains({x + 0.5, y + 0.5}) ? 0 : image->argb(x, y));
            return out;
        };
        const auto before = around();
        for (char ch : c.typed) key(std::string(1, ch));
        EXPECT_EQ(field()->text, c.typed);
        EXPECT_TRUE(around() == before) << c.typed << ": nothing is drawn over the dial's name or below the field";
        const CGFloat room = field()->layoutFrame.width() - 2 * SwiftUI::RenderNode::textFieldInset;
        EXPECT_LT(field()->lineStart, 0) << c.typed;
        EXPECT_GE(field()->selectionFrom, 0) << c.typed;
        EXPECT_LE(field()->selectionFrom, room - 1) << c.typed << ": the caret is in the field";
        key("\x1b", AppKit::KeyCode::escape);
    }
}

// A sheet for people to look at: long values in the editor's SEED and step fields and in a kit
// text field, scrolled to the caret at the end, back at the start, and with a selection.
TEST_F(EditorInWindow, SnapshotsOfLongValuesInTheirFields) {
    ASSERT_TRUE(hosting);
    constexpr CGFloat zoom = 3, pad = 10, captionWidth = 190;
    struct Shot {
        std::string caption;
        std::shared_ptr<CoreGraphics::CGImage> image;
        CGRect area;  // in the image's points from its top left
    };
    std::vector<Shot> shots;
    auto& graph = hosting->graph();
    auto fieldNode = [&] {
        return graph.renderTree().find([](const SwiftUI::RenderNode& n) { return n.kind == SwiftUI::RenderNode::Kind::textField; });
    };
    auto shootEditor = [&](const std::string& caption, CGFloat aside, CGFloat above) {
        const auto box = fieldNode()->frame;
        window->displayIfNeeded();
        shots.push_back({caption, window->snapshot(), {box.minX() - aside, box.minY() - above, box.width() + 2 * aside, box.height() + above + 6}});
    };
    const auto* seed = valueUnder(graph.renderTree(), "SEED");
    ASSERT_TRUE(seed);
    click({seed->frame.midX(), 480 - seed->frame.midY()});
    for (char ch : std::string("123456789012")) key(std::string(1, ch));
    shootEditor("SEED, the caret at the end", 16, 26);
    key("\xEF\x9C\xA9");  // Home
    shootEditor("SEED, the caret at the start", 16, 26);
    key("\xEF\x9C\x83");
    key("\xEF\x9C\x83");
    key("\xEF\x9C\xAB", 0, AppKit::ModifierFlags::shift());  // Shift-End
    shootEditor("SEED, 3456789012 selected", 16, 26);
    key("\x1b", AppKit::KeyCode::escape);
    auto steps = graph.renderTree().findAll([](const SwiftUI::RenderNode& n) { return n.text == "0"; });
    ASSERT_FALSE(steps.empty());
    click({steps.front()->frame.midX(), 480 - steps.front()->frame.midY()});
    for (char ch : std::string("12345")) key(std::string(1, ch));
    shootEditor("step 1, five characters", 12, 20);
    key("\x1b", AppKit::KeyCode::escape);

    // A kit field in a window of its own.
    auto kit = AppKit::NSWindow::make({0, 0, 160, 40});
    auto field = Runtime::make<AppKit::NSTextField>(CGRect{20, 9, 120, 22});
    field->setEditable(true);
    field->setBezeled(true);
    kit->contentView()->addSubview(field);
    kit->makeKeyAndOrderFront();
    kit->makeFirstResponder(field);
    auto type = [&](const std::string& characters, AppKit::ModifierFlags flags = {}) {
        auto& app = AppKit::NSApplication::shared();
        app.postEvent(AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, flags, 0, kit, characters, characters, false, 0));
        app.processQueuedEvents();
        drain();
    };
    auto shootKit = [&](const std::string& caption) {
        kit->display();
        shots.push_back({caption, kit->snapshot(), {0, 0, 160, 40}});
    };
    for (char ch : std::string("The quick brown fox jumps over")) type(std::string(1, ch));
    shootKit("kit field, the caret at the end");
    type("\xEF\x9C\xA9");
    shootKit("kit field, the caret at the start");
    for (int i = 0; i < 4; ++i) type("\xEF\x9C\x83");
    for (int i = 0; i < 11; ++i) type("\xEF\x9C\x83", AppKit::ModifierFlags::shift());
    shootKit("kit field, \"quick brown\" selected");
    kit->close();

    CGFloat width = 0, height = pad;
    for (const auto& shot : shots) {
        width = std::max(width, captionWidth + shot.area.width() * zoom + 2 * pad);
        height += shot.area.height() * zoom + pad;
    }
    CoreGraphics::CGContext sheet({width, height}, true, 1);
    sheet.setFillColor(CoreGraphics::CGColor::gray(0.85));
    sheet.fill(CGRect{0, 0, width, height});
    CGFloat y = pad;
    for (const auto& shot : shots) {
        const CGFloat h = shot.area.height() * zoom;
        sheet.drawText(CoreGraphics::AttributedText(shot.caption, CoreGraphics::Font::system(12), CoreGraphics::CGColor::black()),
                       {pad, y + h / 2 - 8, captionWidth - pad, 20});
        sheet.draw(CoreGraphics::ImageAsset::fromBitmap("shot", shot.image), {captionWidth, y, shot.area.width() * zoom, h}, shot.area);
        y += h + pad;
    }
    std::filesystem::create_directories(std::string(VZ_BINARY_DIR) + "/snapshots");
    std::string error;
    EXPECT_TRUE(sheet.makeImage()->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/text-fields-long-values.png", &error)) << error;
}

}  // namespace
