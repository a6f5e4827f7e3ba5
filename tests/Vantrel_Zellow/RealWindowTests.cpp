#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "TestSupport/RealWindow.hpp"

#include <unistd.h>

#include "AppKit/MenuPresentation.hpp"
#include "AppKit/StandardAboutPanel.hpp"
#include "AppTestSupport.hpp"
#include "Host/ApplicationHost/ApplicationProgram.hpp"
#include "TestSupport/MenuScript.hpp"
#include "TestSupport/OtherXClient.hpp"
#include "TestSupport/WindowManager.hpp"

namespace {

using TestSupport::MenuScript;
using TestSupport::OtherXClient;
using TestSupport::pushKeys;
using TestSupport::WindowManager;

// The application in a real SDL2 window on a virtual display, used with the keyboard as a
// person would: F10 opens its menu, the arrows and Return take an item.
class AppWindow : public AppTest::AppTest {
protected:
    void TearDown() override {
        AppTest::AppTest::TearDown();
        AppKit::NSApplication::shared().setWindowBackend(nullptr);
    }
    // Launches the application, its update feed listing 1.3, in SDL windows.
    void launchShown(WindowBackends::SDLBackend& backend) {
        sdl = &backend;
        serveFeed("1.3");
        launch();
        window = mainWindow();
        id = sdl->sdlWindowID(*window);
        ASSERT_NE(id, 0u);
    }
    // What the welcome window shows after `seconds` more.
    std::shared_ptr<CoreGraphics::CGImage> show(double seconds) const { return TestSupport::shownAfter(*sdl, *window, seconds); }

    WindowBackends::SDLBackend* sdl = nullptr;
    std::shared_ptr<AppKit::NSWindow> window;
    unsigned id = 0;
};

TEST_F(AppWindow, AnimatesAndItsMenuOpensAboutAndTheUpdateWindow) {
    VZ_REAL_WINDOW_BACKEND(backend);
    launchShown(*backend);
    auto first = show(0.5);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->width(), int(400 * window->backingScaleFactor()));
    auto drawn = window->snapshot();
    for (auto [x, y] : {std::pair{10, 10}, std::pair{200, 150}, std::pair{200, 546}}) EXPECT_EQ(first->pixel(x, y), drawn->pixel(x, y));
    EXPECT_FALSE(*first == *show(0.5)) << "the header moves";

    MenuScript script({[&](const AppKit::MenuPresentation&) { pushKeys(id, {SDLK_DOWN, SDLK_RETURN}); },
                       [&](const AppKit::MenuPresentation&) { pushKeys(id, {SDLK_DOWN, SDLK_DOWN, SDLK_RETURN}); },
                       [&](const AppKit::MenuPresentation&) { pushKeys(id, {SDLK_UP, SDLK_RETURN}); }});
    // About: its own window, key; the header stands still behind it.
    pushKeys(id, {SDLK_F10});
    show(0.1);
    ASSERT_EQ(script.opened(), 1);
    auto panel = AppKit::NSApplication::shared().aboutPanel();
    ASSERT_TRUE(panel && panel->isVisible());
    EXPECT_NE(sdl->sdlWindowID(*panel), 0u);
    EXPECT_TRUE(panel->isKeyWindow());
    auto paused = show(0.2);
    EXPECT_TRUE(*paused == *show(1.0)) << "the header stands still while About is key";
    std::filesystem::create_directories(std::string(VZ_BINARY_DIR) + "/snapshots");
    EXPECT_TRUE(sdl->readBack(*panel)->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/app-about.png"));

    // Closed from the window manager's button, the welcome window is key again and moves.
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = sdl->sdlWindowID(*panel);
    SDL_PushEvent(&close);
    show(0.1);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(window->isKeyWindow());
    EXPECT_FALSE(*paused == *show(0.5));

    // Check for Updates…: the outcome in a window of its own.
    pushKeys(id, {SDLK_F10});
    show(0.1);
    ASSERT_EQ(script.opened(), 2);
    auto alert = waitForAlert();
    ASSERT_TRUE(alert);
    sdl->pump();
    drain();
    EXPECT_NE(sdl->sdlWindowID(*alert), 0u);
    EXPECT_EQ(alert->messageText(), "A new version of Vantrel Zellow is available!");
    EXPECT_TRUE(alert->isKeyWindow());
    EXPECT_TRUE(sdl->readBack(*alert)->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/app-update-found.png"));
    pushKeys(sdl->sdlWindowID(*alert), {SDLK_RETURN});
    show(0.1);
    EXPECT_FALSE(alert->isVisible()) << "Return is OK";

    // Quit, the menu's last item.
    pushKeys(id, {SDLK_F10});
    show(0.1);
    ASSERT_EQ(script.opened(), 3);
    EXPECT_TRUE(AppKit::NSApplication::shared().isTerminated());
}

// Another program taking the focus resigns the application: the welcome window is no longer
// key, no new picture is shown for a second and the header's clock stands still; the focus
// given back, as a window manager gives it on a click, makes the window key again and the
// header goes on from where it stopped.
TEST_F(AppWindow, AnotherProgramTakingTheFocusPausesTheHeaderUntilTheFocusComesBack) {
    VZ_REAL_WINDOW_BACKEND(backend);
    OtherXClient other;
    ASSERT_TRUE(other.connected());
    launchShown(*backend);
    auto& app = AppKit::NSApplication::shared();
    auto controller = header();
    ASSERT_TRUE(controller && controller->renderer());
    show(0.5);
    const auto animating = sdl->picturesShown(*window);
    show(0.5);
    EXPECT_GE(sdl->picturesShown(*window), animating + 25) << "the header animates in front";

    other.takeFocus();
    ASSERT_TRUE(TestSupport::pumpUntil(*sdl, [&] { return !app.isActive(); })) << "the focus left the application";
    EXPECT_FALSE(window->isKeyWindow());
    const float pausedAt = controller->renderer()->time();
    const auto still = sdl->picturesShown(*window);
    show(1.0);
    EXPECT_EQ(sdl->picturesShown(*window), still) << "no picture for a second";
    EXPECT_EQ(controller->renderer()->time(), pausedAt) << "the header's clock stands still";

    const auto own = other.windowOf(::getpid());
    ASSERT_NE(own, 0u);
    other.giveFocusTo(own);
    ASSERT_TRUE(TestSupport::pumpUntil(*sdl, [&] { return app.isActive() && window->isKeyWindow(); })) << "the focus came back";
    show(0.25);
    EXPECT_NEAR(controller->renderer()->time(), pausedAt + 0.25, 0.02) << "on from where it stopped, without a jump";
    EXPECT_GT(sdl->picturesShown(*window), still + 5);
}

// The desktop's shortcuts, typed with Ctrl: the menu shows each on its right; Ctrl+W and
// Escape close About and the update window; Ctrl+H minimises the window and Show All brings it
// back; Ctrl+Q quits.
TEST_F(AppWindow, TheDesktopsShortcutsCloseItsWindowsHideItAndQuit) {
    VZ_REAL_WINDOW_BACKEND(backend);
    launchShown(*backend);
    show(0.1);

    std::vector<std::string> texts;
    MenuScript script({[&](const AppKit::MenuPresentation& m) {
        texts = m.window().displayList().texts();
        pushKeys(id, {SDLK_ESCAPE});
    }});
    pushKeys(id, {SDLK_F10});
    show(0.1);
    ASSERT_EQ(script.opened(), 1);
    for (const char* shortcut : {"Ctrl+H", "Ctrl+Q"}) EXPECT_NE(std::find(texts.begin(), texts.end(), shortcut), texts.end()) << shortcut;
    std::filesystem::create_directories(std::string(VZ_BINARY_DIR) + "/snapshots");
    EXPECT_TRUE(script.pictures().front()->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/app-menu.png"));

    // About closes with Ctrl+W, and with Escape.
    auto& app = AppKit::NSApplication::shared();
    for (const Uint16 modifiers : {Uint16(KMOD_LCTRL), Uint16(KMOD_NONE)}) {
        choose("About");
        show(0.1);
        auto panel = app.aboutPanel();
        ASSERT_TRUE(panel && panel->isKeyWindow());
        pushKeys(sdl->sdlWindowID(*panel), {modifiers ? SDLK_w : SDLK_ESCAPE}, modifiers);
        show(0.1);
        EXPECT_FALSE(panel->isVisible()) << modifiers;
        EXPECT_TRUE(window->isKeyWindow());
    }
    // The update window closes with Ctrl+W.
    choose("Check for Updates\u2026");
    auto alert = waitForAlert();
    ASSERT_TRUE(alert);
    sdl->pump();
    drain();
    pushKeys(sdl->sdlWindowID(*alert), {SDLK_w}, KMOD_LCTRL);
    show(0.1);
    EXPECT_FALSE(alert->isVisible());

    pushKeys(id, {SDLK_h}, KMOD_LCTRL);
    show(0.1);
    EXPECT_TRUE(window->isMiniaturized());
    choose("Show All");
    show(0.1);
    EXPECT_FALSE(window->isMiniaturized());
    EXPECT_FALSE(app.isTerminated());
    pushKeys(id, {SDLK_q}, KMOD_LCTRL);
    show(0.1);
    EXPECT_TRUE(app.isTerminated());
}

// At another size the fixed content shows whole, scaled into it on the application's own
// background, and takes clicks where it shows them.
TEST_F(AppWindow, AtAnotherSizeItsContentIsScaledAndTakesClicksWhereItShows) {
    VZ_REAL_WINDOW_BACKEND(backend);
    launchShown(*backend);
    const auto* help = tree().findText("Help");
    ASSERT_TRUE(help);
    const auto own = hosting()->convertTo(CoreGraphics::CGPoint{help->frame.midX(), help->frame.midY()}, nullptr);
    // One and a half times as large, with 150 points to spare on either side.
    ApplicationHost::ApplicationProgram::sizeWindow(*window, {900, 858});
    auto shown = show(0.1);
    ASSERT_TRUE(shown);
    const double s = window->backingScaleFactor();
    EXPECT_EQ(shown->width(), int(900 * s));
    EXPECT_EQ(shown->height(), int(858 * s));
    TestSupport::expectShowsWhatItDraws(*sdl, *window, {{10, 300}, {450, 300}, {890, 850}});
    const auto picture = window->snapshot();
    EXPECT_TRUE(picture->writePNG(std::string(VZ_BINARY_DIR) + "/snapshots/app-scaled.png"));
    const auto background = picture->pixel(int(157 * s), int(845 * s));
    EXPECT_EQ(picture->pixel(int(10 * s), int(300 * s)), background) << "the content's own background, not the window's grey";
    EXPECT_EQ(picture->pixel(int(890 * s), int(10 * s)), background);

    help = tree().findText("Help");
    ASSERT_TRUE(help);
    const auto at = hosting()->convertTo(CoreGraphics::CGPoint{help->frame.midX(), help->frame.midY()}, nullptr);
    EXPECT_NEAR(at.x, 150 + 1.5 * own.x, 1) << "the Help button moved and grew with the content";
    EXPECT_NEAR(at.y, 1.5 * own.y, 1);
    for (Uint32 type : {Uint32(SDL_MOUSEMOTION), Uint32(SDL_MOUSEBUTTONDOWN), Uint32(SDL_MOUSEBUTTONUP)})
        TestSupport::pushMouse(type, id, int(at.x * s), int((858 - at.y) * s));
    show(0.1);
    const auto opened = AppKit::NSWorkspace::shared().openedURLs();
    ASSERT_FALSE(opened.empty());
    EXPECT_NE(opened.back().absoluteString().find("/help/vantrelzellow/welcome/"), std::string::npos) << opened.back().absoluteString();
}

// Under a window manager, hidden with Ctrl+H and brought back as a task bar brings a window
// back (mapped, activated), the window is no longer minimised and its header moves again, as
// it does after the desktop's own minimise.
class AppWindowWithAWindowManager : public AppWindow {};

TEST_F(AppWindowWithAWindowManager, BroughtBackAsATaskBarDoesAfterHideItsHeaderMovesAgain) {
    VZ_REAL_WINDOW_BACKEND(backend);
    VZ_WINDOW_MANAGER(manager);
    OtherXClient desktop;
    ASSERT_TRUE(desktop.connected());
    launchShown(*backend);
    auto& app = AppKit::NSApplication::shared();
    auto shown = [&] { return window->occlusionState().contains(AppKit::OcclusionState::visible()); };
    auto inFront = [&] { return shown() && app.isActive() && window->isKeyWindow(); };
    auto animates = [&] {
        const auto before = sdl->picturesShown(*window);
        show(0.5);
        return sdl->picturesShown(*window) >= before + 25;
    };
    OtherXClient::Window x = 0;
    ASSERT_TRUE(TestSupport::pumpUntil(*sdl, [&] { return (x = desktop.windowOf(::getpid(), "Vantrel Zellow")) != 0 && inFront(); }));
    ASSERT_TRUE(animates());
    const std::string xid = std::to_string(x);

    struct Case {
        const char* name;
        std::vector<std::string> minimise, restore;  // no minimise: Ctrl+H
    } cases[] = {
        {"Hide, xdotool windowmap", {}, {"xdotool", "windowmap", xid}},
        {"Hide, xdotool windowactivate", {}, {"xdotool", "windowactivate", xid}},
        {"Hide, wmctrl -ia", {}, {"wmctrl", "-ia", xid}},
        {"xdotool windowminimize, xdotool windowactivate", {"xdotool", "windowminimize", xid}, {"xdotool", "windowactivate", xid}},
    };
    for (const auto& c : cases) {
        if (c.minimise.empty()) pushKeys(id, {SDLK_h}, KMOD_LCTRL);
        else ASSERT_TRUE(WindowManager::run(c.minimise)) << c.name;
        ASSERT_TRUE(TestSupport::pumpUntil(*sdl, [&] { return !shown() && !desktop.isShown(x); })) << c.name;
        EXPECT_FALSE(animates()) << c.name << ": minimised, it stands still";
        ASSERT_TRUE(WindowManager::run(c.restore)) << c.name;
        EXPECT_TRUE(TestSupport::pumpUntil(*sdl, inFront)) << c.name;
        EXPECT_FALSE(window->isMiniaturized()) << c.name;
        EXPECT_TRUE(animates()) << c.name << ": the header moves again";
    }
}

}  // namespace
