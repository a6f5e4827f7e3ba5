#include "Host/WindowBackends/SDLBackend.hpp"

#include <SDL.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSPasteboard.hpp"
#include "AppKit/NSWindow.hpp"
#include "Dispatch/Clock.hpp"
#include "Host/WindowBackends/DisplayProbe.hpp"

namespace WindowBackends {

using AppKit::EventType;
using AppKit::ModifierFlags;
using AppKit::NSEvent;

namespace {

constexpr double displayAnswerSeconds = 2;

ModifierFlags flagsFrom(SDL_Keymod mod) {
    ModifierFlags f;
    if (mod & KMOD_SHIFT) f = f | ModifierFlags::shift();
    if (mod & KMOD_CTRL) f = f | ModifierFlags::control();
    if (mod & KMOD_ALT) f = f | ModifierFlags::option();
    if (mod & KMOD_GUI) f = f | ModifierFlags::command();
    if (mod & KMOD_CAPS) f = f | ModifierFlags::capsLock();
    return f;
}

std::string utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += char(c);
    } else if (c < 0x800) {
        s += char(0xC0 | (c >> 6)), s += char(0x80 | (c & 0x3F));
    } else {
        s += char(0xE0 | (c >> 12)), s += char(0x80 | ((c >> 6) & 0x3F)), s += char(0x80 | (c & 0x3F));
    }
    return s;
}

struct KeyInfo {
    std::string characters, ignoringModifiers;
    std::uint16_t code = 0;
    bool known = false;
};

// The platform's characters and key codes for an SDL key.
KeyInfo keyInfo(SDL_Keycode sym, bool shift) {
    switch (sym) {
    case SDLK_RETURN: return {"\r", "\r", AppKit::KeyCode::returnKey, true};
    case SDLK_KP_ENTER: return {"\x03", "\x03", AppKit::KeyCode::keypadEnter, true};
    case SDLK_ESCAPE: return {"\x1b", "\x1b", AppKit::KeyCode::escape, true};
    case SDLK_TAB: return {"\t", "\t", AppKit::KeyCode::tab, true};
    case SDLK_BACKSPACE: return {"\x7f", "\x7f", AppKit::KeyCode::deleteKey, true};
    case SDLK_SPACE: return {" ", " ", AppKit::KeyCode::space, true};
    case SDLK_UP: return {utf8(0xF700), utf8(0xF700), AppKit::KeyCode::upArrow, true};
    case SDLK_DOWN: return {utf8(0xF701), utf8(0xF701), AppKit::KeyCode::downArrow, true};
    case SDLK_LEFT: return {utf8(0xF702), utf8(0xF702), AppKit::KeyCode::leftArrow, true};
    case SDLK_RIGHT: return {utf8(0xF703), utf8(0xF703), AppKit::KeyCode::rightArrow, true};
    case SDLK_DELETE: return {utf8(0xF728), utf8(0xF728), 117, true};
    case SDLK_HOME: return {utf8(0xF729), utf8(0xF729), 115, true};
    case SDLK_END: return {utf8(0xF72B), utf8(0xF72B), 119, true};
    default: break;
    }
    // Function keys: the platform's characters F1 ... F12 and key codes.
    static const std::uint16_t functionCodes[] = {122, 120, 99, 118, 96, 97, 98, 100, 101, 109, 103, 111};
    if (sym >= SDLK_F1 && sym <= SDLK_F12) {
        const int n = int(sym - SDLK_F1);
        return {utf8(char32_t(0xF704 + n)), utf8(char32_t(0xF704 + n)), functionCodes[n], true};
    }
    if (sym >= 32 && sym < 127) {
        std::string plain(1, char(sym));
        std::string chars = plain;
        if (shift && sym >= 'a' && sym <= 'z') chars[0] = char(sym - 'a' + 'A');
        return {chars, plain, 0, true};
    }
    return {};
}

bool isModifierKey(SDL_Keycode sym) {
    switch (sym) {
    case SDLK_LSHIFT: case SDLK_RSHIFT: case SDLK_LCTRL: case SDLK_RCTRL:
    case SDLK_LALT: case SDLK_RALT: case SDLK_LGUI: case SDLK_RGUI: case SDLK_CAPSLOCK: return true;
    default: return false;
    }
}

}  // namespace

SDLBackend::SDLBackend() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The window surface is plain X11 shared memory: no GL driver and its threads.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // SDL's own connect waits for ever on a display that never answers.
    if (const char* display = std::getenv("DISPLAY"); display && *display)
        if (auto problem = unansweredDisplay(display, displayAnswerSeconds)) throw std::runtime_error(*problem);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("SDL could not start its video: ") + SDL_GetError());
    // Without a reachable display SDL settles for drawing nowhere; that is no window at all.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw std::runtime_error("SDL could not open the display named by DISPLAY or WAYLAND_DISPLAY");
    }
    // Copy and paste go through the desktop's clipboard.
    clipboardConnection_ = AppKit::NSPasteboard::general().connect({[]() -> std::optional<std::string> {
                                                 if (!SDL_HasClipboardText()) return std::nullopt;
                                                 char* text = SDL_GetClipboardText();
                                                 std::optional<std::string> out;
                                                 if (text) out = std::string(text);
                                                 SDL_free(text);
                                                 return out;
                                             },
                                             [](const std::string& text) { SDL_SetClipboardText(text.c_str()); }});
    // Input reaches the application while the main run loop sleeps: it sleeps in SDL's wait,
    // and work queued from other threads wakes it with an event of its own.
    wakeEvent_ = SDL_RegisterEvents(1);
    source_ = std::make_shared<Dispatch::RunLoop::InputSource>();
    source_->wait = [this](double seconds) {
        waitForEvents(seconds);
        sendQueuedEvents();
    };
    source_->wake = [type = wakeEvent_] {
        SDL_Event e{};
        e.type = type;
        SDL_PushEvent(&e);
    };
}

SDLBackend::~SDLBackend() {
    if (Dispatch::RunLoop::main().inputSource() == source_) Dispatch::RunLoop::main().setInputSource(nullptr);
    AppKit::NSPasteboard::general().disconnect(clipboardConnection_);
    for (auto& [number, entry] : windows_)
        if (entry.sdl) SDL_DestroyWindow(entry.sdl);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SDLBackend::windowDidOrderFront(AppKit::NSWindow& window) {
    auto& entry = windows_[window.windowNumber()];
    entry.window = window.sharedAs<AppKit::NSWindow>();
    if (!entry.sdl) {
        const double scale = window.backingScaleFactor();
        const auto size = window.contentSize();
        entry.sdl = SDL_CreateWindow(window.title().c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                     int(size.width * scale + 0.5), int(size.height * scale + 0.5),
                                     window.isResizable() ? SDL_WINDOW_RESIZABLE : 0);
        if (!entry.sdl) {
            windows_.erase(window.windowNumber());
            throw std::runtime_error(std::string("SDL could not open a window: ") + SDL_GetError());
        }
    } else {
        SDL_ShowWindow(entry.sdl);
    }
    updateRunLoopSource();
    window.display();
}

void SDLBackend::windowDidOrderOut(AppKit::NSWindow& window) {
    auto it = windows_.find(window.windowNumber());
    if (it == windows_.end()) return;
    if (it->second.sdl) SDL_DestroyWindow(it->second.sdl);
    windows_.erase(it);
    updateRunLoopSource();
}

void SDLBackend::updateRunLoopSource() {
    // Without a window SDL's wait cannot sleep (it polls), and there is no input to wait for.
    auto& loop = Dispatch::RunLoop::main();
    if (!windows_.empty()) loop.setInputSource(source_);
    else if (loop.inputSource() == source_) loop.setInputSource(nullptr);
}

void SDLBackend::focusWindow(AppKit::NSWindow& window, bool raise) {
    auto it = windows_.find(window.windowNumber());
    if (it == windows_.end() || !it->second.sdl) return;
    SDL_Window* sdl = it->second.sdl;
    if (raise) {
        const Uint32 flags = SDL_GetWindowFlags(sdl);
        if (flags & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(sdl);
        else if (!(flags & SDL_WINDOW_SHOWN)) SDL_ShowWindow(sdl);
        // Raises it and asks the window manager to activate it.
        SDL_RaiseWindow(sdl);
    }
    // Where no window manager hands the focus on, the application does. Activated from outside,
    // SDL's own idea of the focus may be stale: its focus-out is only taken in once it pumps.
    if (raise || SDL_GetKeyboardFocus() != sdl) SDL_SetWindowInputFocus(sdl);
}

void SDLBackend::raiseWindow(AppKit::NSWindow& window) {
    auto it = windows_.find(window.windowNumber());
    if (it != windows_.end() && it->second.sdl) SDL_RaiseWindow(it->second.sdl);
}

void SDLBackend::windowDidDisplay(AppKit::NSWindow& window) {
    auto it = windows_.find(window.windowNumber());
    if (it == windows_.end()) return;
    ++it->second.pictures;
    present(window, it->second);
}

std::uint64_t SDLBackend::picturesShown(const AppKit::NSWindow& window) const {
    auto it = windows_.find(window.windowNumber());
    return it == windows_.end() ? 0 : it->second.pictures;
}

void SDLBackend::windowDidChangeFrame(AppKit::NSWindow& window) {
    auto it = windows_.find(window.windowNumber());
    if (it == windows_.end() || !it->second.sdl) return;
    const double scale = window.backingScaleFactor();
    const auto size = window.contentSize();
    SDL_SetWindowTitle(it->second.sdl, window.title().c_str());
    SDL_SetWindowSize(it->second.sdl, int(size.width * scale + 0.5), int(size.height * scale + 0.5));
    window.display();
}

void SDLBackend::windowDidChangeMiniaturized(AppKit::NSWindow& window) {
    auto it = windows_.find(window.windowNumber());
    if (it == windows_.end() || !it->second.sdl) return;
    if (window.isMiniaturized()) {
        SDL_MinimizeWindow(it->second.sdl);
    } else {
        SDL_RestoreWindow(it->second.sdl);
        SDL_RaiseWindow(it->second.sdl);
    }
}

void SDLBackend::present(AppKit::NSWindow& window, Entry& entry) {
    if (!entry.sdl) return;
    auto image = window.snapshot();
    SDL_Surface* target = SDL_GetWindowSurface(entry.sdl);
    if (!target) return;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(image->data(), image->width(), image->height(), 32,
                                                             image->stride(), SDL_PIXELFORMAT_ARGB8888);
    if (!source) return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(entry.sdl);
}

std::shared_ptr<CoreGraphics::CGImage> SDLBackend::readBack(const AppKit::NSWindow& window) const {
    auto it = windows_.find(window.windowNumber());
    if (it == windows_.end() || !it->second.sdl) return nullptr;
    SDL_Surface* surface = SDL_GetWindowSurface(it->second.sdl);
    if (!surface) return nullptr;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!argb) return nullptr;
    auto image = CoreGraphics::CGImage::make(argb->w, argb->h);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(argb->pixels) + y * argb->pitch);
        // The screen has no alpha: every pixel shown is opaque.
        for (int x = 0; x < argb->w; ++x) image->data()[y * argb->w + x] = row[x] | 0xff000000u;
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return image;
}

unsigned SDLBackend::sdlWindowID(const AppKit::NSWindow& window) const {
    auto it = windows_.find(window.windowNumber());
    return it == windows_.end() || !it->second.sdl ? 0 : SDL_GetWindowID(it->second.sdl);
}

std::shared_ptr<AppKit::NSWindow> SDLBackend::windowFor(unsigned sdlWindowID) const {
    for (auto& [number, entry] : windows_)
        if (entry.sdl && SDL_GetWindowID(entry.sdl) == sdlWindowID) return entry.window.lock();
    return nullptr;
}

void SDLBackend::translate(const SDL_Event& e) {
    auto& app = AppKit::NSApplication::shared();
    const double now = Dispatch::Clock::shared().now();
    auto located = [&](unsigned id, int x, int y) -> std::pair<std::shared_ptr<AppKit::NSWindow>, AppKit::CGPoint> {
        auto w = windowFor(id);
        if (!w) return {nullptr, {}};
        const double s = w->backingScaleFactor();
        return {w, {x / s, w->contentSize().height - y / s}};
    };
    switch (e.type) {
    case SDL_QUIT: app.terminate(); break;
    case SDL_WINDOWEVENT: {
        // A window already gone (its focus leaving as it is destroyed) is no one's concern.
        auto w = windowFor(e.window.windowID);
        if (!w) break;
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: w->performClose(); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            // Only the focus as it is now: one the application has since moved on (to a sheet
            // made key, say) would take key status back and move the focus again.
            if (SDL_GetKeyboardFocus() == SDL_GetWindowFromID(e.window.windowID)) app.desktopFocusDidEnter(*w);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST: focusLeft_ = true; break;
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN: w->setShownOnDesktop(false); break;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            // Only as it is now: a report that a later minimise overtook brings nothing back.
            if (!(SDL_GetWindowFlags(SDL_GetWindowFromID(e.window.windowID)) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)))
                w->desktopDidRestore();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            w->setShownOnDesktop(true);
            if (auto it = windows_.find(w->windowNumber()); it != windows_.end()) present(*w, it->second);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            const double s = w->backingScaleFactor();
            w->setContentSize({e.window.data1 / s, e.window.data2 / s});
            break;
        }
        default: break;
        }
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        auto [w, p] = located(e.button.windowID, e.button.x, e.button.y);
        if (!w) break;
        const bool down = e.type == SDL_MOUSEBUTTONDOWN;
        EventType type = e.button.button == SDL_BUTTON_RIGHT ? (down ? EventType::rightMouseDown : EventType::rightMouseUp)
                         : e.button.button == SDL_BUTTON_LEFT ? (down ? EventType::leftMouseDown : EventType::leftMouseUp)
                                                              : (down ? EventType::otherMouseDown : EventType::otherMouseUp);
        app.postEvent(NSEvent::mouseEvent(type, p, flagsFrom(SDL_GetModState()), now, w, e.button.clicks));
        break;
    }
    case SDL_MOUSEMOTION: {
        auto [w, p] = located(e.motion.windowID, e.motion.x, e.motion.y);
        if (!w) break;
        EventType type = (e.motion.state & SDL_BUTTON_LMASK)   ? EventType::leftMouseDragged
                         : (e.motion.state & SDL_BUTTON_RMASK) ? EventType::rightMouseDragged
                                                               : EventType::mouseMoved;
        auto event = NSEvent::mouseEvent(type, p, flagsFrom(SDL_GetModState()), now, w, 0);
        const double s = w->backingScaleFactor();
        event->setDeltas(e.motion.xrel / s, e.motion.yrel / s);
        app.postEvent(event);
        break;
    }
    case SDL_MOUSEWHEEL: {
        auto w = windowFor(e.wheel.windowID);
        if (!w) break;
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        auto [_, p] = located(e.wheel.windowID, x, y);
        app.postEvent(NSEvent::scrollWheelEvent(p, e.wheel.x, e.wheel.y, flagsFrom(SDL_GetModState()), now, w));
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        auto w = windowFor(e.key.windowID);
        if (!w) w = app.keyWindow();
        const ModifierFlags flags = flagsFrom(SDL_Keymod(e.key.keysym.mod));
        NSEvent::setModifierFlags(flags);
        if (isModifierKey(e.key.keysym.sym)) {
            app.postEvent(NSEvent::keyEvent(EventType::flagsChanged, {}, flags, now, w, "", "", false, 0));
            break;
        }
        auto info = keyInfo(e.key.keysym.sym, flags.contains(ModifierFlags::shift()));
        if (!info.known) break;
        app.postEvent(NSEvent::keyEvent(e.type == SDL_KEYDOWN ? EventType::keyDown : EventType::keyUp, {}, flags, now, w,
                                        info.characters, info.ignoringModifiers, e.key.repeat != 0, info.code));
        break;
    }
    default: break;
    }
}

bool SDLBackend::waitForEvents(double timeout) {
    SDL_Event e;
    // Rounded up, so that a wait for a timer never ends just before it is due; a day or more
    // (a run loop with nothing to do) waits until something comes.
    const int ms = timeout <= 0 ? 0 : timeout >= 86400 ? -1 : int(std::ceil(timeout * 1000));
    if (SDL_WaitEventTimeout(&e, ms)) {
        translate(e);
        while (SDL_PollEvent(&e)) translate(e);
    }
    inputHandled();
    return true;
}

void SDLBackend::inputHandled() {
    if (!focusLeft_) return;
    focusLeft_ = false;
    // The focus that moved to another of the application's windows arrived with it.
    if (!SDL_GetKeyboardFocus()) AppKit::NSApplication::shared().desktopFocusDidLeave();
}

void SDLBackend::pump() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) translate(e);
    inputHandled();
    sendQueuedEvents();
}

void SDLBackend::sendQueuedEvents() {
    auto& app = AppKit::NSApplication::shared();
    while (app.queuedEventCount() > 0) {
        auto event = app.nextEvent(AppKit::EventTypeMask::any(), 0);
        if (!event) break;
        app.sendEvent(event);
    }
}

}  // namespace WindowBackends
