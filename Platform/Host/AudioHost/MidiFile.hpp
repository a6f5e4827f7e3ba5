#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace AudioHost {

// One track of a Standard MIDI File: its events in file order, each a tick and the bytes of
// one message (channel, system exclusive or meta). The end-of-track marker is not kept;
// writing adds it after the last event.
class MidiTrack {
public:
    void add(std::int64_t tick, std::span<const std::uint8_t> bytes);
    void reserve(std::size_t events, std::size_t bytes) { events_.reserve(events), data_.reserve(bytes); }

    std::size_t size() const { return events_.size(); }
    std::int64_t tick(std::size_t i) const { return events_[i].tick; }
    std::span<const std::uint8_t> bytes(std::size_t i) const {
        return {data_.data() + events_[i].offset, events_[i].length};
    }
    // The tick of the original end-of-track marker, or of the last event.
    std::int64_t endTick() const { return endTick_; }
    void setEndTick(std::int64_t tick) { endTick_ = tick; }

private:
    struct Event {
        std::int64_t tick;
        std::uint32_t offset, length;
    };
    std::vector<Event> events_;
    std::vector<std::uint8_t> data_;
    std::int64_t endTick_ = 0;
};

struct MidiSong {
    int format = 1;
    int ticksPerQuarterNote = 480;
    std::vector<MidiTrack> tracks;
};

// A whole Standard MIDI File of format 0 or 1 with ticks-per-quarter-note timing, read into
// memory and written from it (MidiFileReader and MidiFileWriter stream instead).
class MidiFile {
public:
    // Throws BadInput naming the file for a missing, unreadable or damaged file, format 2 or
    // SMPTE timing.
    static MidiSong read(const std::string& path);
    // Events of each track must be in tick order. Throws BadInput when the file cannot be written
    // or a track holds a message a file cannot store.
    static void write(const MidiSong& song, const std::string& path);

    static bool isMeta(std::span<const std::uint8_t> bytes) { return !bytes.empty() && bytes[0] == 0xFF; }
    static bool isChannelMessage(std::span<const std::uint8_t> bytes) {
        return !bytes.empty() && bytes[0] >= 0x80 && bytes[0] < 0xF0;
    }
};

}  // namespace AudioHost
