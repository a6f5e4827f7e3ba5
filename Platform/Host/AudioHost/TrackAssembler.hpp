#pragma once
#include <cstdint>
#include <deque>
#include <limits>
#include <span>
#include <vector>

#include "Host/AudioHost/HostEvent.hpp"
#include "Host/AudioHost/MidiFileWriter.hpp"
#include "Host/AudioHost/SentEventQueue.hpp"

namespace AudioHost {

// Puts one track back together while it renders: the host's own events (those no unit gets)
// and the events the unit sent, placed on ticks, are written in tick order as soon as nothing
// can still come before them. Among equal ticks the host's events come first, in file order,
// then the unit's in the order sent. Memory holds only what waits.
class TrackAssembler {
public:
    static constexpr std::int64_t never = std::numeric_limits<std::int64_t>::max();

    explicit TrackAssembler(MidiFileWriter& writer) : writer_(writer) {}

    // The host's events in file order.
    void addHostEvent(std::int64_t tick, std::span<const std::uint8_t> bytes);
    // An event the unit sent; one placed before what was written already goes at the last tick
    // written, as a host plays a late event at once.
    void addUnitEvent(std::int64_t tick, const HostEvent& event);
    // Writes what can go: the unit sends nothing more before `unitFrom`, the host has nothing
    // more before `hostFrom`.
    void writeReady(std::int64_t unitFrom, std::int64_t hostFrom);
    // Writes everything left and ends the track at `endTick` or its last event.
    void finish(std::int64_t endTick);

private:
    struct HostEntry {
        std::int64_t tick;
        std::size_t offset, length;
    };
    void writeHostFront();

    MidiFileWriter& writer_;
    std::deque<HostEntry> host_;
    std::vector<std::uint8_t> hostBytes_;
    std::size_t hostBytesStart_ = 0;
    SentEventQueue unit_;
};

}  // namespace AudioHost
