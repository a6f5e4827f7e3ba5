#pragma once
#include <functional>
#include <span>
#include <vector>

#include "AudioToolbox/AUAudioUnit.hpp"
#include "Host/AudioHost/HostEvent.hpp"
#include "Host/AudioHost/Timeline.hpp"

namespace AudioHost {

// Where a render's events come from and where what the unit sends goes, event by event, so that
// a song of any length streams through in little memory.
class RenderStream {
public:
    virtual ~RenderStream() = default;
    // The next input event, in time order; false after the last.
    virtual bool next(HostEvent& event) = 0;
    // An event the unit sent through its MIDI output, in the order sent.
    virtual void sent(const HostEvent& event) = 0;
    // Every cycle before `sample` has been rendered.
    virtual void renderedUntil(AudioToolbox::AUEventSampleTime sample) { (void)sample; }
};

// Drives a unit as a host's render thread does, without real time: cycle k covers the samples
// [k·block, (k+1)·block), is rendered with mSampleTime k·block, carries the input events of
// that range in input order and reports the timeline's musical context at its first sample.
class OfflineRenderer {
public:
    OfflineRenderer(const Timeline& timeline, AudioToolbox::AUAudioFrameCount blockFrames);

    // Sets the busses' sample rate and the frame limit, installs the host blocks, allocates
    // render resources, renders until every event has been rendered, and deallocates.
    // Throws UnitFailure when the unit refuses the set-up, a cycle returns an error status or the
    // unit sent a message longer than a render event carries; what the stream throws passes.
    void render(AudioToolbox::AUAudioUnit& unit, RenderStream& stream) const;
    // The same for events in memory; returns what the unit sent, in the order sent.
    std::vector<HostEvent> render(AudioToolbox::AUAudioUnit& unit, std::span<const HostEvent> events) const;

    // Called on the rendering thread before each cycle with the cycle's first sample: a host
    // that plays in real time waits there for the cycle's moment, and stops by returning false.
    using CyclePacer = std::function<bool(std::int64_t cycleStartSample)>;
    void setPacer(CyclePacer pacer) { pacer_ = std::move(pacer); }
    // A host's cycle, as when a song plays in a loop: from `lengthSamples` on, the musical
    // context starts again from the timeline's start (the sample times go on) and the transport
    // reports that it cycles. 0, the default: no cycle.
    void setCycle(std::int64_t lengthSamples) { cycle_ = lengthSamples > 0 ? lengthSamples : 0; }
    // The length of a cycle that plays a song once: from its start to the end of the measure
    // that holds `lastSample` (to `lastSample` itself when that starts a later measure).
    static std::int64_t cycleLength(const Timeline& timeline, std::int64_t lastSample);
    // The cycle that holds a sample time.
    std::int64_t cycleOf(AudioToolbox::AUEventSampleTime sampleTime) const { return sampleTime / std::int64_t(block_); }

private:
    struct Session;
    void prepare(AudioToolbox::AUAudioUnit& unit, Session& session) const;
    void installHostBlocks(AudioToolbox::AUAudioUnit& unit, Session& session) const;
    void makeBuffers(AudioToolbox::AUAudioUnit& unit, Session& session) const;
    void renderCycles(AudioToolbox::AUAudioUnit& unit, Session& session, RenderStream& stream) const;

    const Timeline& timeline_;
    AudioToolbox::AUAudioFrameCount block_;
    CyclePacer pacer_;
    std::int64_t cycle_ = 0;
};

}  // namespace AudioHost
