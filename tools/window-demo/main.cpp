// Opens the demo window through the window back end chosen by the environment (SDL2 on a
// display, else headless).
//   window-demo [--snapshot FILE.png] [--seconds S] [--screenshot FILE.png] [--scale N]
// --snapshot writes the window's own picture (headless drawing) and, without --seconds,
// exits at once; --seconds runs the window for S seconds and then quits; --screenshot
// writes what the SDL window shows just before quitting.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

#include "AppKit/NSApplication.hpp"
#include "DemoWindow.hpp"
#include "Dispatch/Timer.hpp"
#include "Foundation/NumberText.hpp"
#include "Host/WindowBackends/BackendSelection.hpp"
#include "Host/WindowBackends/HeadlessBackend.hpp"
#include "Host/WindowBackends/SDLBackend.hpp"

namespace {

int usage(const char* message) {
    std::fprintf(stderr, "window-demo: %s\nusage: window-demo [--snapshot FILE.png] [--seconds S] [--screenshot FILE.png] [--scale N]\n",
                 message);
    return 2;
}

bool parseNumber(const char* text, double& out) {
    const std::optional<double> v = Foundation::NumberText::parseDouble(text);
    if (!v || !(*v >= 0)) return false;
    out = *v;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string snapshot, screenshot;
    double seconds = -1, scale = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--snapshot" && hasValue) snapshot = argv[++i];
        else if (arg == "--screenshot" && hasValue) screenshot = argv[++i];
        else if (arg == "--seconds" && hasValue) {
            if (!parseNumber(argv[++i], seconds)) return usage("--seconds needs a number of seconds");
        } else if (arg == "--scale" && hasValue) {
            if (!parseNumber(argv[++i], scale) || scale <= 0) return usage("--scale needs a positive number");
        } else return usage(("unknown or incomplete option " + arg).c_str());
    }

    auto& app = AppKit::NSApplication::shared();
    bool onlySnapshot = !snapshot.empty() && seconds < 0;
    try {
        if (onlySnapshot)
            WindowBackends::installWindowBackend(WindowBackends::Kind::headless);
        else
            WindowBackends::installWindowBackend();
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "window-demo: %s\n", e.what());
        return 1;
    }

    auto window = WindowDemo::makeDemoWindow();
    if (scale > 0) window->setBackingScaleFactor(scale);
    window->center();
    window->makeKeyAndOrderFront();
    app.finishLaunching();

    auto writeSnapshot = [&] {
        if (snapshot.empty()) return true;
        std::string error;
        if (!WindowBackends::writeSnapshot(*window, snapshot, &error)) {
            std::fprintf(stderr, "window-demo: cannot write %s: %s\n", snapshot.c_str(), error.c_str());
            return false;
        }
        return true;
    };
    if (onlySnapshot) return writeSnapshot() ? 0 : 1;

    bool ok = true;
    std::shared_ptr<Dispatch::Timer> quit;
    if (seconds >= 0) {
        quit = Dispatch::Timer::scheduledTimer(seconds, false, [&](Dispatch::Timer&) {
            if (!screenshot.empty()) {
                auto* sdl = dynamic_cast<WindowBackends::SDLBackend*>(app.windowBackend());
                auto image = sdl ? sdl->readBack(*window) : nullptr;
                std::string error;
                if (!image || !image->writePNG(screenshot, &error)) {
                    std::fprintf(stderr, "window-demo: no screenshot of an SDL window to write%s%s\n",
                                 error.empty() ? "" : ": ", error.c_str());
                    ok = false;
                }
            }
            app.terminate();
        });
    }
    ok = writeSnapshot() && ok;
    if (WindowBackends::installedKind() == WindowBackends::Kind::headless && seconds < 0) {
        std::fprintf(stderr, "window-demo: no display; use --snapshot FILE.png to see the window\n");
        return 1;
    }
    app.run();
    return ok ? 0 : 1;
}
