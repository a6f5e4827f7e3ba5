#include <gtest/gtest.h>

#include "ButtonGallery.hpp"
#include "ControlTestSupport.hpp"
#include "TestSupport/MenuScript.hpp"
#include "TestSupport/RealWindow.hpp"

namespace {

using namespace OrrindleTest;

class ButtonsWindow : public TestSupport::RealWindowTest {
protected:
    void TearDown() override {
        AppKit::NSMenu::setChooser(nullptr);
        TestSupport::RealWindowTest::TearDown();
    }
};

// The kit's controls in a real SDL2 window: it shows what headless drawing shows, and clicks
// of the pointer press a button, tick a check box, choose from a pop-up and act on a pop-down.
TEST_F(ButtonsWindow, ShowsTheControlsAndTakesClicks) {
    VZ_REAL_WINDOW_BACKEND(sdl);
    ButtonGallery gallery;
    auto window = gallery.window;
    window->makeKeyAndOrderFront();
    drain();
    sdl->pump();
    auto shown = sdl->readBack(*window);
    auto drawn = window->snapshot();
    ASSERT_TRUE(shown && drawn);
    EXPECT_EQ(shown->width(), drawn->width());
    for (auto [x, y] : {std::pair{5, 5}, std::pair{150, 45}, std::pair{250, 140}}) EXPECT_EQ(shown->pixel(x, y), drawn->pixel(x, y));

    auto receiver = Runtime::make<Receiver>();
    const unsigned id = sdl->sdlWindowID(*window);
    // The middle of a sample, in the window's top-down points (the gallery is flipped).
    auto middle = [&](const std::string& row, const std::string& caption) {
        auto control = gallery.find(row, caption);
        EXPECT_TRUE(control) << row << "/" << caption;
        control->setTarget(receiver);
        control->setAction("primary:");
        const CGRect f = control->frame();
        return CGPoint{f.midX(), f.midY()};
    };
    auto click = [&](CGPoint p) {
        TestSupport::pushMouse(SDL_MOUSEBUTTONDOWN, id, int(p.x), int(p.y));
        TestSupport::pushMouse(SDL_MOUSEBUTTONUP, id, int(p.x), int(p.y));
        sdl->pump();
        drain();
    };

    click(middle("Styled button", "default"));
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"primary"}));

    auto box = gallery.find("Check box", "default");
    click(middle("Check box", "default"));
    EXPECT_EQ(box->cell()->state(), AppKit::NSControlStateValue::on);

    auto popUp = std::dynamic_pointer_cast<Orrindle::StyledPopUpButton>(gallery.find("Pop-up", "default"));
    ASSERT_TRUE(popUp);
    // The menu opens in the window; the pointer then clicks its item there.
    const CGFloat height = window->contentView()->bounds().height();
    TestSupport::MenuScript script({[&](const AppKit::MenuPresentation& m) {
        const CGPoint p = m.locationOfItem("Dorian");
        TestSupport::pushMouse(SDL_MOUSEMOTION, id, int(p.x), int(height - p.y));
        TestSupport::pushMouse(SDL_MOUSEBUTTONDOWN, id, int(p.x), int(height - p.y));
        TestSupport::pushMouse(SDL_MOUSEBUTTONUP, id, int(p.x), int(height - p.y));
    }});
    click(middle("Pop-up", "default"));
    EXPECT_EQ(script.opened(), 1);
    EXPECT_EQ(popUp->titleOfSelectedItem(), "Dorian");
    EXPECT_EQ(receiver->log.size(), 3u) << "the button, the box and the pop-up each acted once";

    click(middle("Pop-down", "default"));
    EXPECT_EQ(receiver->log.size(), 4u);
    // A disabled one takes nothing.
    click(middle("Pop-down", "disabled"));
    EXPECT_EQ(receiver->log.size(), 4u);
    window->close();
}

}  // namespace
