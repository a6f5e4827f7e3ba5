#include <gtest/gtest.h>

#include "TestSupport/RealWindow.hpp"

#include <SDL.h>

#include <cstdlib>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSWindow.hpp"
#include "Editor/EditorTestSupport.hpp"
#include "Host/WindowBackends/BackendSelection.hpp"
#include "Host/WindowBackends/SDLBackend.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "TestSupport/XClipboardPeer.hpp"
#include "Vantrel_Zellow_Extension/Editor/AudioUnitViewController.hpp"

namespace {

using Vantrel_Zellow_Extension::AudioUnitViewController;

std::pair<std::size_t, std::size_t> span(std::size_t from, std::size_t to) { return {from, to}; }

class EditorWindow : public TestSupport::RealWindowTest {
protected:
    static void push(Uint32 type, unsigned window, int x, int y, bool held) { TestSupport::pushMouse(type, window, x, y, held); }
    // The editor of a new unit in a window of its own size, shown.
    static std::pair<std::shared_ptr<AudioUnitViewController>, AppKit::NSWindow::Ptr> openEditor() {
        Vantrel_Zellow_Extension::Settings::setDefaultUpdateFeedURL(std::nullopt);
        auto controller = AudioUnitViewController::make();
        controller->createAudioUnit({AudioToolbox::kAudioUnitType_MIDIProcessor, AudioToolbox::fourCC("vzlw"), AudioToolbox::fourCC("Qrvn")});
        controller->view();
        const auto size = controller->preferredContentSize();
        auto window = AppKit::NSWindow::make({0, 0, size.width, size.height});
        window->setTitle("Vantrel Zellow");
        window->setContentViewController(controller);
        window->makeKeyAndOrderFront();
        return {controller, window};
    }
};

// The editor in a real SDL2 window: it shows what the editor draws, and a drag of the pointer
// on the delay dial turns it.
TEST_F(EditorWindow, ShowsTheEditorAndTurnsADialUnderTheMouse) {
    VZ_REAL_WINDOW_BACKEND(sdl);
    const auto opened = openEditor();
    const auto& controller = opened.first;
    const auto& window = opened.second;
    drain();
    sdl->pump();
    auto shown = sdl->readBack(*window);
    auto drawn = window->snapshot();
    ASSERT_TRUE(shown && drawn);
    EXPECT_EQ(shown->width(), drawn->width());
    for (auto [x, y] : {std::pair{3, 3}, std::pair{320, 300}, std::pair{600, 400}}) EXPECT_EQ(shown->pixel(x, y), drawn->pixel(x, y));

    // The delay dial's knob sits at about (65, 120) from the top left.
    const unsigned id = sdl->sdlWindowID(*window);
    const float before = controller->settings()->delay->value();
    // One event at a time, as a person's hand delivers them.
    auto deliver = [&] {
        sdl->pump();
        drain();
    };
    push(SDL_MOUSEBUTTONDOWN, id, 65, 120, true);
    deliver();
    for (int i = 1; i <= 10; ++i) {
        push(SDL_MOUSEMOTION, id, 65, 120 - 5 * i, true);
        deliver();
        if (i == 5) {
            EXPECT_TRUE(controller->settings()->delay->isBeingInteractivelyEdited());
        }
    }
    push(SDL_MOUSEBUTTONUP, id, 65, 70, false);
    deliver();
    EXPECT_GT(controller->settings()->delay->value(), before);
    EXPECT_FALSE(controller->settings()->delay->isBeingInteractivelyEdited());
    window->close();
}

// SEED's label in a real window, driven through SDL: a long value stays inside its field, the
// mouse places the caret and selects, and copy and paste go through the X display's clipboard,
// to and from another program on it.
TEST_F(EditorWindow, ALabelFieldKeepsItsLineAndCopiesAndPastesThroughTheDesktopsClipboard) {
    VZ_REAL_WINDOW_BACKEND(sdl);
    const auto opened = openEditor();
    const auto& controller = opened.first;
    const auto& window = opened.second;
    auto hosting = std::dynamic_pointer_cast<SwiftUI::NSHostingView>(controller->children()[0]->view());
    ASSERT_TRUE(hosting);
    auto& graph = hosting->graph();
    const unsigned id = sdl->sdlWindowID(*window);
    auto deliver = [&] {
        sdl->pump();
        drain();
        window->displayIfNeeded();
        sdl->pump();
    };
    deliver();
    // The graph's points are the window's pixels from its top left.
    auto click = [&](SwiftUI::CGPoint p, std::optional<SwiftUI::CGPoint> dragTo = std::nullopt) {
        const SwiftUI::CGPoint end = dragTo.value_or(p);
        TestSupport::pressAndRelease(id, int(std::lround(p.x)), int(std::lround(p.y)), int(std::lround(end.x)), int(std::lround(end.y)),
                                     deliver);
    };
    const auto* value = EditorTest::valueUnder(graph.renderTree(), "SEED");
    ASSERT_TRUE(value);
    click(value->frame.center());
    auto field = [&] {
        return graph.renderTree().find([](const SwiftUI::RenderNode& n) { return n.kind == SwiftUI::RenderNode::Kind::textField; });
    };
    ASSERT_TRUE(field() && field()->focused);
    const auto box = field()->frame;
    // What the window shows around the field: the dial with its name, the field's pixels cleared.
    auto around = [&] {
        auto shown = sdl->readBack(*window);
        std::vector<std::uint32_t> out;
        for (int y = int(box.minY()) - 40; y < int(box.maxY()) + 40; ++y)
            for (int x = int(box.minX()) - 20; x < int(box.maxX()) + 20; ++x)
                out.push_back(box.contains({x + 0.5, y + 0.5}) ? 0 : shown->argb(x, y));
        return out;
    };
    const auto before = around();
    const std::string typed = "123456789012";
    for (char c : typed) TestSupport::pushKeys(id, {SDL_Keycode(c)});
    deliver();
    ASSERT_TRUE(field());
    EXPECT_EQ(field()->text, typed);
    EXPECT_LT(field()->lineStart, 0);
    EXPECT_TRUE(around() == before) << "nothing wraps over the name or below the field";
    TestSupport::pushKeys(id, {SDLK_HOME});
    deliver();
    ASSERT_TRUE(field());
    EXPECT_EQ(field()->lineStart, 0);

    // Where the boundary after `bytes` bytes falls on the line as it is placed.
    auto at = [&](std::size_t bytes) {
        const auto* f = field();
        const auto prefix = CoreGraphics::AttributedText(f->text.substr(0, bytes), f->font.resolved(), CoreGraphics::CGColor::black());
        // Laid out, then drawn where the editor's scaling puts it.
        return f->transform.apply(SwiftUI::CGPoint{
            f->layoutFrame.minX() + SwiftUI::RenderNode::textFieldInset + f->lineStart + CoreGraphics::TextLayout::size(prefix).width,
            f->layoutFrame.midY()});
    };
    auto selection = [&] {
        const auto* f = field();
        return f ? span(f->selectionStart, f->selectionEnd) : span(99, 99);
    };
    click(at(3));
    EXPECT_EQ(selection(), span(3, 3));
    click(at(1), at(4));
    EXPECT_EQ(selection(), span(1, 4));

    TestSupport::pushKeys(id, {SDLK_c}, KMOD_CTRL);
    deliver();
    EXPECT_EQ(TestSupport::XClipboardPeer::read(deliver), "234");
    TestSupport::XClipboardPeer other;
    ASSERT_TRUE(other.offer("77"));
    TestSupport::pushKeys(id, {SDLK_v}, KMOD_CTRL);
    deliver();
    ASSERT_TRUE(field());
    EXPECT_EQ(field()->text, "17756789012");
    TestSupport::pushKeys(id, {SDLK_z}, KMOD_CTRL);
    deliver();
    ASSERT_TRUE(field());
    EXPECT_EQ(field()->text, typed);
    TestSupport::pushKeys(id, {SDLK_ESCAPE});
    deliver();
    EXPECT_FALSE(field());
    window->close();
}

}  // namespace
