#include <gtest/gtest.h>

#include <SDL.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <sstream>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSViewController.hpp"
#include "Dispatch/Timer.hpp"
#include "Host/AudioHost/MidiFile.hpp"
#include "Host/AudioHost/Editor/EditCommand.hpp"
#include "Host/WindowBackends/SDLBackend.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "TestSupport/MainLoop.hpp"
#include "TestSupport/RealWindow.hpp"
#include "TestSupport/MenuScript.hpp"
#include "TestSupport/RealWindow.hpp"
#include "Vantrel_Zellow_Extension/Engine/MidiZellowAudioUnit.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace {

using TestSupport::MenuScript;

const std::string appex = std::string(VZ_BINARY_DIR) + "/Vantrel_Zellow.app/Contents/PlugIns/Vantrel_Zellow_Extension.appex";

// `auhost edit` as the program opens it, in a real SDL2 window, used through SDL's own input
// queue: what reaches the editor is what a person's mouse and keyboard would send.
class AuhostEditWindow : public TestSupport::VirtualTimeTest {
protected:
    void SetUp() override {
        TestSupport::VirtualTimeTest::SetUp();
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
            if (std::getenv("VZ_REQUIRE_DISPLAY")) FAIL() << "no display, though one was promised";
            GTEST_SKIP() << "no display";
        }
        Vantrel_Zellow_Extension::Settings::setDefaultUpdateFeedURL(std::nullopt);
        ::setenv("VZ_WINDOW_BACKEND", "sdl", 1);
        source = std::make_unique<AudioHost::ExtensionUnitSource>(appex);
        session = std::make_unique<AudioHost::EditSession>(*source, AudioHost::EditOptions::parse({}));
        sdl = dynamic_cast<WindowBackends::SDLBackend*>(AppKit::NSApplication::shared().windowBackend());
        ASSERT_TRUE(sdl);
        id = sdl->sdlWindowID(session->window());
        hosting = std::dynamic_pointer_cast<SwiftUI::NSHostingView>(session->window().contentViewController()->children()[0]->view());
        ASSERT_TRUE(hosting);
    }
    void TearDown() override {
        session.reset();
        ::unsetenv("VZ_WINDOW_BACKEND");
        AppKit::NSApplication::shared().resetForTesting();
        AppKit::NSApplication::shared().setWindowBackend(nullptr);
        TestSupport::VirtualTimeTest::TearDown();
    }

    // A point of the window (y up, points) in the SDL window's pixels.
    SDL_Point pixels(CoreGraphics::CGPoint p) const {
        const double s = session->window().backingScaleFactor();
        return {int(p.x * s), int((session->window().contentSize().height - p.y) * s)};
    }
    void pushClick(CoreGraphics::CGPoint at) const {
        const SDL_Point p = pixels(at);
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.windowID = id;
        e.motion.x = p.x;
        e.motion.y = p.y;
        SDL_PushEvent(&e);
        for (Uint32 type : {Uint32(SDL_MOUSEBUTTONDOWN), Uint32(SDL_MOUSEBUTTONUP)}) {
            e = {};
            e.type = type;
            e.button.windowID = id;
            e.button.button = SDL_BUTTON_LEFT;
            e.button.clicks = 1;
            e.button.x = p.x;
            e.button.y = p.y;
            SDL_PushEvent(&e);
        }
    }
    void pushKeys(std::initializer_list<SDL_Keycode> keys) const { TestSupport::pushKeys(id, keys); }
    void deliver() const {
        sdl->pump();
        drain();
        session->window().displayIfNeeded();
    }
    // Where the editor drew the first item that passes `test`, in window points (y up).
    CoreGraphics::CGPoint where(const std::function<bool(const SwiftUI::RenderNode&)>& test) const {
        const auto* node = hosting->graph().renderTree().find(test);
        EXPECT_TRUE(node);
        if (!node) return {};
        return {node->frame.midX(), session->window().contentSize().height - node->frame.midY()};
    }
    // The SDL window's picture is the one drawn, and that drawing holds these texts in order.
    void expectShown(const std::vector<std::string>& texts) const {
        auto shown = sdl->readBack(session->window());
        auto drawn = session->window().snapshot();
        ASSERT_TRUE(shown && drawn);
        ASSERT_EQ(shown->width(), drawn->width());
        int differing = 0;
        for (int y = 0; y < drawn->height(); y += 7)
            for (int x = 0; x < drawn->width(); x += 7) differing += shown->pixel(x, y) != drawn->pixel(x, y);
        EXPECT_EQ(differing, 0);
        const auto all = session->window().displayList().texts();
        for (std::size_t i = 0; i + texts.size() <= all.size(); ++i)
            if (std::equal(texts.begin(), texts.end(), all.begin() + long(i))) return;
        ADD_FAILURE() << "the window does not show " << ::testing::PrintToString(texts);
    }

    std::unique_ptr<AudioHost::ExtensionUnitSource> source;
    std::unique_ptr<AudioHost::EditSession> session;
    WindowBackends::SDLBackend* sdl = nullptr;
    unsigned id = 0;
    std::shared_ptr<SwiftUI::NSHostingView> hosting;
};

TEST_F(AuhostEditWindow, APresetChosenWithTheMouseThenATypedDelay) {
    MenuScript script({[&](const AppKit::MenuPresentation& menu) { pushClick(menu.locationOfItem("I Like Twins")); }});
    pushClick(where([](const SwiftUI::RenderNode& n) { return n.kind == SwiftUI::RenderNode::Kind::menu && n.text.empty(); }));
    deliver();
    ASSERT_EQ(script.opened(), 1);
    std::filesystem::create_directories(std::string(VZ_BINARY_DIR) + "/snapshots");
    EXPECT_TRUE(script.pictures().front()->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/auhost-edit-presets-menu.png"));
    expectShown({"11 STEPS"});

    pushClick(where([](const SwiftUI::RenderNode& n) { return n.kind == SwiftUI::RenderNode::Kind::text && n.text == "0.0"; }));
    deliver();
    pushKeys({SDLK_1, SDLK_2, SDLK_RETURN});
    deliver();
    expectShown({"12.0", "MS"});
    expectShown({"11 STEPS"});
    EXPECT_TRUE(session->window().snapshot()->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/auhost-edit-typed.png"));
}

TEST_F(AuhostEditWindow, AStepCountChosenWithTheKeyboard) {
    MenuScript script({[&](const AppKit::MenuPresentation&) { pushKeys({SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN}); }});
    pushClick(where([](const SwiftUI::RenderNode& n) { return n.kind == SwiftUI::RenderNode::Kind::menu && n.text == "Wide Enough Now"; }));
    deliver();
    ASSERT_EQ(script.opened(), 1);
    expectShown({"3 STEPS"});
}

// The desktop's shortcuts reach the editor's window: Ctrl+W closes it, which ends the session,
// and Ctrl+Q quits. Its menus are dark, like the editor they open over.
TEST_F(AuhostEditWindow, CtrlWClosesItCtrlQQuitsAndItsMenusAreDarkLikeIt) {
    std::optional<bool> dark;
    MenuScript script({[&](const AppKit::MenuPresentation& menu) {
        dark = menu.appearance().isDark();
        pushKeys({SDLK_ESCAPE});
    }});
    pushClick(where([](const SwiftUI::RenderNode& n) { return n.kind == SwiftUI::RenderNode::Kind::menu && n.text.empty(); }));
    deliver();
    ASSERT_EQ(script.opened(), 1);
    EXPECT_EQ(dark, std::optional<bool>(true));

    TestSupport::pushKeys(id, {SDLK_q}, KMOD_LCTRL);
    deliver();
    ASSERT_TRUE(AppKit::NSApplication::shared().isTerminated());
    std::ostringstream out, err;
    EXPECT_EQ(session->run(out, err), 0) << "quitting ends the run";
    AppKit::NSApplication::shared().resetForTesting();

    session.reset();
    session = std::make_unique<AudioHost::EditSession>(*source, AudioHost::EditOptions::parse({}));
    // A session installs a back end of its own.
    sdl = dynamic_cast<WindowBackends::SDLBackend*>(AppKit::NSApplication::shared().windowBackend());
    ASSERT_TRUE(sdl);
    sdl->pump();
    drain();
    TestSupport::pushKeys(sdl->sdlWindowID(session->window()), {SDLK_w}, KMOD_LCTRL);
    deliver();
    EXPECT_FALSE(session->window().isVisible());
    EXPECT_EQ(session->run(out, err), 0) << "the closed window ends the run";
}

// At twice its size (--size 1280x960) the editor's menus are twice as large too, and take
// their items where they show them.
TEST_F(AuhostEditWindow, AtTwiceItsSizeItsMenusAreTwiceAsLarge) {
    session.reset();
    session = std::make_unique<AudioHost::EditSession>(*source, AudioHost::EditOptions::parse({"--size", "1280x960"}));
    sdl = dynamic_cast<WindowBackends::SDLBackend*>(AppKit::NSApplication::shared().windowBackend());
    ASSERT_TRUE(sdl);
    id = sdl->sdlWindowID(session->window());
    hosting = std::dynamic_pointer_cast<SwiftUI::NSHostingView>(session->window().contentViewController()->children()[0]->view());
    ASSERT_TRUE(hosting);
    double rowHeight = 0;
    MenuScript script({[&](const AppKit::MenuPresentation& menu) {
        rowHeight = menu.frameOfItem(0).size.height;
        pushClick(menu.locationOfItem("I Like Twins"));
    }});
    pushClick(where([](const SwiftUI::RenderNode& n) { return n.kind == SwiftUI::RenderNode::Kind::menu && n.text.empty(); }));
    deliver();
    ASSERT_EQ(script.opened(), 1);
    EXPECT_EQ(rowHeight, 44) << "twice a row's 22 points";
    EXPECT_TRUE(script.pictures().front()->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/auhost-edit-presets-menu-twice.png"));
    expectShown({"11 STEPS"});
}

// `auhost edit --play` in a real window, on real time: the song (one bar, a second long) plays
// over and over, as a host's cycle does, the playing step moving on, until the window closes.
class AuhostEditWindowPlaying : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
            if (std::getenv("VZ_REQUIRE_DISPLAY")) FAIL() << "no display, though one was promised";
            GTEST_SKIP() << "no display";
        }
        Vantrel_Zellow_Extension::Settings::setDefaultUpdateFeedURL(std::nullopt);
        ::setenv("VZ_WINDOW_BACKEND", "sdl", 1);
        AudioHost::MidiSong bar;
        bar.tracks.resize(1);
        bar.tracks[0].add(0, std::vector<std::uint8_t>{0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90});  // 240 beats a minute
        for (int i = 0; i < 16; ++i) {
            bar.tracks[0].add(i * 120, std::vector<std::uint8_t>{0x90, 60, 100});
            bar.tracks[0].add(i * 120 + 60, std::vector<std::uint8_t>{0x80, 60, 0});
        }
        std::filesystem::create_directories(std::string(VZ_BINARY_DIR) + "/test-output");
        song = std::string(VZ_BINARY_DIR) + "/test-output/one-bar-" + std::to_string(::getpid()) + ".mid";
        AudioHost::MidiFile::write(bar, song);
    }
    void TearDown() override {
        ::unsetenv("VZ_WINDOW_BACKEND");
        std::filesystem::remove(song);
        AppKit::NSApplication::shared().resetForTesting();
        AppKit::NSApplication::shared().setWindowBackend(nullptr);
    }
    std::string song;
};

TEST_F(AuhostEditWindowPlaying, TheSongPlaysInALoopUntilTheWindowCloses) {
    AudioHost::ExtensionUnitSource source(appex);
    // Plays `file` until the window is closed after `seconds`; how long the run lasted, and
    // the steps the unit showed after the song's first second.
    auto play = [&](const std::string& file, double seconds) {
        AudioHost::EditSession session(source, AudioHost::EditOptions::parse({"--play", file}));
        auto& unit = dynamic_cast<Vantrel_Zellow_Extension::MidiZellowAudioUnit&>(session.unit());
        const auto start = std::chrono::steady_clock::now();
        auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
        std::set<int> laterSteps;
        auto watch = Dispatch::Timer::scheduledTimer(0.02, true, [&](Dispatch::Timer&) {
            if (elapsed() > 1.3) laterSteps.insert(unit.midiProcessor().displayStep.load());
            if (elapsed() > seconds && session.window().isVisible()) session.window().close();
        });
        std::ostringstream out, err;
        EXPECT_EQ(session.run(out, err), 0) << err.str();
        watch->invalidate();
        return std::pair{elapsed(), laterSteps};
    };
    const auto [lasted, steps] = play(song, 3.2);
    EXPECT_GE(lasted, 3.2) << "the song's end closed the editor";
    // A song that stopped at its end would leave one step showing; a slow machine's main thread
    // may look in only now and then, so a few different steps are proof enough.
    EXPECT_GE(steps.size(), 3u) << "the playing step moved through the bar again and again";

    // A song with nothing to play leaves the window open too.
    AudioHost::MidiSong silence;
    silence.tracks.resize(1);
    silence.tracks[0].add(0, std::vector<std::uint8_t>{0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90});
    const std::string empty = song + ".empty.mid";
    AudioHost::MidiFile::write(silence, empty);
    EXPECT_GE(play(empty, 1.5).first, 1.5);
    std::filesystem::remove(empty);
}

}  // namespace
