#pragma once
#include <cstddef>
#include <string>

namespace AudioHost {

// What a render did to the notes, counted as it goes: events in and out, and each note-on the
// unit sent with how far it ended up from where it went in.
class RenderStatistics {
public:
    void countInput() { ++eventsIn_; }
    void countOutput() { ++eventsOut_; }
    // A note-on the unit sent, placed `shiftMs` after its input; `moved` when it lands anywhere
    // else than its input did (another sample, or another tick of a file).
    void countNote(double shiftMs, bool moved);

    std::size_t eventsIn() const { return eventsIn_; }
    std::size_t eventsOut() const { return eventsOut_; }
    std::size_t notes() const { return notes_; }
    std::size_t notesMoved() const { return notesMoved_; }
    double largestShiftMs() const { return largestShiftMs_; }  // by magnitude, with its sign
    double meanShiftMs() const { return notes_ ? totalShiftMs_ / double(notes_) : 0.0; }

    // "12 events in, 12 out; 5 of 6 notes moved, largest shift 40.0 ms, mean shift 33.3 ms"
    std::string summary() const;

private:
    std::size_t eventsIn_ = 0, eventsOut_ = 0, notes_ = 0, notesMoved_ = 0;
    double largestShiftMs_ = 0, totalShiftMs_ = 0;
};

}  // namespace AudioHost
