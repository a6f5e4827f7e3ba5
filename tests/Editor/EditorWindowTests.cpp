#include <gtest/gtest.h>

#include "TestSupport/RealWindow.hpp"

#include <SDL.h>

#include <cstdlib>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSWindow.hpp"
#include "Editor/EditorTestSupport.hpp"
#include "Host/WindowBackends/BackendSelection.hpp"
#include "Host/WindowBackends/SDLBackend.hpp"
#include "Vantrel_Zellow_Extension/Editor/AudioUnitViewController.hpp"

namespace {

using Vantrel_Zellow_Extension::AudioUnitViewController;

class EditorWindow : public TestSupport::RealWindowTest {
protected:
    static void push(Uint32 type, unsigned window, int x, int y, bool held) { TestSupport::pushMouse(type, window, x, y, held); }
};

// The editor in a real SDL2 window: it shows what the editor draws, and a drag of the pointer
// on the delay dial turns it.
TEST_F(EditorWindow, ShowsTheEditorAndTurnsADialUnderTheMouse) {
    VZ_REAL_WINDOW_BACKEND(sdl);
    Vantrel_Zellow_Extension::Settings::setDefaultUpdateFeedURL(std::nullopt);
    auto controller = AudioUnitViewController::make();
    controller->createAudioUnit({AudioToolbox::kAudioUnitType_MIDIProcessor, AudioToolbox::fourCC("vzlw"), AudioToolbox::fourCC("Qrvn")});
    controller->view();
    const auto size = controller->preferredContentSize();
    auto window = AppKit::NSWindow::make({0, 0, size.width, size.height});
    window->setTitle("Vantrel Zellow");
    window->setContentViewController(controller);
    window->makeKeyAndOrderFront();
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

}  // namespace
