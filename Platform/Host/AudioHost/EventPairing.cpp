#include "Host/AudioHost/EventPairing.hpp"

namespace AudioHost {

EventPairing::EventPairing() : queues_(256 * 128) {}

void EventPairing::addInput(const HostEvent& input, std::int64_t tick) {
    if (input.kind != HostEvent::Kind::midi || input.length == 0) return;
    const bool noteOn = (input.bytes[0] & 0xF0) == 0x90 && input.length == 3 && input.bytes[2] != 0;
    std::uint32_t index = free_;
    if (index != none) {
        free_ = nodes_[index].next;
        nodes_[index] = {{input.sampleTime, tick, noteOn}, none};
    } else {
        index = std::uint32_t(nodes_.size());
        nodes_.push_back({{input.sampleTime, tick, noteOn}, none});
    }
    Queue& q = queues_[keyOf(input)];
    if (q.tail == none) q.head = index;
    else nodes_[q.tail].next = index;
    q.tail = index;
}

std::optional<EventPairing::Input> EventPairing::pair(const HostEvent& sent) {
    if (sent.kind != HostEvent::Kind::midi || sent.length == 0) return std::nullopt;
    Queue& q = queues_[keyOf(sent)];
    if (q.head == none) return std::nullopt;
    const std::uint32_t index = q.head;
    const Input input = nodes_[index].input;
    q.head = nodes_[index].next;
    if (q.head == none) q.tail = none;
    nodes_[index].next = free_;
    free_ = index;
    return input;
}

}  // namespace AudioHost
