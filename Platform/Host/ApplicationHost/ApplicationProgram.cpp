#include "Host/ApplicationHost/ApplicationProgram.hpp"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "AppKit/DesktopEntry.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSWindow.hpp"
#include "AppKit/NSWorkspace.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Foundation/Bundle.hpp"
#include "Foundation/QuotedText.hpp"
#include "Host/WindowBackends/BackendSelection.hpp"
#include "Host/WindowBackends/HeadlessBackend.hpp"

namespace ApplicationHost {

namespace {

constexpr int success = 0, failure = 1, badInput = 2;

std::string executablePath() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}


// What a later start hands over: its URLs, or none. Either way the application comes to the
// front, what Hide hid back, with its key window (else its frontmost) in front with the focus,
// as a second launch of a running application does; then it opens the URLs.
void receiveHandOff(const std::vector<std::string>& texts) {
    auto& app = AppKit::NSApplication::shared();
    std::vector<Foundation::URL> urls;
    for (auto& t : texts)
        if (auto url = Foundation::URL::fromString(t)) urls.push_back(*url);
    auto windows = app.windows();
    if (app.isActive() && !app.keyWindow() && !windows.empty()) windows.front()->makeKeyAndOrderFront();
    app.activate();
    app.open(urls);
}

}  // namespace

ApplicationProgram::ApplicationProgram(std::vector<std::string> arguments, std::ostream& out, std::ostream& err)
    : arguments_(std::move(arguments)), out_(out), err_(err) {
    auto bundle = Foundation::Bundle::main();
    identifier_ = bundle ? bundle->bundleIdentifier().value_or("") : "";
    name_ = std::filesystem::path(executablePath()).filename().string();
    if (name_.empty()) name_ = "application";
}

ApplicationProgram::~ApplicationProgram() = default;

int ApplicationProgram::fail(int status, const std::string& message) {
    err_ << name_ << ": " << message << "\n";
    return status;
}

std::string ApplicationProgram::usage() const {
    return "usage: " + name_ + " [--snapshot FILE.png] [--size WxH] [--seconds S] [URL...]\n"
           "  --snapshot FILE.png  write the window's picture when the run ends (after its first\n"
           "                       frames, or --seconds) and quit\n"
           "  --size WxH           the window's size in points, 1...8192 each (a window of fixed\n"
           "                       size shows its content scaled into it)\n"
           "  --seconds S          end the run after S seconds, 0...1000000\n"
           "  URL...               URLs for the application to open\n"
           "Started while it runs, it hands its URLs to the running application (with none, brings\n"
           "that to the front) and ends. --help or -h prints this text.\n";
}

std::optional<int> ApplicationProgram::prepare() {
    for (const auto& arg : arguments_)
        if (arg == "--help" || arg == "-h") {
            out_ << usage();
            return success;
        }
    for (std::size_t i = 0; i < arguments_.size(); ++i) {
        const std::string& arg = arguments_[i];
        try {
            if (options_.take(arguments_, i)) continue;
        } catch (const WindowBackends::OptionError& e) {
            return fail(badInput, e.what());
        }
        if (arg.rfind("-", 0) == 0)
            return fail(badInput, "unknown option " + Foundation::quotedText(arg) +
                                      "; use [--snapshot FILE.png] [--size WxH] [--seconds S] [URL...] (see --help)");
        auto url = Foundation::URL::fromString(arg);
        if (!url || !url->scheme()) return fail(badInput, Foundation::quotedText(arg) + " is not a URL");
        urls_.push_back(*url);
    }

    const bool ownRun = !options_.snapshot && !identifier_.empty();
    if (ownRun) {
        std::vector<std::string> texts;
        for (auto& u : urls_) texts.push_back(u.absoluteString());
        auto start = AppKit::ApplicationInstance::start(identifier_, texts, receiveHandOff);
        switch (start.outcome) {
        case AppKit::ApplicationInstance::Start::Outcome::handedOver: return success;
        case AppKit::ApplicationInstance::Start::Outcome::failed: return fail(failure, start.error);
        case AppKit::ApplicationInstance::Start::Outcome::alone:
            err_ << name_ << ": runs alone, other starts cannot reach it: " << start.error << "\n";
            break;
        case AppKit::ApplicationInstance::Start::Outcome::running: instance_ = std::move(start.instance); break;
        }
    }

    try {
        WindowBackends::installWindowBackend();
    } catch (const std::runtime_error& e) {
        return fail(failure, e.what());
    }
    if (auto problem = options_.offscreenProblem("the window")) return fail(badInput, *problem);
    if (ownRun) registerDesktopEntry();
    return std::nullopt;
}

void ApplicationProgram::registerDesktopEntry() {
    auto bundle = Foundation::Bundle::main();
    if (!bundle) return;
    auto entry = AppKit::DesktopEntry::forBundle(*bundle, executablePath());
    if (!entry || entry->mimeTypes.empty()) return;
    std::string error;
    if (!entry->install(&error)) err_ << name_ << ": its links cannot reach it from other programs: " << error << "\n";
}

int ApplicationProgram::run(const std::function<std::unique_ptr<SwiftUI::AppRuntime>()>& launch) {
    auto& app = AppKit::NSApplication::shared();
    auto& loop = Dispatch::RunLoop::main();
    // The URLs it was started with wait for launching to finish.
    app.open(urls_);
    AppKit::NSWorkspace::shared().setOpensLinksExternally(true);
    auto runtime = launch();
    app.activate();
    std::shared_ptr<AppKit::NSWindow> window = runtime->windows().empty() ? nullptr : runtime->windows().front();
    if (window && options_.size) sizeWindow(*window, *options_.size);
    // Until Quit or the window closes (both stop the loop), or the time asked is up; a picture
    // alone waits for the first frames of what animates.
    constexpr double firstFrames = 0.05;
    if (!app.isTerminated()) loop.runFor(options_.seconds.value_or(options_.snapshot ? firstFrames : 1e9));

    int status = success;
    if (options_.snapshot) {
        std::string error;
        if (!window) {
            status = fail(failure, "cannot write " + *options_.snapshot + ": the application has no window");
        } else if (!WindowBackends::writeSnapshot(*window, *options_.snapshot, &error)) {
            status = fail(badInput, error);
        } else {
            const CoreGraphics::CGFloat s = window->backingScaleFactor();
            out_ << "wrote " << *options_.snapshot << " (" << int(window->contentSize().width * s + 0.5) << "x"
                 << int(window->contentSize().height * s + 0.5) << ")\n";
        }
    }
    if (!app.isTerminated()) app.terminate();
    for (auto& w : app.windows()) w->close();
    loop.runUntilIdle();
    runtime.reset();
    instance_.reset();
    return status;
}

void ApplicationProgram::sizeWindow(AppKit::NSWindow& window, CoreGraphics::CGSize size) {
    const CoreGraphics::CGSize own = window.contentSize();
    if (!window.isResizable()) {
        window.setContentMinSize(size);
        window.setContentMaxSize(size);
    }
    window.setContentSize(size);
    // Content of a fixed size is shown whole, scaled into the size asked, on the window's
    // background where the proportions differ; a resizable window lays its content out anew.
    auto view = window.contentView();
    if (!view || window.isResizable() || own.width <= 0 || own.height <= 0) return;
    const CoreGraphics::CGFloat scale = std::min(size.width / own.width, size.height / own.height);
    view->setBoundsSize({size.width / scale, size.height / scale});
}

int runApplication(int argc, char** argv, const std::function<std::unique_ptr<SwiftUI::AppRuntime>()>& launch) {
    ApplicationProgram program(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    if (auto status = program.prepare()) return *status;
    return program.run(launch);
}

}  // namespace ApplicationHost
