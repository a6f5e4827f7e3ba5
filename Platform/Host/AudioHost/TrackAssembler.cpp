#include "Host/AudioHost/TrackAssembler.hpp"

#include <algorithm>
#include <cstring>

namespace AudioHost {

void TrackAssembler::addHostEvent(std::int64_t tick, std::span<const std::uint8_t> bytes) {
    host_.push_back({tick, hostBytesStart_ + hostBytes_.size(), bytes.size()});
    hostBytes_.insert(hostBytes_.end(), bytes.begin(), bytes.end());
}

void TrackAssembler::addUnitEvent(std::int64_t tick, const HostEvent& event) { unit_.push(tick, event); }

void TrackAssembler::writeHostFront() {
    const HostEntry& e = host_.front();
    writer_.add(e.tick, {hostBytes_.data() + e.offset - hostBytesStart_, e.length});
    unit_.wroteAt(e.tick);
    host_.pop_front();
    if (host_.empty()) {
        hostBytes_.clear();
        hostBytesStart_ = 0;
    } else if (host_.front().offset - hostBytesStart_ > hostBytes_.size() / 2) {
        // Drop the bytes of what was written once they are the larger part.
        const std::size_t drop = host_.front().offset - hostBytesStart_;
        hostBytes_.erase(hostBytes_.begin(), hostBytes_.begin() + long(drop));
        hostBytesStart_ += drop;
    }
}

void TrackAssembler::writeReady(std::int64_t unitFrom, std::int64_t hostFrom) {
    for (;;) {
        const bool hostFirst = !host_.empty() && (unit_.empty() || host_.front().tick <= unit_.front().time);
        if (hostFirst) {
            if (host_.front().tick > unitFrom) return;
            writeHostFront();
        } else {
            if (unit_.empty() || unit_.front().time > unitFrom || unit_.front().time >= hostFrom) return;
            const SentEventQueue::Entry& e = unit_.front();
            writer_.add(e.time, {e.bytes, e.length});
            unit_.pop();
        }
    }
}

void TrackAssembler::finish(std::int64_t endTick) {
    writeReady(never, never);
    writer_.endTrack(endTick);
}

}  // namespace AudioHost
