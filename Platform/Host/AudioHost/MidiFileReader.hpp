#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace AudioHost {

// One event of a track as read: its tick from the track's start and its bytes. A channel
// message comes with its status byte (also when the file used running status); system exclusive
// as F0 or F7 followed by the packet's bytes, without the length; a meta event as FF, its type,
// its length and its data. The bytes stay valid until the cursor reads the next event.
struct MidiEvent {
    std::int64_t tick = 0;
    std::span<const std::uint8_t> bytes;
};

// Reads a Standard MIDI File of format 0 or 1 with ticks-per-quarter-note timing a track at a
// time, without holding the file in memory. The header and the chunk layout are checked when
// the file is opened, each track's events as they are read; chunks other than tracks are
// skipped. Every fault throws BadInput naming the file.
class MidiFileReader {
public:
    explicit MidiFileReader(const std::string& path);

    const std::string& path() const { return path_; }
    int format() const { return format_; }
    int ticksPerQuarterNote() const { return ticksPerQuarterNote_; }
    std::size_t trackCount() const { return tracks_.size(); }

    class TrackCursor {
    public:
        // The next event, or false once the track has ended.
        bool next(MidiEvent& event);
        // The tick of the track's end: its end marker, or its last event when it has none.
        std::int64_t endTick() const { return tick_; }

    private:
        friend class MidiFileReader;
        TrackCursor(std::shared_ptr<const int> file, std::string path, std::size_t number, std::uint64_t begin, std::uint64_t end);

        // At least `count` bytes of the chunk buffered; false when the chunk has fewer left.
        bool ensure(std::size_t count) { return filled_ - position_ >= count || refill(count); }
        bool refill(std::size_t count);
        std::size_t bufferedUpTo(std::size_t count);  // as many as the chunk has, up to `count`
        std::uint8_t take() { return buffer_[position_++]; }
        std::uint32_t variableLength(const char* what);
        [[noreturn]] void fail(const std::string& why) const;

        std::shared_ptr<const int> file_;
        std::string path_;
        std::size_t number_;
        std::uint64_t next_, end_;  // file offsets: the next byte to buffer, the chunk's end
        std::vector<std::uint8_t> buffer_;
        std::size_t position_ = 0, filled_ = 0;
        std::vector<std::uint8_t> message_;  // system exclusive
        std::uint8_t channelMessage_[3] = {};
        std::int64_t tick_ = 0;
        std::uint8_t runningStatus_ = 0;
        bool ended_ = false;
    };

    // A cursor at the start of track `index` (0-based).
    TrackCursor track(std::size_t index) const;

private:
    struct Chunk {
        std::uint64_t offset, length;
    };
    std::string path_;
    std::shared_ptr<const int> file_;
    int format_ = 1;
    int ticksPerQuarterNote_ = 480;
    std::vector<Chunk> tracks_;
};

}  // namespace AudioHost
