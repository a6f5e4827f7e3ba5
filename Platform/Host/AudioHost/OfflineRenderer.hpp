#pragma once
#include <functional>
#include <span>
#include <vector>

#include "AudioToolbox/AUAudioUnit.hpp"
#include "Host/AudioHost/HostEvent.hpp"
#include "Host/AudioHost/Timeline.hpp"

namespace AudioHost {

// Drives a unit as a host's render thread does, without real time: cycle k covers the samples
// [k·block, (k+1)·block), is rendered with mSampleTime k·block, carries the input events of
// that range in input order and reports the timeline's musical context at its first sample.
class OfflineRenderer {
public:
    OfflineRenderer(const Timeline& timeline, AudioToolbox::AUAudioFrameCount blockFrames);

    // Sets the busses' sample rate and the frame limit, installs the host blocks, allocates
    // render resources, renders until every event (in time order) has been rendered, and
    // deallocates. Returns what the unit sent through its MIDI output block, in the order sent.
    // Throws UnitFailure when the unit refuses the set-up or a cycle returns an error status.
    std::vector<HostEvent> render(AudioToolbox::AUAudioUnit& unit, std::span<const HostEvent> events) const;

    // Called on the rendering thread before each cycle with the cycle's first sample: a host
    // that plays in real time waits there for the cycle's moment, and stops by returning false.
    using CyclePacer = std::function<bool(std::int64_t cycleStartSample)>;
    void setPacer(CyclePacer pacer) { pacer_ = std::move(pacer); }
    // The cycle that holds a sample time.
    std::int64_t cycleOf(AudioToolbox::AUEventSampleTime sampleTime) const { return sampleTime / std::int64_t(block_); }

private:
    const Timeline& timeline_;
    AudioToolbox::AUAudioFrameCount block_;
    CyclePacer pacer_;
};

}  // namespace AudioHost
