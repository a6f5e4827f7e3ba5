#include <gtest/gtest.h>

#include "AppKit/NSApplication.hpp"
#include "TestSupport/RealWindow.hpp"
#include "TestSupport/MainLoop.hpp"
#include "ViewGallery.hpp"

namespace {

using namespace OrrindleTest;

// Writes down the text of each action's sender.
class Receiver : public Runtime::NSObject {
    VZ_OBJECT(Receiver, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("changed:", &Receiver::changed)};
    }
    void changed(Runtime::NSObject* sender) {
        if (auto* c = dynamic_cast<AppKit::NSControl*>(sender)) values.push_back(c->stringValue());
    }
    std::vector<std::string> values;
};

using ViewsWindow = TestSupport::RealWindowTest;

// The gallery in a real SDL2 window: it shows what the sheet draws, and drags of the pointer
// move a styled slider and step a tracking slider, and typing fills the search field.
TEST_F(ViewsWindow, ShowsTheViewsAndTheirSlidersFollowTheMouse) {
    VZ_REAL_WINDOW_BACKEND(sdl);
    ViewGallery gallery;
    gallery.window->makeKeyAndOrderFront();
    drain();
    sdl->pump();
    TestSupport::expectShowsWhatItDraws(*sdl, *gallery.window, {{3, 3}, {200, 40}, {300, 100}});

    const unsigned id = sdl->sdlWindowID(*gallery.window);
    const double scale = gallery.window->backingScaleFactor();
    auto at = [&](const AppKit::NSView& v, CGFloat fx, CGFloat fy) {
        // The gallery's content is flipped: its coordinates are the window's from the top left.
        const CGRect f = v.frame();
        return std::pair{int((f.minX() + fx * f.width()) * scale), int((f.minY() + fy * f.height()) * scale)};
    };
    // The whole gesture is queued before the press is delivered: the slider's tracking loop
    // takes the rest as it goes.
    auto slider = std::dynamic_pointer_cast<Orrindle::StyledSlider>(gallery.find("Slider", "middle"));
    ASSERT_TRUE(slider);
    std::vector<std::string> phases;
    slider->onSlideStarted = [&](double) { phases.push_back("started"); };
    slider->onSlideOngoing = [&](double) { phases.push_back("ongoing"); };
    slider->onSlideComplete = [&](double) { phases.push_back("complete"); };
    auto [sx, sy] = at(*slider, 0.5, 0.5);
    TestSupport::pushMouse(SDL_MOUSEBUTTONDOWN, id, sx, sy, true);
    for (int i = 1; i <= 4; ++i) TestSupport::pushMouse(SDL_MOUSEMOTION, id, sx + 10 * i, sy, true);
    TestSupport::pushMouse(SDL_MOUSEBUTTONUP, id, sx + 40, sy, false);
    sdl->pump();
    drain();
    EXPECT_GT(slider->doubleValue(), 0.7);
    ASSERT_FALSE(phases.empty());
    EXPECT_EQ(phases.front(), "started");
    EXPECT_EQ(phases.back(), "complete");

    auto tracking = std::dynamic_pointer_cast<Orrindle::TrackingSlider>(gallery.find("Image views", "tracking slider"));
    ASSERT_TRUE(tracking);
    auto [tx, ty] = at(*tracking, 0.5, 0.5);
    TestSupport::pushMouse(SDL_MOUSEBUTTONDOWN, id, tx, ty, true);
    for (int i = 1; i <= 6; ++i) TestSupport::pushMouse(SDL_MOUSEMOTION, id, tx, ty - 3 * i, true);  // upwards
    TestSupport::pushMouse(SDL_MOUSEBUTTONUP, id, tx, ty - 18, false);
    sdl->pump();
    drain();
    EXPECT_NEAR(tracking->doubleValue(), 0.05, 1e-9) << "one step per update after the first";

    // A click in the search field, then typing: the text reaches the field as it is typed.
    auto search = std::dynamic_pointer_cast<Orrindle::StyledSearchField>(gallery.find("Search field", "placeholder"));
    ASSERT_TRUE(search);
    std::vector<std::string> sent;
    auto receiver = Runtime::make<Receiver>();
    search->setTarget(receiver);
    search->setAction(Runtime::Selector("changed:"));
    auto [fx, fy] = at(*search, 0.5, 0.5);
    TestSupport::pushMouse(SDL_MOUSEBUTTONDOWN, id, fx, fy, true);
    TestSupport::pushMouse(SDL_MOUSEBUTTONUP, id, fx, fy, false);
    TestSupport::pushKeys(id, {SDLK_s, SDLK_o, SDLK_f, SDLK_t, SDLK_BACKSPACE, SDLK_t});
    sdl->pump();
    drain();
    EXPECT_EQ(search->stringValue(), "soft");
    EXPECT_EQ(receiver->values, (std::vector<std::string>{"s", "so", "sof", "soft", "sof", "soft"}));
    EXPECT_TRUE(search->currentEditor());
    // What the window shows is what it draws, the typed text included.
    drain();
    sdl->pump();
    const CGRect f = search->frame();
    TestSupport::expectShowsWhatItDraws(*sdl, *gallery.window, {{int((f.minX() + 30) * scale), int(f.midY() * scale)}});
    gallery.window->close();
}

}  // namespace
