#include <gtest/gtest.h>

#include "TestSupport/RealWindow.hpp"

#include "AppKit/MenuPresentation.hpp"
#include "AppKit/StandardAboutPanel.hpp"
#include "AppTestSupport.hpp"
#include "TestSupport/MenuScript.hpp"

namespace {

using TestSupport::MenuScript;
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

}  // namespace
