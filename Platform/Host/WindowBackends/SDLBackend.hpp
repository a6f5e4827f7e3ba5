#pragma once
#include <map>
#include <memory>
#include <string>

#include "AppKit/WindowBackend.hpp"
#include "CoreGraphics/CGImage.hpp"
#include "Dispatch/Timer.hpp"

struct SDL_Window;
union SDL_Event;

namespace WindowBackends {

// Real windows through SDL2: each visible NSWindow gets an SDL window of its content size at
// its backing scale, shows the window's picture after every redraw, and turns SDL's mouse,
// wheel and key input into the same synthetic events the tests send; while it runs, the general
// pasteboard is the desktop's clipboard. Main thread only.
class SDLBackend : public AppKit::WindowBackend {
public:
    // Initialises SDL's video; throws std::runtime_error with SDL's reason when it cannot.
    SDLBackend();
    ~SDLBackend() override;
    SDLBackend(const SDLBackend&) = delete;
    SDLBackend& operator=(const SDLBackend&) = delete;

    void windowDidOrderFront(AppKit::NSWindow& window) override;
    void windowDidOrderOut(AppKit::NSWindow& window) override;
    void windowDidDisplay(AppKit::NSWindow& window) override;
    void windowDidChangeFrame(AppKit::NSWindow& window) override;
    void windowDidChangeMiniaturized(AppKit::NSWindow& window) override;
    bool waitForEvents(double timeout) override;

    // Reads back what the SDL window of `window` shows (null when it has none).
    std::shared_ptr<CoreGraphics::CGImage> readBack(const AppKit::NSWindow& window) const;
    // SDL's id of the window showing `window` (0 when none).
    unsigned sdlWindowID(const AppKit::NSWindow& window) const;
    // Polls SDL and sends every queued event; the main run loop calls it on a timer.
    void pump();

private:
    struct Entry {
        SDL_Window* sdl = nullptr;
        std::weak_ptr<AppKit::NSWindow> window;
    };
    void present(AppKit::NSWindow& window, Entry& entry);
    void translate(const SDL_Event& event);
    std::shared_ptr<AppKit::NSWindow> windowFor(unsigned sdlWindowID) const;

    std::map<int, Entry> windows_;  // by window number
    std::shared_ptr<Dispatch::Timer> pumpTimer_;
    long clipboardConnection_ = 0;
};

}  // namespace WindowBackends
