#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "FoundationGallery.hpp"
#include "TestSupport/MainLoop.hpp"
#include "TestSupport/RealWindow.hpp"

namespace {

using namespace OrrindleTest;

class FoundationSheet : public TestSupport::VirtualTimeTest {};

// build/snapshots/orrindle-foundation.png: the SwiftUI button styles in their looks, rounded
// paths and tinted templates, on the kit's background.
TEST_F(FoundationSheet, ShowsTheButtonStylesPathsAndTints) {
    FoundationGallery gallery([] {}, [] {});
    gallery.window->makeKeyAndOrderFront();
    drain();
    CoreGraphics::CGContext ctx(FoundationGallery::size, false, 2);
    gallery.drawSheet(ctx);
    const auto names = ctx.displayList().imageNames();
    for (const char* name : {"kvu-button", "kvu-button-down"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    const auto texts = ctx.displayList().texts();
    for (const char* text : {"Help", "Render", "Quorvane pressed", "99: clamped", "aqua at 50%"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;

    auto picture = ctx.makeImage();
    // The tinted ring's opaque stroke takes the tint whole: orange in the second sample's ring.
    const auto orange = Orrindle::ODColorsAK::Tessik::orange()->cgColor().displayColor();
    const int ringX = int((FoundationGallery::margin + (FoundationGallery::cell + FoundationGallery::gap) + FoundationGallery::cell / 2 - 14 + 3) * 2);
    const int ringY = int((294 + 22) * 2);
    const auto p = picture->pixel(ringX, ringY);
    EXPECT_NEAR(p.r, orange.r, 0.05);
    EXPECT_NEAR(p.g, orange.g, 0.05);
    EXPECT_NEAR(p.b, orange.b, 0.05);

    const std::string dir = std::string(VZ_BINARY_DIR) + "/snapshots";
    std::filesystem::create_directories(dir);
    std::string error;
    ASSERT_TRUE(picture->writePNG(dir + "/orrindle-foundation.png", &error)) << error;
}

using FoundationWindow = TestSupport::RealWindowTest;

// The same in a real SDL2 window: it shows what headless drawing shows, and a click on each
// live button runs its action once.
TEST_F(FoundationWindow, ShowsTheSamplesAndTheButtonsTakeClicks) {
    VZ_REAL_WINDOW_BACKEND(sdl);
    int help = 0, tessik = 0;
    FoundationGallery gallery([&] { ++help; }, [&] { ++tessik; });
    auto window = gallery.window;
    window->makeKeyAndOrderFront();
    drain();
    sdl->pump();
    auto shown = sdl->readBack(*window);
    auto drawn = window->snapshot();
    ASSERT_TRUE(shown && drawn);
    EXPECT_EQ(shown->width(), drawn->width());
    for (auto [x, y] : {std::pair{5, 5}, std::pair{70, 54}, std::pair{200, 210}, std::pair{300, 316}})
        EXPECT_EQ(shown->pixel(x, y), drawn->pixel(x, y)) << x << "," << y;

    const unsigned id = sdl->sdlWindowID(*window);
    auto click = [&](const CGRect& frame) {
        TestSupport::pushMouse(SDL_MOUSEBUTTONDOWN, id, int(frame.midX()), int(frame.midY()));
        TestSupport::pushMouse(SDL_MOUSEBUTTONUP, id, int(frame.midX()), int(frame.midY()));
        sdl->pump();
        drain();
    };
    click(gallery.helpFrame);
    EXPECT_EQ(help, 1);
    EXPECT_EQ(tessik, 0);
    click(gallery.tessikFrame);
    EXPECT_EQ(help, 1);
    EXPECT_EQ(tessik, 1);
    window->close();
}

}  // namespace
