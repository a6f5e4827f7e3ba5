#include <gtest/gtest.h>

#include "AppKit/NSApplication.hpp"
#include "SettingsGallery.hpp"
#include "TestSupport/MainLoop.hpp"
#include "TestSupport/RealWindow.hpp"

namespace {

using namespace OrrindleTest;

using SettingsWindow = TestSupport::RealWindowTest;

// The settings sheet in a real SDL2 window over its parent's: it shows what it draws, the
// pointer drags its sliders and clicks its segments, and Escape ends the sheet.
TEST_F(SettingsWindow, TheSheetTakesSliderDragsSegmentClicksAndEscape) {
    VZ_REAL_WINDOW_BACKEND(sdl);
    SettingsGallery gallery;
    gallery.present();
    drain();
    sdl->pump();
    auto& sheet = *gallery.sheet;
    auto shown = sdl->readBack(sheet);
    auto drawn = sheet.snapshot();
    ASSERT_TRUE(shown && drawn);
    EXPECT_EQ(shown->width(), drawn->width());
    const auto& tree = gallery.form->graph().renderTree();
    const CGRect delay = tree.findIdentifier("delay")->frame;
    const double scale = sheet.backingScaleFactor();
    for (auto [x, y] : {std::pair{4.0, 4.0}, std::pair{delay.midX(), delay.midY()}, std::pair{delay.minX() + 30, delay.midY()}})
        EXPECT_EQ(shown->pixel(int(x * scale), int(y * scale)), drawn->pixel(int(x * scale), int(y * scale)));

    const unsigned id = sdl->sdlWindowID(sheet);
    ASSERT_NE(id, 0u);
    const auto at = [&](double x, double y) { return std::pair{int(x * scale), int(y * scale)}; };
    // Down on the track left of the handle, then along to within a few points of its end.
    std::vector<double> completed;
    gallery.delay->onSlideComplete = [&](double v) { completed.push_back(v); };
    const double track = delay.minX() + 16, width = delay.width() - 32;
    auto [dx, dy] = at(track + 10, delay.midY());
    TestSupport::pushMouse(SDL_MOUSEBUTTONDOWN, id, dx, dy, true);
    for (int i = 1; i <= 6; ++i) TestSupport::pushMouse(SDL_MOUSEMOTION, id, at(track + 10 + i * (width - 14) / 6, delay.midY()).first, dy, true);
    TestSupport::pushMouse(SDL_MOUSEBUTTONUP, id, at(track + width - 4, delay.midY()).first, dy, false);
    sdl->pump();
    drain();
    EXPECT_EQ(gallery.delay->value(), 50) << "dragged to the end";
    EXPECT_EQ(completed, (std::vector<double>{50}));

    const auto click = [&](const CGRect& on) {
        auto [x, y] = at(on.midX(), on.midY());
        TestSupport::pushMouse(SDL_MOUSEBUTTONDOWN, id, x, y, true);
        TestSupport::pushMouse(SDL_MOUSEBUTTONUP, id, x, y, false);
        sdl->pump();
        drain();
    };
    // A click in the middle of the velocity track sets half of its range.
    click(gallery.form->graph().renderTree().findIdentifier("velocity")->frame);
    EXPECT_EQ(gallery.velocity->value(), 50);

    // A segment click selects it.
    const CGRect pushed = gallery.form->graph().renderTree().findText("Pushed")->frame;
    click(pushed);
    ASSERT_TRUE(gallery.timing->selectedItem());
    EXPECT_EQ(gallery.timing->selectedItem()->id(), 1);

    // What the window shows follows: the filled track and the moved selection.
    sdl->pump();
    drain();
    shown = sdl->readBack(sheet);
    drawn = sheet.snapshot();
    ASSERT_TRUE(shown && drawn);
    for (auto [x, y] : {at(track + width * 0.75, delay.midY()), at(pushed.midX(), pushed.maxY() + 4)})
        EXPECT_EQ(shown->pixel(x, y), drawn->pixel(x, y));

    TestSupport::pushKeys(id, {SDLK_ESCAPE});
    sdl->pump();
    drain();
    EXPECT_EQ(gallery.parent->attachedSheet(), nullptr);
    EXPECT_FALSE(sheet.isVisible());
    gallery.parent->close();
}

}  // namespace
