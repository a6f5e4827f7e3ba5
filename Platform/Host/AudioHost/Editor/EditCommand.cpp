#include "Host/AudioHost/Editor/EditCommand.hpp"

#include <atomic>
#include <chrono>
#include <limits>
#include <thread>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSViewController.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Foundation/Bundle.hpp"
#include "Foundation/MissingOptionValue.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/EditorPresets.hpp"
#include "Host/AudioHost/ExitStatus.hpp"
#include "Host/AudioHost/OfflineRenderer.hpp"
#include "Host/AudioHost/QuotedText.hpp"
#include "Host/AudioHost/RenderJob.hpp"
#include "Host/WindowBackends/BackendSelection.hpp"
#include "Host/WindowBackends/HeadlessBackend.hpp"

namespace AudioHost {

namespace {

// The unit, made as the extension's own process makes it: there its bundle is the main bundle
// (the editor shows that bundle's version).
HostedUnit hostedWithMainBundle(ExtensionUnitSource& source) {
    if (auto bundle = Foundation::Bundle::withPath(source.bundlePath().string())) Foundation::Bundle::setMain(bundle);
    return HostedUnit::create(source);
}

// The song's events in order, once or over and over, each time a cycle later; what the unit
// sends is heard, not kept.
class SongStream : public RenderStream {
public:
    SongStream(const std::vector<HostEvent>& events, std::int64_t cycle) : events_(events), cycle_(cycle) {}
    bool next(HostEvent& event) override {
        if (next_ == events_.size()) {
            if (cycle_ == 0 || events_.empty()) return false;
            next_ = 0;
            offset_ += cycle_;
        }
        event = events_[next_++];
        event.sampleTime += offset_;
        return true;
    }
    void sent(const HostEvent&) override {}

private:
    const std::vector<HostEvent>& events_;
    std::int64_t cycle_, offset_ = 0;
    std::size_t next_ = 0;
};

// Plays a song through the unit on a thread of its own, one render cycle per block of real time;
// `looping`, it starts again at the end of its last measure, as a host's cycle does.
class SongPlayer {
public:
    SongPlayer(AudioToolbox::AUAudioUnit& unit, PlayedSong song, bool looping) : song_(std::move(song)), looping_(looping) {
        thread_ = std::thread([this, &unit] { play(unit); });
    }
    ~SongPlayer() { stop(); }

    bool finished() const { return finished_.load(); }
    // Once finished: whether the render failed.
    bool failed() const { return finished() && !failure_.empty(); }
    // Stops and waits for the thread; the render's failure, if any.
    std::string stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return failure_;
    }

private:
    void play(AudioToolbox::AUAudioUnit& unit) {
        OfflineRenderer renderer(song_.timeline, 512);
        const auto start = std::chrono::steady_clock::now();
        const double rate = song_.timeline.sampleRate();
        renderer.setPacer([&](std::int64_t sample) {
            std::this_thread::sleep_until(start + std::chrono::duration<double>(double(sample) / rate));
            return !stop_.load();
        });
        const std::int64_t cycle =
            looping_ && !song_.events.empty() ? OfflineRenderer::cycleLength(song_.timeline, song_.events.back().sampleTime) : 0;
        renderer.setCycle(cycle);
        SongStream stream(song_.events, cycle);
        try {
            renderer.render(unit, stream);
        } catch (const std::exception& e) {
            failure_ = e.what();
        }
        finished_ = true;
        // The main loop sleeps until something happens: this has.
        Dispatch::RunLoop::main().perform([] {});
    }

    PlayedSong song_;
    const bool looping_;
    std::atomic<bool> stop_{false}, finished_{false};
    std::string failure_;
    std::thread thread_;
};

}  // namespace

EditOptions EditOptions::parse(const std::vector<std::string>& arguments) {
    EditOptions o;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        auto value = [&]() -> const std::string& {
            if (auto missing = Foundation::missingOptionValue(arguments, i)) throw BadInput(*missing);
            return arguments[++i];
        };
        try {
            if (o.take(arguments, i)) continue;
        } catch (const WindowBackends::OptionError& e) {
            throw BadInput(e.what());
        }
        if (arg == "--play") o.play = value();
        else if (arg == "--preset") o.preset = value();
        else throw BadInput("edit: unknown option " + quotedText(arg) + " (see auhost --help)");
    }
    return o;
}

EditSession::EditSession(ExtensionUnitSource& source, const EditOptions& options)
    : options_(options), song_(options.play ? std::optional(readSongToPlay(*options.play, 44100)) : std::nullopt),
      hosted_(hostedWithMainBundle(source)) {
    auto controller = std::dynamic_pointer_cast<AppKit::NSViewController>(hosted_.factory());
    if (!controller) throw BadInput(source.bundlePath().string() + ": the principal class has no editor");
    // Chosen as a person would, in the editor's menu, before the window shows it.
    if (options_.preset) EditorPresets(hosted_).choose(*options_.preset);

    WindowBackends::installWindowBackend();
    // Offscreen, a window nobody sees would be waited on for ever: only a picture or a set time
    // ends such a run.
    if (auto problem = options_.offscreenProblem("the editor", song_.has_value())) throw BadInput(*problem);
    controller->view();
    window_ = AppKit::NSWindow::make({0, 0, 1, 1});
    window_->setTitle(source.name().empty() ? "auhost" : source.name());
    window_->setContentViewController(controller);
    // The controller sizes the window to its preferred size; a size asked for wins over it.
    if (options_.size) window_->setContentSize(*options_.size);
    window_->makeKeyAndOrderFront();
    Dispatch::RunLoop::main().runUntilIdle();
}

EditSession::~EditSession() {
    if (window_->isVisible()) window_->close();
    Dispatch::RunLoop::main().runUntilIdle();
}

int EditSession::run(std::ostream& out, std::ostream& err) {
    // In a window the song plays until the person closes it; offscreen, once.
    const bool shown = WindowBackends::installedKind() != WindowBackends::Kind::headless;
    std::optional<SongPlayer> player;
    if (song_) player.emplace(hosted_.unit(), std::move(*song_), shown);
    song_.reset();

    auto& loop = Dispatch::RunLoop::main();
    // Closed, or quit (Ctrl+Q). Only the main thread and the player (which wakes the loop when
    // it ends) change what ends a run, so the loop sleeps until its next timer or input.
    constexpr double noPolling = std::numeric_limits<double>::infinity();
    auto ended = [&] { return !window_->isVisible() || AppKit::NSApplication::shared().isTerminated(); };
    if (options_.seconds || options_.snapshot) {
        loop.runUntil(ended, options_.seconds.value_or(player ? 2.0 : 0.0), noPolling);
    } else {
        // A song that ends (offscreen) or fails ends the run; in a window nothing but the
        // person does, even with nothing to play.
        loop.runUntil([&] { return ended() || (player && (shown ? player->failed() : player->finished())); }, 1e9, noPolling);
    }
    const std::string renderFailure = player ? player->stop() : "";
    loop.runUntilIdle();

    int status = ExitStatus::success;
    if (options_.snapshot) {
        try {
            writeSnapshot(*options_.snapshot, out);
        } catch (const BadInput& e) {
            ExitStatus::report(err, e.what());
            status = ExitStatus::badInput;
        }
    }
    window_->close();
    loop.runUntilIdle();
    if (!renderFailure.empty()) {
        ExitStatus::report(err, renderFailure);
        return ExitStatus::unitFailed;
    }
    return status;
}

void EditSession::writeSnapshot(const std::string& path, std::ostream& out) {
    auto image = window_->snapshot();
    if (!image || image->width() == 0 || image->height() == 0)
        throw BadInput("cannot write " + path + ": the window has no picture");
    std::string error;
    if (!WindowBackends::writePicture(*image, path, &error)) throw BadInput(error);
    out << "wrote " << path << " (" << image->width() << "x" << image->height() << ")\n";
}

int runEdit(ExtensionUnitSource& source, const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    EditSession session(source, EditOptions::parse(arguments));
    return session.run(out, err);
}

}  // namespace AudioHost
