#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "AppKit/ApplicationInstance.hpp"
#include "AppKit/NSWindow.hpp"
#include "Foundation/URL.hpp"
#include "Host/WindowBackends/WindowOptions.hpp"
#include "SwiftUI/App.hpp"

namespace ApplicationHost {

// The program of an application bundle, started as the desktop starts it:
//   <program> [--snapshot FILE.png] [--size WxH] [--seconds S] [URL...]
// The window options are those of `auhost edit`; a window of fixed size shows its content
// scaled into the size asked. In order:
// 1. With another instance of the application running (the bundle's identifier names it), the
//    URLs go to it (none: it comes to the front) and the program ends.
// 2. Otherwise this one becomes the running instance, registers the bundle's desktop entry (its
//    name and URL schemes), and picks the window back end (SDL2 on a display, else offscreen,
//    which needs --snapshot or --seconds).
// 3. The App launches (its initialiser, will-finish-launching, the URLs of the command line,
//    did-finish-launching, its windows) and runs until it terminates or the seconds are up.
// 4. The first window's picture is written to the snapshot file (with --snapshot alone, after
//    its first frames).
// A run with --snapshot is a picture of its own: it neither hands over nor takes the place of
// the running instance, and registers nothing.
class ApplicationProgram {
public:
    ApplicationProgram(std::vector<std::string> arguments, std::ostream& out, std::ostream& err);
    ~ApplicationProgram();

    // Steps 1 and 2; the exit status when the program ends here (handed over, bad options, the
    // usage asked for with --help or -h, printed on `out`).
    std::optional<int> prepare();
    // The usage text, under the program's name.
    std::string usage() const;
    // Steps 3 and 4 with the App `launch` makes; the exit status.
    int run(const std::function<std::unique_ptr<SwiftUI::AppRuntime>()>& launch);

    // The window at the size --size asks for: a window of fixed size shows its content whole,
    // scaled into it (on the window's background where the proportions differ); a resizable
    // one lays it out anew.
    static void sizeWindow(AppKit::NSWindow& window, CoreGraphics::CGSize size);

    const WindowBackends::WindowOptions& options() const { return options_; }
    const std::vector<Foundation::URL>& urls() const { return urls_; }

private:
    int fail(int status, const std::string& message);
    void registerDesktopEntry();

    std::vector<std::string> arguments_;
    std::ostream& out_;
    std::ostream& err_;
    std::string name_, identifier_;
    WindowBackends::WindowOptions options_;
    std::vector<Foundation::URL> urls_;
    std::unique_ptr<AppKit::ApplicationInstance> instance_;
};

// A program's main: `return ApplicationHost::runApplication<MyApp>(argc, argv);`.
int runApplication(int argc, char** argv, const std::function<std::unique_ptr<SwiftUI::AppRuntime>()>& launch);
template <class A>
int runApplication(int argc, char** argv) {
    return runApplication(argc, argv, [] { return SwiftUI::launchApp<A>(); });
}

}  // namespace ApplicationHost
