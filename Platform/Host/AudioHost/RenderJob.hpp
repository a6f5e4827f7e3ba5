#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Host/AudioHost/RenderStatistics.hpp"
#include "Host/AudioHost/UnitSource.hpp"

#include "Host/AudioHost/HostEvent.hpp"
#include "Host/AudioHost/Timeline.hpp"

namespace AudioHost {

struct RenderOptions {
    std::optional<std::string> preset;
    std::vector<std::string> assignments;  // IDENTIFIER=VALUE, in order
    bool bypass = false;
    double sampleRate = 44100;
    std::uint32_t blockFrames = 512;
    std::optional<double> tempo;                       // default: the file's tempo map, else 120
    std::optional<std::pair<int, int>> timeSignature;  // default: the file's, else 4/4
    double startBeat = 0;
    std::string input, output;
};

struct RenderResult {
    RenderStatistics statistics;
    std::size_t unitsRun = 0;
};

// What a host plays through one unit: the channel messages of every track of a MIDI file in
// time order, and the song's timeline. Throws BadInput like a render of the file.
struct PlayedSong {
    Timeline timeline;
    std::vector<HostEvent> events;
};
PlayedSong readSongToPlay(const std::string& path, double sampleRate);

// One `auhost render`: reads INPUT, runs it through units of the source and writes OUTPUT.
// An event list (.txt) runs through one unit and comes back as the list of what the unit sent,
// in the order sent. A MIDI file (.mid) runs each track that has channel messages through its
// own unit, all set up alike; the host copies the other events (meta, system exclusive), maps
// sample times back to ticks through the tempo map and orders each track by time, stably.
class RenderJob {
public:
    // Throws BadInput for unusable input or options, UnitFailure when a unit fails. OUTPUT is
    // written only when everything succeeded.
    static RenderResult run(UnitSource& source, const RenderOptions& options);
};

}  // namespace AudioHost
