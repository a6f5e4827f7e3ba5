#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Host/AudioHost/HostEvent.hpp"
#include "Host/AudioHost/RenderStatistics.hpp"
#include "Host/AudioHost/Timeline.hpp"
#include "Host/AudioHost/UnitSource.hpp"

namespace AudioHost {

struct RenderOptions {
    // What hosts offer: the sample rates of sound cards, blocks up to what units are asked to
    // take at most, the tempi songs have, and a beat position a day of music reaches.
    static constexpr double lowestSampleRate = 8000, highestSampleRate = 384000;
    static constexpr std::uint32_t largestBlock = 8192;
    static constexpr double slowestTempo = 1, fastestTempo = 1000;
    static constexpr double furthestStartBeat = 1e6;

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

// One `auhost render`: reads INPUT, runs it through units of the source and writes OUTPUT (see
// EventListRender and MidiFileRender). INPUT and OUTPUT are both event lists (.txt) or both MIDI
// files (.mid, .midi).
class RenderJob {
public:
    // Throws BadInput for unusable input or options (checked against the bounds above before
    // anything is read), UnitFailure when a unit fails. OUTPUT is written only when everything
    // succeeded, and is never INPUT.
    static RenderResult run(UnitSource& source, const RenderOptions& options);

    // Every cycle up to the last event is rendered; a stray time far in the future would keep the
    // host busy for hours, so a song may last a day at most.
    static constexpr double longestSongSeconds = 24 * 60 * 60;
    // Throws BadInput when an event at `sample` lies beyond that.
    static void checkLength(const RenderOptions& options, AudioToolbox::AUEventSampleTime sample);
    // The song's timeline with the options' tempo and time signature in place of its own.
    static Timeline timeline(const RenderOptions& options, std::vector<Timeline::TempoChange> tempi,
                             std::vector<Timeline::MeterChange> meters);
};

}  // namespace AudioHost
