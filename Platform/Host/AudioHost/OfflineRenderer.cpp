#include "Host/AudioHost/OfflineRenderer.hpp"

#include <cmath>
#include <cstring>
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

// What the host blocks read and write during one render.
struct CycleState {
    MusicalContext context;
    double cycleStart = 0;
    double sampleRate = 44100;
    std::vector<HostEvent>* sent = nullptr;
    long badLength = 0;
};

// Clears the host blocks and render resources when a render ends, however it ends.
struct RenderSession {
    AUAudioUnit& unit;
    ~RenderSession() {
        if (unit.renderResourcesAllocated()) unit.deallocateRenderResources();
        unit.setMusicalContextBlock(nullptr);
        unit.setTransportStateBlock(nullptr);
        unit.setMIDIOutputEventBlock(nullptr);
    }
};

}  // namespace

OfflineRenderer::OfflineRenderer(const Timeline& timeline, AUAudioFrameCount blockFrames)
    : timeline_(timeline), block_(blockFrames) {}

std::vector<HostEvent> OfflineRenderer::render(AUAudioUnit& unit, std::span<const HostEvent> events) const {
    std::vector<HostEvent> sent;
    sent.reserve(events.size() + 64);
    CycleState state;
    state.sent = &sent;
    state.sampleRate = timeline_.sampleRate();

    RenderSession session{unit};
    try {
        setSampleRate(unit.outputBusses(), timeline_.sampleRate());
        setSampleRate(unit.inputBusses(), timeline_.sampleRate());
        unit.setMaximumFramesToRender(block_);
    } catch (const Foundation::NSError& error) {
        throw UnitFailure("the unit refuses " + std::to_string(block_) + "-frame cycles at this sample rate: " +
                          error.localizedDescription());
    }
    unit.setMusicalContextBlock([&state](double* tempo, double* numerator, long* denominator, double* beat,
                                         long* sampleOffsetToNextBeat, double* downbeat) {
        const MusicalContext& c = state.context;
        if (tempo) *tempo = c.tempo;
        if (numerator) *numerator = c.timeSignatureNumerator;
        if (denominator) *denominator = c.timeSignatureDenominator;
        if (beat) *beat = c.beatPosition;
        if (downbeat) *downbeat = c.measureDownbeatPosition;
        if (sampleOffsetToNextBeat) {
            const double beatsToNext = std::ceil(c.beatPosition) - c.beatPosition;
            *sampleOffsetToNextBeat = long(std::llround(beatsToNext * 60.0 * state.sampleRate / c.tempo));
        }
        return true;
    });
    unit.setTransportStateBlock([&state](AUHostTransportStateFlags* flags, double* samplePosition, double* cycleStart,
                                         double* cycleEnd) {
        if (flags) *flags = AUHostTransportStateMoving;
        if (samplePosition) *samplePosition = state.cycleStart;
        if (cycleStart) *cycleStart = 0;
        if (cycleEnd) *cycleEnd = 0;
        return true;
    });
    unit.setMIDIOutputEventBlock([&state](AUEventSampleTime time, std::uint8_t, long length, const std::uint8_t* bytes) {
        if (length < 1 || length > 3 || !bytes) {
            ++state.badLength;
            return OSStatus(noErr);
        }
        HostEvent e;
        e.sampleTime = time;
        e.length = std::uint8_t(length);
        std::memcpy(e.bytes, bytes, std::size_t(length));
        state.sent->push_back(e);
        return OSStatus(noErr);
    });

    try {
        unit.allocateRenderResources();
    } catch (const Foundation::NSError& error) {
        throw UnitFailure("the unit could not allocate render resources: " + error.localizedDescription());
    }
    AURenderBlock renderBlock = unit.renderBlock();

    // Render events for the whole input, linked cycle by cycle.
    std::vector<AURenderEvent> nodes(events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        const HostEvent& e = events[i];
        AURenderEvent& node = nodes[i];
        if (e.kind == HostEvent::Kind::parameter) {
            node.parameter = AUParameterEvent{};
            node.parameter.eventSampleTime = e.sampleTime;
            node.parameter.eventType = AURenderEventType::Parameter;
            node.parameter.parameterAddress = e.address;
            node.parameter.value = e.value;
        } else {
            node.MIDI = AUMIDIEvent{};
            node.MIDI.eventSampleTime = e.sampleTime;
            node.MIDI.length = e.length;
            std::memcpy(node.MIDI.data, e.bytes, 3);
        }
        const bool sameCycle = i + 1 < events.size() && cycleOf(events[i + 1].sampleTime) == cycleOf(e.sampleTime);
        node.head.next = sameCycle ? &nodes[i + 1] : nullptr;
    }

    // The output bus's buffer, and silence for any input the unit pulls.
    auto outputBusses = unit.outputBusses();
    auto outputFormat = outputBusses && outputBusses->count() ? (*outputBusses)[0]->format()
                                                             : AVAudioFormat::standardFormat(timeline_.sampleRate(), 2);
    auto outputBuffer = AVAudioPCMBuffer::make(outputFormat, block_);
    auto silence = AVAudioPCMBuffer::make(AVAudioFormat::standardFormat(timeline_.sampleRate(), AVAudioFormat::maximumChannelCount), block_);
    silence->setFrameLength(block_);
    const AURenderPullInputBlock pullInput = [&silence](AudioUnitRenderActionFlags*, const AudioTimeStamp*,
                                                        AUAudioFrameCount frames, long, AudioBufferList* input) {
        if (!input) return OSStatus(kAudioUnitErr_InvalidParameter);
        for (std::uint32_t b = 0; b < input->mNumberBuffers && b < AVAudioFormat::maximumChannelCount; ++b) {
            AudioBuffer& buffer = input->mBuffers[b];
            if (buffer.mData) std::memset(buffer.mData, 0, std::size_t(frames) * sizeof(float));
            else buffer.mData = silence->floatChannelData()[b];
            buffer.mDataByteSize = frames * sizeof(float);
        }
        return OSStatus(noErr);
    };

    const std::int64_t cycles = events.empty() ? 0 : cycleOf(events.back().sampleTime) + 1;
    std::size_t next = 0;
    for (std::int64_t k = 0; k < cycles; ++k) {
        const std::int64_t start = k * std::int64_t(block_);
        if (pacer_ && !pacer_(start)) break;
        state.context = timeline_.contextAt(start);
        state.cycleStart = double(start);
        AudioTimeStamp timestamp;
        timestamp.mSampleTime = double(start);
        timestamp.mFlags = kAudioTimeStampSampleTimeValid;
        const AURenderEvent* head = next < events.size() && cycleOf(events[next].sampleTime) == k ? &nodes[next] : nullptr;
        while (next < events.size() && cycleOf(events[next].sampleTime) == k) ++next;

        AudioBufferList* output = outputBuffer->mutableAudioBufferList();
        *output = *outputBuffer->audioBufferList();
        for (std::uint32_t b = 0; b < output->mNumberBuffers; ++b) output->mBuffers[b].mDataByteSize = block_ * sizeof(float);
        AudioUnitRenderActionFlags flags = 0;
        const OSStatus status = renderBlock(&flags, &timestamp, block_, 0, output, head, &pullInput);
        if (status != noErr)
            throw UnitFailure("the unit's render failed at sample " + std::to_string(start) + " with status " +
                              std::to_string(status));
    }
    if (state.badLength)
        throw UnitFailure("the unit sent " + std::to_string(state.badLength) +
                          " MIDI messages longer than three bytes, which the host cannot carry");
    return sent;
}

}  // namespace AudioHost
