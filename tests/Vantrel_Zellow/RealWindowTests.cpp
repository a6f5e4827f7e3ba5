#include <gtest/gtest.h>

#include "TestSupport/RealWindow.hpp"

#include <unistd.h>

#include "AppKit/MenuPresentation.hpp"
#include "AppKit/StandardAboutPanel.hpp"
#include "AppTestSupport.hpp"
#include "TestSupport/MenuScript.hpp"
#include "TestSupport/OtherXClient.hpp"

namespace {

using TestSupport::MenuScript;
using TestSupport::OtherXClient;
using TestSupport::pushKeys;

// The application in a real SDL2 window on a virtual display, used with the keyboard as a
// person would: F10 opens its menu, the arrows and Return take an item.
class AppWindow : public AppTest::AppTest {
protected:
    void TearDown() override {
        AppTest::AppTest::TearDown();
        AppKit::NSApplication::shared().setWindowBackend(nullptr);
    }
};

TEST_F(AppWindow, AnimatesAndItsMenuOpensAboutAndTheUpdateWindow) {
    VZ_REAL_WINDOW_BACKEND(sdl);
    serveFeed("1.3");
    launch();
    auto window = mainWindow();
    const unsigned id = sdl->sdlWindowID(*window);
    ASSERT_NE(id, 0u);
    auto show = [&](double seconds) { return TestSupport::shownAfter(*sdl, *window, seconds); };
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
    VZ_REAL_WINDOW_BACKEND(sdl);
    OtherXClient other;
    ASSERT_TRUE(other.connected());
    launch();
    auto window = mainWindow();
    auto& app = AppKit::NSApplication::shared();
    auto controller = header();
    ASSERT_TRUE(controller && controller->renderer());
    auto show = [&](double seconds) { TestSupport::shownAfter(*sdl, *window, seconds); };
    // What the desktop reports arrives in real time.
    auto pumpUntil = [&](const std::function<bool()>& condition) {
        return OtherXClient::waitFor([&] {
            sdl->pump();
            drain();
            return condition();
        });
    };
    show(0.5);
    const auto animating = sdl->picturesShown(*window);
    show(0.5);
    EXPECT_GE(sdl->picturesShown(*window), animating + 25) << "the header animates in front";

    other.takeFocus();
    ASSERT_TRUE(pumpUntil([&] { return !app.isActive(); })) << "the focus left the application";
    EXPECT_FALSE(window->isKeyWindow());
    const float pausedAt = controller->renderer()->time();
    const auto still = sdl->picturesShown(*window);
    show(1.0);
    EXPECT_EQ(sdl->picturesShown(*window), still) << "no picture for a second";
    EXPECT_EQ(controller->renderer()->time(), pausedAt) << "the header's clock stands still";

    const auto own = other.windowOf(::getpid());
    ASSERT_NE(own, 0u);
    other.giveFocusTo(own);
    ASSERT_TRUE(pumpUntil([&] { return app.isActive() && window->isKeyWindow(); })) << "the focus came back";
    show(0.25);
    EXPECT_NEAR(controller->renderer()->time(), pausedAt + 0.25, 0.02) << "on from where it stopped, without a jump";
    EXPECT_GT(sdl->picturesShown(*window), still + 5);
}

}  // namespace
