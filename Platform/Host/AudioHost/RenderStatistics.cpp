#include "Host/AudioHost/RenderStatistics.hpp"

#include <cmath>
#include <cstdio>

namespace AudioHost {

namespace {

// Note-on and note-off statuses of all 16 channels by note number.
constexpr std::size_t keyOf(const HostEvent& e) { return std::size_t(e.bytes[0] - 0x80) * 128 + (e.bytes[1] & 0x7F); }
bool isNoteMessage(const HostEvent& e) {
    return e.kind == HostEvent::Kind::midi && e.length == 3 && e.bytes[0] >= 0x80 && e.bytes[0] < 0xA0;
}

}  // namespace

void RenderStatistics::add(const std::vector<HostEvent>& input, const std::vector<HostEvent>& output, double sampleRate) {
    eventsIn_ += input.size();
    eventsOut_ += output.size();

    // Queues of input note messages per key, as indices into `input`.
    std::vector<std::vector<std::size_t>> queues(32 * 128);
    std::vector<std::size_t> heads(queues.size(), 0);
    for (std::size_t i = 0; i < input.size(); ++i)
        if (isNoteMessage(input[i])) queues[keyOf(input[i])].push_back(i);

    for (const HostEvent& out : output) {
        if (!isNoteMessage(out)) continue;
        const std::size_t key = keyOf(out);
        if (heads[key] == queues[key].size()) continue;
        const HostEvent& in = input[queues[key][heads[key]++]];
        if ((in.bytes[0] & 0xF0) != 0x90 || in.bytes[2] == 0) continue;  // only note-ons count as notes
        const double shiftMs = double(out.sampleTime - in.sampleTime) * 1000.0 / sampleRate;
        ++notes_;
        if (out.sampleTime != in.sampleTime) ++notesMoved_;
        if (std::fabs(shiftMs) > std::fabs(largestShiftMs_)) largestShiftMs_ = shiftMs;
        totalShiftMs_ += shiftMs;
    }
}

std::string RenderStatistics::summary() const {
    char text[200];
    std::snprintf(text, sizeof text, "%zu events in, %zu out; %zu of %zu notes moved, largest shift %.1f ms, mean shift %.1f ms",
                  eventsIn_, eventsOut_, notesMoved_, notes_, largestShiftMs_, meanShiftMs());
    return text;
}

}  // namespace AudioHost
