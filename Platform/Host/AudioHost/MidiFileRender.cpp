#include "Host/AudioHost/MidiFileRender.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/EventList.hpp"
#include "Host/AudioHost/EventPairing.hpp"
#include "Host/AudioHost/MidiFileWriter.hpp"
#include "Host/AudioHost/OfflineRenderer.hpp"
#include "Host/AudioHost/OutputFile.hpp"
#include "Host/AudioHost/RenderUnits.hpp"
#include "Host/AudioHost/RoundedTime.hpp"
#include "Host/AudioHost/TrackAssembler.hpp"

namespace AudioHost {

namespace {

using AudioToolbox::AUEventSampleTime;

// Ticks of a song and the sample times they play at.
class TickMap {
public:
    TickMap(const Timeline& timeline, int ticksPerQuarterNote) : timeline_(timeline), tpq_(ticksPerQuarterNote) {}

    double exactSample(std::int64_t tick) const { return timeline_.sampleAtSongBeat(double(tick) / tpq_); }
    AUEventSampleTime sampleAt(std::int64_t tick) const { return roundedTime(exactSample(tick)); }
    std::int64_t tickAt(AUEventSampleTime sample) const {
        return std::max<std::int64_t>(0, roundedTime(timeline_.songBeatAtSample(double(sample)) * tpq_));
    }
    // No event at `sample` or later lands on an earlier tick: neither one placed by tickAt nor
    // one that keeps its own tick, which plays at most half a sample before its sample.
    std::int64_t firstTickFrom(AUEventSampleTime sample) const {
        return std::max<std::int64_t>(0, std::int64_t(std::floor(timeline_.songBeatAtSample(double(sample - 1)) * tpq_)));
    }
    double milliseconds(std::int64_t from, std::int64_t to) const {
        return (exactSample(to) - exactSample(from)) * 1000.0 / timeline_.sampleRate();
    }

    // Where an event the unit sent at `sample` goes: at its input's tick when the unit left it at
    // its input's sample, else by the tempo map, but never on the far side of its input's tick.
    std::int64_t place(AUEventSampleTime sample, const std::optional<EventPairing::Input>& input) const {
        if (!input) return tickAt(sample);
        if (sample == input->sampleTime) return input->tick;
        return sample > input->sampleTime ? std::max(input->tick, tickAt(sample)) : std::min(input->tick, tickAt(sample));
    }

private:
    const Timeline& timeline_;
    double tpq_;
};

// One track through one unit: channel messages go to the unit, everything else straight to
// the assembler, and what the unit sends to the assembler on its tick.
class TrackStream : public RenderStream {
public:
    TrackStream(MidiFileReader::TrackCursor& cursor, const TickMap& map, TrackAssembler& assembler, RenderStatistics& statistics)
        : cursor_(cursor), map_(map), assembler_(assembler), statistics_(statistics) {}

    bool next(HostEvent& event) override {
        for (MidiEvent e; cursor_.next(e);) {
            read_ = e.tick;
            if (!MidiFileRender::isChannelMessage(e.bytes)) {
                assembler_.addHostEvent(e.tick, e.bytes);
                continue;
            }
            const auto& b = e.bytes;
            event = HostEvent::midi(map_.sampleAt(e.tick), b[0], b.size() > 1 ? b[1] : 0, b.size() > 2 ? b[2] : 0,
                                    std::uint8_t(b.size()));
            pairing_.addInput(event, e.tick);
            statistics_.countInput();
            return true;
        }
        ended_ = true;
        return false;
    }

    void sent(const HostEvent& event) override {
        statistics_.countOutput();
        if (!isShortMessage(event) || event.bytes[0] >= 0xF0) {
            if (!unstorable_) unstorable_ = event;
            return;
        }
        const auto input = pairing_.pair(event);
        const std::int64_t tick = map_.place(event.sampleTime, input);
        if (input && input->noteOn) statistics_.countNote(map_.milliseconds(input->tick, tick), tick != input->tick);
        assembler_.addUnitEvent(tick, event);
    }

    void renderedUntil(AUEventSampleTime sample) override {
        checkSent();
        assembler_.writeReady(map_.firstTickFrom(sample), ended_ ? TrackAssembler::never : read_);
    }

    void finish() {
        checkSent();
        assembler_.finish(cursor_.endTick());
    }

private:
    void checkSent() const {
        if (!unstorable_) return;
        std::string shown = EventList::format({*unstorable_});
        shown.pop_back();
        throw UnitFailure("the unit sent \"" + shown + "\", which is not a channel message a MIDI file can hold");
    }

    MidiFileReader::TrackCursor& cursor_;
    const TickMap& map_;
    TrackAssembler& assembler_;
    RenderStatistics& statistics_;
    EventPairing pairing_;
    std::int64_t read_ = 0;  // the tick of the last event read: no later one is earlier
    bool ended_ = false;
    std::optional<HostEvent> unstorable_;
};

void copyTrack(MidiFileReader::TrackCursor& cursor, MidiFileWriter& writer) {
    for (MidiEvent e; cursor.next(e);) writer.add(e.tick, e.bytes);
    writer.endTrack(cursor.endTick());
}

}  // namespace

MidiFileRender::Outline MidiFileRender::outline(const MidiFileReader& reader) {
    struct Change {
        std::int64_t tick;
        bool tempo;
        double bpm;
        int numerator, denominator;
    };
    std::vector<Change> changes;
    Outline outline;
    outline.tracks.resize(reader.trackCount());
    for (std::size_t t = 0; t < reader.trackCount(); ++t) {
        auto cursor = reader.track(t);
        for (MidiEvent e; cursor.next(e);) {
            const auto& b = e.bytes;
            if (isChannelMessage(b)) {
                ++outline.tracks[t].channelMessages;
                outline.tracks[t].lastChannelTick = e.tick;
            } else if (b.size() == 6 && b[0] == 0xFF && b[1] == 0x51 && b[2] == 3) {
                const int usPerQuarter = (b[3] << 16) | (b[4] << 8) | b[5];
                if (usPerQuarter > 0) changes.push_back({e.tick, true, 60e6 / usPerQuarter, 0, 0});
            } else if (b.size() >= 5 && b[0] == 0xFF && b[1] == 0x58 && b[2] >= 2 && b[2] < 0x80 && b[4] < 16) {
                changes.push_back({e.tick, false, 0, b[3], 1 << b[4]});
            }
        }
    }
    std::stable_sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.tick < b.tick; });
    const double tpq = reader.ticksPerQuarterNote();
    for (const Change& c : changes) {
        if (c.tempo) outline.tempi.push_back({double(c.tick) / tpq, c.bpm});
        else outline.meters.push_back({double(c.tick) / tpq, c.numerator, c.denominator});
    }
    return outline;
}

RenderResult MidiFileRender::run(UnitSource& source, const RenderOptions& o) {
    MidiFileReader reader(o.input);
    const Outline song = outline(reader);
    const Timeline timeline = RenderJob::timeline(o, song.tempi, song.meters);
    const TickMap map(timeline, reader.ticksPerQuarterNote());
    for (const Outline::Track& track : song.tracks)
        if (track.channelMessages) RenderJob::checkLength(o, map.sampleAt(track.lastChannelTick));

    // The first unit checks the options before anything is written, also when no track needs one.
    RenderUnits units(source, o);
    std::optional<HostedUnit> first = units.make();
    RenderResult result;
    OutputFile::write(o.output, [&](const std::string& temporary) {
        MidiFileWriter writer(temporary, o.output, reader.format(), reader.ticksPerQuarterNote(), reader.trackCount());
        const OfflineRenderer renderer(timeline, o.blockFrames);
        for (std::size_t t = 0; t < reader.trackCount(); ++t) {
            auto cursor = reader.track(t);
            writer.beginTrack();
            if (song.tracks[t].channelMessages == 0) {
                copyTrack(cursor, writer);
                continue;
            }
            HostedUnit hosted = first ? std::move(*first) : units.make();
            first.reset();
            TrackAssembler assembler(writer);
            TrackStream stream(cursor, map, assembler, result.statistics);
            renderer.render(hosted.unit(), stream);
            stream.finish();
            ++result.unitsRun;
        }
        writer.finish();
    });
    return result;
}

}  // namespace AudioHost
