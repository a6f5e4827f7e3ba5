#include "Host/AudioHost/Tool/EditCommand.hpp"

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSViewController.hpp"
#include "AppKit/NSWindow.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Foundation/Bundle.hpp"
#include "Foundation/NumberText.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/HostedUnit.hpp"
#include "Host/AudioHost/OfflineRenderer.hpp"
#include "Host/AudioHost/RenderJob.hpp"
#include "Host/WindowBackends/BackendSelection.hpp"

namespace AudioHost {

namespace {

struct EditOptions {
    std::optional<std::string> play, snapshot;
    std::optional<CoreGraphics::CGSize> size;
    std::optional<double> seconds;
};

double number(const std::string& option, const std::string& text) {
    // Locale-free, like every number the host reads.
    const std::optional<double> v = Foundation::NumberText::parseDouble(text);
    if (!v || !std::isfinite(*v) || *v < 0)
        throw BadInput(option + " takes a number of seconds, not \"" + text + "\"");
    return *v;
}

CoreGraphics::CGSize size(const std::string& text) {
    const auto x = text.find('x');
    auto part = [&](const std::string& p) {
        char* end = nullptr;
        const long v = std::strtol(p.c_str(), &end, 10);
        if (p.empty() || *end != '\0' || v < 1 || v > 8192) throw BadInput("--size takes WIDTHxHEIGHT in points, not \"" + text + "\"");
        return double(v);
    };
    if (x == std::string::npos) throw BadInput("--size takes WIDTHxHEIGHT in points, not \"" + text + "\"");
    return {part(text.substr(0, x)), part(text.substr(x + 1))};
}

EditOptions parse(const std::vector<std::string>& arguments) {
    EditOptions o;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) throw BadInput(arg + " needs a value");
            return arguments[++i];
        };
        if (arg == "--play") o.play = value();
        else if (arg == "--snapshot") o.snapshot = value();
        else if (arg == "--size") o.size = size(value());
        else if (arg == "--seconds") o.seconds = number(arg, value());
        else throw BadInput("edit: unknown option \"" + arg + "\" (see auhost --help)");
    }
    return o;
}

}  // namespace

int runEdit(ExtensionUnitSource& source, const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    try {
        const EditOptions o = parse(arguments);
        std::optional<PlayedSong> song;
        if (o.play) song = readSongToPlay(*o.play, 44100);

        // An extension runs in a process of its own, where its bundle is the main bundle (the
        // editor shows that bundle's version).
        if (auto bundle = Foundation::Bundle::withPath(source.bundlePath().string())) Foundation::Bundle::setMain(bundle);
        auto principal = source.makePrincipal();
        auto controller = std::dynamic_pointer_cast<AppKit::NSViewController>(principal);
        auto factory = std::dynamic_pointer_cast<AudioToolbox::AUAudioUnitFactory>(principal);
        if (!controller || !factory) throw BadInput(source.bundlePath().string() + ": the principal class has no editor");
        std::shared_ptr<AudioToolbox::AUAudioUnit> unit;
        try {
            unit = factory->createAudioUnit(source.componentDescription());
        } catch (const Foundation::NSError& e) {
            throw UnitFailure("the unit could not be created: " + e.localizedDescription());
        }
        if (!unit) throw UnitFailure("the factory gave no unit");

        WindowBackends::installWindowBackend();
        controller->view();
        const CoreGraphics::CGSize contentSize = o.size.value_or(controller->preferredContentSize());
        auto window = AppKit::NSWindow::make({0, 0, contentSize.width, contentSize.height});
        window->setTitle(source.name().empty() ? "auhost" : source.name());
        window->setContentViewController(controller);
        window->makeKeyAndOrderFront();
        Dispatch::RunLoop::main().runUntilIdle();

        // The render thread plays the song at its own pace, one cycle per block of real time.
        std::atomic<bool> stop{false}, finished{!song};
        std::string renderFailure;
        std::thread player;
        if (song) {
            player = std::thread([&] {
                OfflineRenderer renderer(song->timeline, 512);
                const auto start = std::chrono::steady_clock::now();
                const double rate = song->timeline.sampleRate();
                renderer.setPacer([&](std::int64_t sample) {
                    std::this_thread::sleep_until(start + std::chrono::duration<double>(double(sample) / rate));
                    return !stop.load();
                });
                try {
                    renderer.render(*unit, song->events);
                } catch (const std::exception& e) {
                    renderFailure = e.what();
                }
                finished = true;
            });
        }

        auto& loop = Dispatch::RunLoop::main();
        if (o.seconds || o.snapshot) {
            const double seconds = o.seconds.value_or(song ? 2.0 : 0.0);
            loop.runUntil([&] { return !window->isVisible(); }, seconds);
        } else {
            loop.runUntil([&] { return !window->isVisible() || (song && finished.load()); }, 1e9);
        }
        stop = true;
        if (player.joinable()) player.join();
        loop.runUntilIdle();

        int status = 0;
        if (o.snapshot) {
            std::string error;
            auto image = window->snapshot();
            if (!image || !image->writePNG(*o.snapshot, &error)) {
                err << "auhost: cannot write " << *o.snapshot << (error.empty() ? "" : ": " + error) << '\n';
                status = 2;
            } else {
                out << "wrote " << *o.snapshot << " (" << image->width() << "x" << image->height() << ")\n";
            }
        }
        window->close();
        loop.runUntilIdle();
        if (!renderFailure.empty()) {
            err << "auhost: " << renderFailure << '\n';
            return 1;
        }
        return status;
    } catch (const BadInput& error) {
        err << "auhost: " << error.what() << '\n';
        return 2;
    } catch (const UnitFailure& error) {
        err << "auhost: " << error.what() << '\n';
        return 1;
    }
}

}  // namespace AudioHost
