#pragma once
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <functional>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSWindow.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Host/WindowBackends/BackendSelection.hpp"
#include "Host/WindowBackends/SDLBackend.hpp"
#include "TestSupport/Eventually.hpp"
#include "TestSupport/MainLoop.hpp"

// For the real-window tests (run under xvfb-run): declares `var`, the installed SDL2 back end.
// Without a display the test is skipped, or fails where one was promised (VZ_REQUIRE_DISPLAY).
#define VZ_REAL_WINDOW_BACKEND(var)                                                                        \
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {                                     \
        if (std::getenv("VZ_REQUIRE_DISPLAY")) FAIL() << "no display, though one was promised";          \
        GTEST_SKIP() << "no display";                                                                     \
    }                                                                                                     \
    WindowBackends::installWindowBackend(WindowBackends::Kind::sdl);                                      \
    auto* var = dynamic_cast<WindowBackends::SDLBackend*>(AppKit::NSApplication::shared().windowBackend()); \
    ASSERT_TRUE(var)

namespace TestSupport {

// The fixture of a real-window test: virtual time, and the application's windows and back end
// gone afterwards.
class RealWindowTest : public VirtualTimeTest {
protected:
    void TearDown() override {
        AppKit::NSApplication::shared().resetForTesting();
        AppKit::NSApplication::shared().setWindowBackend(nullptr);
        VirtualTimeTest::TearDown();
    }
};

// Queues a left-button press, release (type) or move of the pointer over an SDL window, at a point
// from the window's top left; `held` marks the button down during a move.
inline void pushMouse(Uint32 type, unsigned window, int x, int y, bool held = false) {
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
        e.motion.windowID = window;
        e.motion.x = x;
        e.motion.y = y;
        e.motion.state = held ? SDL_BUTTON_LMASK : 0;
    } else {
        e.button.windowID = window;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.clicks = 1;
        e.button.x = x;
        e.button.y = y;
    }
    SDL_PushEvent(&e);
}

// A press of the left button over an SDL window at (x, y) and its release at (toX, toY), moving
// there in two steps when that is elsewhere; `deliver` runs after each event, as a person's hand
// delivers them.
inline void pressAndRelease(unsigned window, int x, int y, int toX, int toY, const std::function<void()>& deliver) {
    pushMouse(SDL_MOUSEBUTTONDOWN, window, x, y, true);
    deliver();
    if (toX != x || toY != y) {
        pushMouse(SDL_MOUSEMOTION, window, (x + toX) / 2, (y + toY) / 2, true);
        deliver();
        pushMouse(SDL_MOUSEMOTION, window, toX, toY, true);
        deliver();
    }
    pushMouse(SDL_MOUSEBUTTONUP, window, toX, toY);
    deliver();
}

// Queues a press and a release of each key for an SDL window, with the modifier keys held.
inline void pushKeys(unsigned window, std::initializer_list<SDL_Keycode> keys, Uint16 modifiers = KMOD_NONE) {
    for (SDL_Keycode key : keys)
        for (Uint32 type : {Uint32(SDL_KEYDOWN), Uint32(SDL_KEYUP)}) {
            SDL_Event e{};
            e.type = type;
            e.key.windowID = window;
            e.key.keysym.sym = key;
            e.key.keysym.mod = modifiers;
            SDL_PushEvent(&e);
        }
}

// Checks that the SDL window shows what the window draws, at pixels from its top left.
inline void expectShowsWhatItDraws(WindowBackends::SDLBackend& sdl, AppKit::NSWindow& window,
                                   std::initializer_list<std::pair<int, int>> pixels) {
    auto shown = sdl.readBack(window);
    auto drawn = window.snapshot();
    ASSERT_TRUE(shown && drawn);
    EXPECT_EQ(shown->width(), drawn->width());
    for (auto [x, y] : pixels) EXPECT_EQ(shown->pixel(x, y), drawn->pixel(x, y)) << x << "," << y;
}

// What an SDL window shows after `seconds` more of virtual time, SDL's input delivered and the
// main loop drained.
inline std::shared_ptr<CoreGraphics::CGImage> shownAfter(WindowBackends::SDLBackend& sdl, const AppKit::NSWindow& window,
                                                         double seconds) {
    Dispatch::RunLoop::main().advance(seconds);
    sdl.pump();
    Dispatch::RunLoop::main().runUntilIdle();
    return sdl.readBack(window);
}

// Waits (real time) until `condition` holds, taking in what the desktop reports to SDL and
// draining the main loop between looks; its last value.
inline bool pumpUntil(WindowBackends::SDLBackend& sdl, const std::function<bool()>& condition, double seconds = 10) {
    return eventually([&] {
        sdl.pump();
        Dispatch::RunLoop::main().runUntilIdle();
        return condition();
    }, seconds);
}

}  // namespace TestSupport
