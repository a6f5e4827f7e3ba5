#include "Host/WindowBackends/BackendSelection.hpp"

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "AppKit/NSApplication.hpp"
#include "Host/WindowBackends/HeadlessBackend.hpp"
#include "Host/WindowBackends/SDLBackend.hpp"

namespace WindowBackends {

namespace {
std::unique_ptr<AppKit::WindowBackend>& installed() {
    static std::unique_ptr<AppKit::WindowBackend> backend;
    return backend;
}
Kind installedAs = Kind::headless;
std::string fellBackBecause;

bool hasDisplay() {
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

AppKit::WindowBackend& install(std::unique_ptr<AppKit::WindowBackend> backend, Kind kind) {
    auto& slot = installed();
    AppKit::NSApplication::shared().setWindowBackend(backend.get());
    slot = std::move(backend);
    installedAs = kind;
    return *slot;
}
}  // namespace

AppKit::WindowBackend& installWindowBackend(Kind kind) {
    if (kind == Kind::headless) return install(std::make_unique<HeadlessBackend>(), kind);
    if (!hasDisplay())
        throw std::runtime_error("the SDL window back end needs a display, but neither DISPLAY nor WAYLAND_DISPLAY is set");
    return install(std::make_unique<SDLBackend>(), kind);
}

AppKit::WindowBackend& installWindowBackend() {
    const char* forced = std::getenv("VZ_WINDOW_BACKEND");
    std::string choice = forced ? forced : "";
    if (choice == "headless") return installWindowBackend(Kind::headless);
    if (choice == "sdl") return installWindowBackend(Kind::sdl);
    if (!choice.empty())
        throw std::runtime_error("VZ_WINDOW_BACKEND is \"" + choice + "\"; use \"headless\" or \"sdl\"");
    fellBackBecause.clear();
    if (hasDisplay()) {
        try {
            return installWindowBackend(Kind::sdl);
        } catch (const std::runtime_error& e) {
            // No usable display after all: draw offscreen.
            fellBackBecause = e.what();
        }
    }
    return installWindowBackend(Kind::headless);
}

Kind installedKind() { return installedAs; }

const std::string& fallbackReason() { return fellBackBecause; }

}  // namespace WindowBackends
