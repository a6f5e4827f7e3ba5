#pragma once
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace AudioHost {

// Writes a Standard MIDI File track by track, event by event, without holding it in memory (but
// for the open track when the file cannot seek, as a pipe cannot).
// Events take the form MidiFileReader gives them. A gap between two events longer than a file
// can state in one event time is bridged by empty text events, so every file written reads back
// with the same ticks. Errors throw BadInput "cannot write SHOWN: reason".
class MidiFileWriter {
public:
    // Creates `file` and writes the header; `shownPath` names the file in messages. More than
    // one track makes a format 1 file.
    MidiFileWriter(const std::string& file, std::string shownPath, int format, int ticksPerQuarterNote, std::size_t tracks);
    ~MidiFileWriter();
    MidiFileWriter(const MidiFileWriter&) = delete;
    MidiFileWriter& operator=(const MidiFileWriter&) = delete;

    void beginTrack();
    // In tick order. Throws BadInput for a message a file cannot hold.
    void add(std::int64_t tick, std::span<const std::uint8_t> bytes);
    // Adds the end marker at `endTick`, or at the last event's tick when that is later.
    void endTrack(std::int64_t endTick);
    // Writes out and closes the file, whose tracks must all have been written.
    void finish();

    // The longest gap a file states in one event time.
    static constexpr std::int64_t longestDelta = 0x0FFFFFFF;

private:
    void put(std::uint8_t byte) {
        if (buffer_.size() == buffer_.capacity()) flush();
        buffer_.push_back(byte);
    }
    void putBytes(std::span<const std::uint8_t> bytes);
    void flush();
    void putVariableLength(std::uint32_t value);
    void advanceTo(std::int64_t tick);
    [[noreturn]] void fail() const;

    std::FILE* file_;
    bool seekable_ = true;
    // Bytes not yet handed to the file: gathered here, as a call into stdio for every few
    // bytes of every event costs more than the events' own work.
    std::vector<std::uint8_t> buffer_;
    std::int64_t flushed_ = 0;  // bytes handed to the file
    std::string shown_;
    std::size_t tracksLeft_;
    std::int64_t trackStart_ = -1;  // file offset of the open track's chunk
    std::int64_t now_ = 0;
    std::size_t trackNumber_ = 0;
};

}  // namespace AudioHost
