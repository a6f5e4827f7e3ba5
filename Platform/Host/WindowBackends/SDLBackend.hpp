#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "AppKit/WindowBackend.hpp"
#include "CoreGraphics/CGImage.hpp"
#include "Dispatch/RunLoop.hpp"

struct SDL_Window;
union SDL_Event;

namespace WindowBackends {

// Real windows through SDL2: each visible NSWindow gets an SDL window of its content size at
// its backing scale, shows the window's picture after every redraw, and turns SDL's mouse,
// wheel and key input into the same synthetic events the tests send; while it runs, the general
// pasteboard is the desktop's clipboard. The desktop's focus makes the application active and a
// window key (and its leaving all of them resigns), a minimised or hidden window is not shown on
// the desktop until the desktop restores it (which ends a Hide too), and the key window of the
// active application holds the keyboard focus. While it
// shows windows, the main run loop sleeps in SDL's wait for input. Main thread only.
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
    void focusWindow(AppKit::NSWindow& window, bool raise) override;
    void raiseWindow(AppKit::NSWindow& window) override;

    // Reads back what the SDL window of `window` shows (null when it has none).
    std::shared_ptr<CoreGraphics::CGImage> readBack(const AppKit::NSWindow& window) const;
    // SDL's id of the window showing `window` (0 when none).
    unsigned sdlWindowID(const AppKit::NSWindow& window) const;
    // How many new pictures of `window` it has shown (an exposed window shown again is none).
    std::uint64_t picturesShown(const AppKit::NSWindow& window) const;
    // Polls SDL and sends every queued event.
    void pump();

private:
    struct Entry {
        SDL_Window* sdl = nullptr;
        std::weak_ptr<AppKit::NSWindow> window;
        std::uint64_t pictures = 0;
    };
    void present(AppKit::NSWindow& window, Entry& entry);
    void translate(const SDL_Event& event);
    // After a batch of SDL's events: the focus that left every window resigns the application.
    void inputHandled();
    void sendQueuedEvents();
    // The run loop waits in SDL while there is a window to wake it.
    void updateRunLoopSource();
    std::shared_ptr<AppKit::NSWindow> windowFor(unsigned sdlWindowID) const;

    std::map<int, Entry> windows_;  // by window number
    std::shared_ptr<Dispatch::RunLoop::InputSource> source_;
    std::uint32_t wakeEvent_ = 0;
    bool focusLeft_ = false;
    long clipboardConnection_ = 0;
};

}  // namespace WindowBackends
