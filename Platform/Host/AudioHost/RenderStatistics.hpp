#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "Host/AudioHost/HostEvent.hpp"

namespace AudioHost {

// What a render did to the notes. A note-on the unit sent is paired with the input note-on it
// came from by status byte and note number, first in first out, in the order the unit sent them.
class RenderStatistics {
public:
    void add(const std::vector<HostEvent>& input, const std::vector<HostEvent>& output, double sampleRate);

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
