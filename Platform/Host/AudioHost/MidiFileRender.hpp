#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "Host/AudioHost/MidiFileReader.hpp"
#include "Host/AudioHost/RenderJob.hpp"

namespace AudioHost {

// `auhost render` of a MIDI file, streamed: a first pass reads the tempo map and checks every
// track, then each track that has channel messages runs through its own unit as it is read,
// and is written as the unit's events and the track's other events (meta, system exclusive)
// fall into tick order. Tracks without channel messages are copied.
//
// Sample times map back to ticks through the tempo map. An event the unit leaves at its own
// sample keeps its own tick, and one it moves later (or earlier) never lands on an earlier (or
// later) tick than its own, however short a tick is; a note counts as moved when its tick did.
class MidiFileRender {
public:
    static RenderResult run(UnitSource& source, const RenderOptions& options);

    // What a first pass over a song finds: the tempo and metre changes from the meta events of
    // all its tracks, in tick order, and where each track's channel messages are. Reading every
    // event checks the whole file.
    struct Outline {
        struct Track {
            std::size_t channelMessages = 0;
            std::int64_t lastChannelTick = 0;
        };
        std::vector<Timeline::TempoChange> tempi;
        std::vector<Timeline::MeterChange> meters;
        std::vector<Track> tracks;
    };
    static Outline outline(const MidiFileReader& reader);

    static bool isChannelMessage(std::span<const std::uint8_t> bytes) {
        return !bytes.empty() && bytes[0] >= 0x80 && bytes[0] < 0xF0;
    }
};

}  // namespace AudioHost
