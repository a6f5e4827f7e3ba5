#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <queue>
#include <vector>

#include "Host/AudioHost/HostEvent.hpp"

namespace AudioHost {

// What a unit sent, waiting to be written in time order: a unit may stamp an event later than
// what it sends next. Among equal times, events keep the order sent. One placed before what
// was written already goes at the last time written, as a host plays a late event at once.
// Times are sample times or ticks, as the writer counts them.
class SentEventQueue {
public:
    struct Entry {
        std::int64_t time;
        std::uint64_t order;
        std::uint8_t length;
        std::uint8_t bytes[3];
        bool operator>(const Entry& other) const { return time != other.time ? time > other.time : order > other.order; }
    };

    void push(std::int64_t time, const HostEvent& event) {
        Entry entry{std::max(time, written_), sent_++, event.length, {}};
        std::memcpy(entry.bytes, event.bytes, 3);
        queue_.push(entry);
    }
    bool empty() const { return queue_.empty(); }
    // The first entry; the queue is not empty.
    const Entry& front() const { return queue_.top(); }
    void pop() {
        written_ = queue_.top().time;
        queue_.pop();
    }
    // Something else was written at `time`: nothing sent from now on goes before it.
    void wroteAt(std::int64_t time) { written_ = time; }

private:
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue_;
    std::uint64_t sent_ = 0;
    std::int64_t written_ = 0;  // the time of the last event written
};

}  // namespace AudioHost
