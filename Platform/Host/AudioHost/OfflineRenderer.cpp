#include "Host/AudioHost/OfflineRenderer.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "AudioToolbox/AUAudioUnitBusArray.hpp"
#include "AudioToolbox/AVAudioPCMBuffer.hpp"
#include "Host/AudioHost/BadInput.hpp"

namespace AudioHost {

using namespace AudioToolbox;

namespace {

void setSampleRate(const std::shared_ptr<AUAudioUnitBusArray>& busses, double sampleRate) {
    if (!busses) return;
    for (const auto& bus : *busses) {
        const AVAudioChannelCount channels = bus->format() ? bus->format()->channelCount() : 2;
        bus->setFormat(AVAudioFormat::standardFormat(sampleRate, channels));
    }
}

// Writes the render event for `e` where it will be read. Built apart and copied in, the record
// would be stored field by field and read back whole, stalling on every event of a long song.
void setRenderEvent(AURenderEvent& node, const HostEvent& e) {
    if (e.kind == HostEvent::Kind::parameter) {
        AUParameterEvent& p = *std::construct_at(&node.parameter);
        p.eventSampleTime = e.sampleTime;
        p.parameterAddress = e.address;
        p.value = e.value;
    } else {
        AUMIDIEvent& m = *std::construct_at(&node.MIDI);
        m.eventSampleTime = e.sampleTime;
        m.length = e.length;
        std::memcpy(m.data, e.bytes, 3);
    }
}

// Collects a render's events in memory.
class EventsInMemory : public RenderStream {
public:
    explicit EventsInMemory(std::span<const HostEvent> events) : events_(events) { sent_.reserve(events.size() + 64); }
    bool next(HostEvent& event) override {
        if (next_ == events_.size()) return false;
        event = events_[next_++];
        return true;
    }
    void sent(const HostEvent& event) override { sent_.push_back(event); }
    std::vector<HostEvent> take() { return std::move(sent_); }

private:
    std::span<const HostEvent> events_;
    std::size_t next_ = 0;
    std::vector<HostEvent> sent_;
};

}  // namespace

// What the host blocks read and write during one render, and the buffers of its cycles. Clears
// the host blocks and render resources when the render ends, however it ends.
struct OfflineRenderer::Session {
    Session(AUAudioUnit& u, RenderStream& s) : unit(u), stream(s) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    AUAudioUnit& unit;
    RenderStream& stream;
    MusicalContext context;
    double cycleStart = 0;
    // The host's cycle in beats, when there is one.
    bool cycling = false;
    double cycleStartBeat = 0, cycleEndBeat = 0;
    double sampleRate = 44100;
    long badLength = 0;
    std::shared_ptr<AVAudioPCMBuffer> output, silence;
    AURenderPullInputBlock pullInput;

    ~Session() {
        if (unit.renderResourcesAllocated()) unit.deallocateRenderResources();
        unit.setMusicalContextBlock(nullptr);
        unit.setTransportStateBlock(nullptr);
        unit.setMIDIOutputEventBlock(nullptr);
    }
};

OfflineRenderer::OfflineRenderer(const Timeline& timeline, AUAudioFrameCount blockFrames)
    : timeline_(timeline), block_(blockFrames) {}

void OfflineRenderer::prepare(AUAudioUnit& unit, Session& s) const {
    try {
        setSampleRate(unit.outputBusses(), s.sampleRate);
        setSampleRate(unit.inputBusses(), s.sampleRate);
        unit.setMaximumFramesToRender(block_);
    } catch (const Foundation::NSError& error) {
        throw UnitFailure("the unit refuses " + std::to_string(block_) + "-frame cycles at this sample rate: " +
                          error.localizedDescription());
    }
    installHostBlocks(unit, s);
    try {
        unit.allocateRenderResources();
    } catch (const Foundation::NSError& error) {
        throw UnitFailure("the unit could not allocate render resources: " + error.localizedDescription());
    }
    makeBuffers(unit, s);
}

// The musical context of the cycle being rendered, a moving transport, and the unit's MIDI
// output into the stream.
void OfflineRenderer::installHostBlocks(AUAudioUnit& unit, Session& s) const {
    unit.setMusicalContextBlock([&s](double* tempo, double* numerator, long* denominator, double* beat,
                                     long* sampleOffsetToNextBeat, double* downbeat) {
        const MusicalContext& c = s.context;
        if (tempo) *tempo = c.tempo;
        if (numerator) *numerator = c.timeSignatureNumerator;
        if (denominator) *denominator = c.timeSignatureDenominator;
        if (beat) *beat = c.beatPosition;
        if (downbeat) *downbeat = c.measureDownbeatPosition;
        if (sampleOffsetToNextBeat) {
            const double beatsToNext = std::ceil(c.beatPosition) - c.beatPosition;
            *sampleOffsetToNextBeat = long(std::llround(beatsToNext * 60.0 * s.sampleRate / c.tempo));
        }
        return true;
    });
    unit.setTransportStateBlock([&s](AUHostTransportStateFlags* flags, double* samplePosition, double* cycleStart,
                                     double* cycleEnd) {
        const AUHostTransportStateFlags moving = AUHostTransportStateMoving;
        if (flags) *flags = s.cycling ? moving | AUHostTransportStateCycling : moving;
        if (samplePosition) *samplePosition = s.cycleStart;
        if (cycleStart) *cycleStart = s.cycleStartBeat;
        if (cycleEnd) *cycleEnd = s.cycleEndBeat;
        return true;
    });
    unit.setMIDIOutputEventBlock([&s](AUEventSampleTime time, std::uint8_t, long length, const std::uint8_t* bytes) {
        if (length < 1 || length > 3 || !bytes) {
            ++s.badLength;
            return OSStatus(noErr);
        }
        HostEvent e;
        e.sampleTime = time;
        e.length = std::uint8_t(length);
        for (long i = 0; i < length; ++i) e.bytes[i] = bytes[i];  // one to three bytes: no call
        s.stream.sent(e);
        return OSStatus(noErr);
    });
}

// The output bus's buffer, and silence for any input the unit pulls.
void OfflineRenderer::makeBuffers(AUAudioUnit& unit, Session& s) const {
    auto outputBusses = unit.outputBusses();
    auto format = outputBusses && outputBusses->count() ? (*outputBusses)[0]->format()
                                                       : AVAudioFormat::standardFormat(s.sampleRate, 2);
    s.output = AVAudioPCMBuffer::make(format, block_);
    s.silence = AVAudioPCMBuffer::make(AVAudioFormat::standardFormat(s.sampleRate, AVAudioFormat::maximumChannelCount), block_);
    s.silence->setFrameLength(block_);
    s.pullInput = [silence = s.silence](AudioUnitRenderActionFlags*, const AudioTimeStamp*, AUAudioFrameCount frames, long,
                                        AudioBufferList* input) {
        if (!input) return OSStatus(kAudioUnitErr_InvalidParameter);
        for (std::uint32_t b = 0; b < input->mNumberBuffers && b < AVAudioFormat::maximumChannelCount; ++b) {
            AudioBuffer& buffer = input->mBuffers[b];
            if (buffer.mData) std::memset(buffer.mData, 0, std::size_t(frames) * sizeof(float));
            else buffer.mData = silence->floatChannelData()[b];
            buffer.mDataByteSize = frames * sizeof(float);
        }
        return OSStatus(noErr);
    };
}

void OfflineRenderer::renderCycles(AUAudioUnit& unit, Session& s, RenderStream& stream) const {
    const AURenderBlock renderBlock = unit.renderBlock();
    std::vector<AURenderEvent> nodes;  // the events of one cycle, reused
    HostEvent pending;
    bool more = stream.next(pending);
    for (std::int64_t k = 0; more; ++k) {
        const std::int64_t start = k * std::int64_t(block_);
        if (pacer_ && !pacer_(start)) break;
        nodes.clear();
        // The events before the cycle's end (cycleOf(time) <= k, without a division an event).
        const std::int64_t end = start + std::int64_t(block_);
        while (more && pending.sampleTime < end) {
            setRenderEvent(nodes.emplace_back(), pending);
            more = stream.next(pending);
        }
        for (std::size_t i = 1; i < nodes.size(); ++i) nodes[i - 1].head.next = &nodes[i];

        s.context = timeline_.contextAt(cycle_ ? start % cycle_ : start);
        s.cycleStart = double(start);
        AudioTimeStamp timestamp;
        timestamp.mSampleTime = double(start);
        timestamp.mFlags = kAudioTimeStampSampleTimeValid;
        AudioBufferList* output = s.output->mutableAudioBufferList();
        *output = *s.output->audioBufferList();
        for (std::uint32_t b = 0; b < output->mNumberBuffers; ++b) output->mBuffers[b].mDataByteSize = block_ * sizeof(float);
        AudioUnitRenderActionFlags flags = 0;
        const OSStatus status =
            renderBlock(&flags, &timestamp, block_, 0, output, nodes.empty() ? nullptr : nodes.data(), &s.pullInput);
        if (status != noErr)
            throw UnitFailure("the unit's render failed at sample " + std::to_string(start) + " with status " +
                              std::to_string(status));
        stream.renderedUntil(start + std::int64_t(block_));
    }
}

std::int64_t OfflineRenderer::cycleLength(const Timeline& timeline, std::int64_t lastSample) {
    const MusicalContext at = timeline.contextAt(lastSample);
    const double measure = at.timeSignatureNumerator * 4.0 / double(at.timeSignatureDenominator);
    const bool onDownbeat = lastSample > 0 && at.beatPosition == at.measureDownbeatPosition;
    const double end = onDownbeat ? at.beatPosition : at.measureDownbeatPosition + measure;
    const double songBeat = end - (at.beatPosition - timeline.songBeatAtSample(double(lastSample)));
    return std::max<std::int64_t>(lastSample, std::int64_t(std::ceil(timeline.sampleAtSongBeat(songBeat))));
}

void OfflineRenderer::render(AUAudioUnit& unit, RenderStream& stream) const {
    Session session(unit, stream);
    session.sampleRate = timeline_.sampleRate();
    if (cycle_) {
        session.cycling = true;
        session.cycleStartBeat = timeline_.contextAt(0).beatPosition;
        session.cycleEndBeat = timeline_.contextAt(cycle_).beatPosition;
    }
    prepare(unit, session);
    renderCycles(unit, session, stream);
    if (session.badLength)
        throw UnitFailure("the unit sent " + std::to_string(session.badLength) +
                          " MIDI messages longer than three bytes, which the host cannot carry");
}

std::vector<HostEvent> OfflineRenderer::render(AUAudioUnit& unit, std::span<const HostEvent> events) const {
    EventsInMemory stream(events);
    render(unit, stream);
    return stream.take();
}

}  // namespace AudioHost
