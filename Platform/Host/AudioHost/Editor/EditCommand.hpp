#pragma once
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "AppKit/NSWindow.hpp"
#include "Host/AudioHost/ExtensionUnitSource.hpp"
#include "Host/WindowBackends/WindowOptions.hpp"
#include "Host/AudioHost/HostedUnit.hpp"
#include "Host/AudioHost/RenderJob.hpp"

namespace AudioHost {

// What `auhost edit` was asked for: the window's options (snapshot, size, seconds) and
// what to play in it.
struct EditOptions : WindowBackends::WindowOptions {
    std::optional<std::string> play, preset;

    // Throws BadInput naming the option for anything it cannot use.
    static EditOptions parse(const std::vector<std::string>& arguments);
};

// The effect's editor in a window, as `auhost edit` shows it: the unit and its editor made from
// the bundle's principal class, the preset chosen in the editor's own menu, the window opened at
// the size asked (the editor scales into it) on the installed window back end.
class EditSession {
public:
    // Throws BadInput for an unknown preset or an effect without an editor, UnitFailure when the
    // unit cannot be made, std::runtime_error when no window back end can start.
    EditSession(ExtensionUnitSource& source, const EditOptions& options);
    ~EditSession();
    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;

    AppKit::NSWindow& window() const { return *window_; }
    AudioToolbox::AUAudioUnit& unit() const { return hosted_.unit(); }

    // Plays the song, if any, until the window closes or the time asked is up (in a real
    // window over and over, as a host's cycle does; offscreen once, its end also ending a run
    // with no time asked); then writes the snapshot and closes the window. Returns the exit
    // status.
    int run(std::ostream& out, std::ostream& err);

private:
    void writeSnapshot(const std::string& path, std::ostream& out);

    EditOptions options_;
    std::optional<PlayedSong> song_;  // read before anything opens, played by run()
    HostedUnit hosted_;
    std::shared_ptr<AppKit::NSWindow> window_;
};

// `auhost edit [--play FILE] [--snapshot FILE.png] [--size WxH] [--seconds S] [--preset NAME]`:
// the extension's view controller in a window (SDL2 on a display, headless otherwise), its unit
// optionally playing a MIDI file on a render thread in real time. Returns the exit status.
// (--help is the program's: it prints the usage before anything is opened.)
int runEdit(ExtensionUnitSource& source, const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace AudioHost
