#include "Host/AudioHost/RenderJob.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "AudioToolbox/AUParameterTree.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/EventList.hpp"
#include "Host/AudioHost/FloatText.hpp"
#include "Host/AudioHost/HostedUnit.hpp"
#include "Host/AudioHost/InputFile.hpp"
#include "Host/AudioHost/MidiFile.hpp"
#include "Host/AudioHost/OfflineRenderer.hpp"
#include "Host/AudioHost/OutputFile.hpp"
#include "Host/AudioHost/ParameterSetup.hpp"

namespace AudioHost {

namespace {

enum class FileKind { eventList, midi };

// Every cycle up to the last event is rendered; a stray time far in the future would keep the
// host busy for hours, so a song may last a day at most.
constexpr double longestSongSeconds = 24 * 60 * 60;

void checkLength(const std::vector<HostEvent>& events, const RenderOptions& o) {
    if (!events.empty() && double(events.back().sampleTime) > longestSongSeconds * o.sampleRate)
        throw BadInput(o.input + " reaches sample " + std::to_string(events.back().sampleTime) +
                       ", beyond 24 hours at " + floatText(float(o.sampleRate)) + " Hz; auhost renders at most 24 hours");
}

bool endsWith(const std::string& s, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    if (s.size() < n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != suffix[i]) return false;
    return true;
}

FileKind kindOf(const std::string& path, const char* role) {
    if (endsWith(path, ".txt")) return FileKind::eventList;
    if (endsWith(path, ".mid") || endsWith(path, ".midi")) return FileKind::midi;
    throw BadInput(std::string(role) + " " + path + " must be a MIDI file (.mid) or an event list (.txt)");
}

Timeline makeTimeline(const RenderOptions& o, std::vector<Timeline::TempoChange> tempi,
                      std::vector<Timeline::MeterChange> meters) {
    if (o.tempo) tempi = {{0, *o.tempo}};
    if (o.timeSignature) meters = {{0, o.timeSignature->first, o.timeSignature->second}};
    try {
        return Timeline(o.sampleRate, std::move(tempi), std::move(meters), o.startBeat);
    } catch (const std::invalid_argument& error) {
        throw BadInput(o.input + ": " + error.what());
    }
}

// The tempo map and metre changes of a song, from the meta events of all its tracks.
void songMaps(const MidiSong& song, std::vector<Timeline::TempoChange>& tempi, std::vector<Timeline::MeterChange>& meters) {
    struct Change {
        std::int64_t tick;
        bool tempo;
        double bpm;
        int numerator, denominator;
    };
    std::vector<Change> changes;
    for (const MidiTrack& track : song.tracks)
        for (std::size_t i = 0; i < track.size(); ++i) {
            auto b = track.bytes(i);
            if (b.size() == 6 && b[0] == 0xFF && b[1] == 0x51 && b[2] == 3) {
                const int usPerQuarter = (b[3] << 16) | (b[4] << 8) | b[5];
                if (usPerQuarter > 0) changes.push_back({track.tick(i), true, 60e6 / usPerQuarter, 0, 0});
            } else if (b.size() >= 5 && b[0] == 0xFF && b[1] == 0x58 && b[2] >= 2 && b[4] < 16) {
                changes.push_back({track.tick(i), false, 0, b[3], 1 << b[4]});
            }
        }
    std::stable_sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) { return a.tick < b.tick; });
    const double tpq = song.ticksPerQuarterNote;
    for (const Change& c : changes) {
        if (c.tempo) tempi.push_back({double(c.tick) / tpq, c.bpm});
        else meters.push_back({double(c.tick) / tpq, c.numerator, c.denominator});
    }
}

class UnitRun {
public:
    UnitRun(UnitSource& source, const RenderOptions& options) : source_(source), options_(options) {}

    // The first unit also checks the options against its parameter tree.
    HostedUnit makeUnit() {
        HostedUnit hosted = HostedUnit::create(source_);
        if (!setup_) setup_ = ParameterSetup::resolve(hosted.unit(), source_.presets(), options_.preset, options_.assignments);
        setup_->apply(hosted.unit());
        hosted.unit().setShouldBypassEffect(options_.bypass);
        return hosted;
    }

private:
    UnitSource& source_;
    const RenderOptions& options_;
    std::optional<ParameterSetup> setup_;
};

RenderResult renderEventList(UnitSource& source, const RenderOptions& o) {
    if (kindOf(o.output, "OUTPUT") != FileKind::eventList)
        throw BadInput("OUTPUT " + o.output + " must be an event list (.txt) when INPUT is one");
    const std::vector<HostEvent> events = EventList::parse(InputFile::read(o.input), o.input);
    checkLength(events, o);
    const Timeline timeline = makeTimeline(o, {{0, 120}}, {{0, 4, 4}});

    UnitRun run(source, o);
    HostedUnit hosted = run.makeUnit();
    if (auto tree = hosted.unit().parameterTree()) {
        for (const HostEvent& e : events)
            if (e.kind == HostEvent::Kind::parameter && !tree->parameter(e.address)) {
                const auto& all = tree->allParameters();
                std::string valid;
                for (const auto& p : all) valid += (valid.empty() ? "" : ", ") + std::to_string(p->address());
                throw BadInput(o.input + ": the unit has no parameter at address " + std::to_string(e.address) +
                               "; its addresses are " + (valid.empty() ? "none" : valid));
            }
    }
    const std::vector<HostEvent> sent = OfflineRenderer(timeline, o.blockFrames).render(hosted.unit(), events);
    OutputFile::writeText(o.output, EventList::format(sent));

    RenderResult result;
    result.statistics.add(events, sent, o.sampleRate);
    result.unitsRun = 1;
    return result;
}

RenderResult renderMidiFile(UnitSource& source, const RenderOptions& o) {
    if (kindOf(o.output, "OUTPUT") != FileKind::midi)
        throw BadInput("OUTPUT " + o.output + " must be a MIDI file (.mid) when INPUT is one");
    const MidiSong song = MidiFile::read(o.input);
    std::vector<Timeline::TempoChange> tempi;
    std::vector<Timeline::MeterChange> meters;
    songMaps(song, tempi, meters);
    const Timeline timeline = makeTimeline(o, std::move(tempi), std::move(meters));
    const double tpq = song.ticksPerQuarterNote;
    auto sampleAtTick = [&](std::int64_t tick) { return std::llround(timeline.sampleAtSongBeat(double(tick) / tpq)); };
    auto tickAtSample = [&](std::int64_t sample) {
        return std::max<std::int64_t>(0, std::llround(timeline.songBeatAtSample(double(sample)) * tpq));
    };

    UnitRun run(source, o);
    const OfflineRenderer renderer(timeline, o.blockFrames);
    RenderResult result;
    MidiSong out;
    out.format = song.format;
    out.ticksPerQuarterNote = song.ticksPerQuarterNote;
    out.tracks.resize(song.tracks.size());

    for (std::size_t t = 0; t < song.tracks.size(); ++t) {
        const MidiTrack& track = song.tracks[t];
        std::vector<HostEvent> events;
        events.reserve(track.size());
        for (std::size_t i = 0; i < track.size(); ++i) {
            auto b = track.bytes(i);
            if (!MidiFile::isChannelMessage(b)) continue;
            if (b.size() > 3 || int(b.size()) != midiMessageLength(b[0]))
                throw BadInput(o.input + ": track " + std::to_string(t + 1) + " holds a malformed channel message at tick " +
                               std::to_string(track.tick(i)));
            events.push_back(HostEvent::midi(sampleAtTick(track.tick(i)), b[0], b.size() > 1 ? b[1] : 0,
                                             b.size() > 2 ? b[2] : 0, std::uint8_t(b.size())));
        }
        checkLength(events, o);
        if (events.empty()) {
            out.tracks[t] = track;
            continue;
        }
        HostedUnit hosted = run.makeUnit();
        const std::vector<HostEvent> sent = renderer.render(hosted.unit(), events);
        for (const HostEvent& e : sent)
            if (!isShortMessage(e) || e.bytes[0] >= 0xF0) {
                std::string shown = AudioHost::EventList::format({e});
                shown.pop_back();
                throw UnitFailure("the unit sent \"" + shown + "\", which is not a channel message a MIDI file can hold");
            }
        result.statistics.add(events, sent, o.sampleRate);
        ++result.unitsRun;

        // The host's own events first, then the unit's, each in their order; a stable sort by
        // tick keeps that order among equal ticks.
        struct Placed {
            std::int64_t tick;
            bool fromUnit;
            std::size_t index;
        };
        std::vector<Placed> placed;
        placed.reserve(track.size() - events.size() + sent.size());
        for (std::size_t i = 0; i < track.size(); ++i)
            if (!MidiFile::isChannelMessage(track.bytes(i))) placed.push_back({track.tick(i), false, i});
        for (std::size_t i = 0; i < sent.size(); ++i) placed.push_back({tickAtSample(sent[i].sampleTime), true, i});
        std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.tick < b.tick; });

        MidiTrack& target = out.tracks[t];
        target.reserve(placed.size(), placed.size() * 3);
        for (const Placed& p : placed) {
            if (p.fromUnit) target.add(p.tick, {sent[p.index].bytes, sent[p.index].length});
            else target.add(p.tick, track.bytes(p.index));
        }
        if (track.endTick() > target.endTick()) target.setEndTick(track.endTick());
    }
    if (result.unitsRun == 0) {
        // Nothing for a unit to do; the options are still checked against one.
        UnitRun(source, o).makeUnit();
    }
    OutputFile::write(o.output, [&](const std::string& temporary) { MidiFile::write(out, temporary); });
    return result;
}

}  // namespace

RenderResult RenderJob::run(UnitSource& source, const RenderOptions& options) {
    if (!(std::isfinite(options.sampleRate) && options.sampleRate > 0))
        throw BadInput("the sample rate must be a positive number of samples per second");
    if (options.blockFrames == 0) throw BadInput("the block size must be at least one frame");
    if (kindOf(options.input, "INPUT") == FileKind::eventList) return renderEventList(source, options);
    return renderMidiFile(source, options);
}

PlayedSong readSongToPlay(const std::string& path, double sampleRate) {
    RenderOptions o;
    o.input = path;
    o.sampleRate = sampleRate;
    const MidiSong song = MidiFile::read(path);
    std::vector<Timeline::TempoChange> tempi;
    std::vector<Timeline::MeterChange> meters;
    songMaps(song, tempi, meters);
    PlayedSong played{makeTimeline(o, std::move(tempi), std::move(meters)), {}};
    const double tpq = song.ticksPerQuarterNote;
    for (std::size_t t = 0; t < song.tracks.size(); ++t) {
        const MidiTrack& track = song.tracks[t];
        for (std::size_t i = 0; i < track.size(); ++i) {
            auto b = track.bytes(i);
            if (!MidiFile::isChannelMessage(b)) continue;
            if (b.size() > 3 || int(b.size()) != midiMessageLength(b[0]))
                throw BadInput(path + ": track " + std::to_string(t + 1) + " holds a malformed channel message at tick " +
                               std::to_string(track.tick(i)));
            played.events.push_back(HostEvent::midi(std::llround(played.timeline.sampleAtSongBeat(double(track.tick(i)) / tpq)),
                                                    b[0], b.size() > 1 ? b[1] : 0, b.size() > 2 ? b[2] : 0,
                                                    std::uint8_t(b.size())));
        }
    }
    std::stable_sort(played.events.begin(), played.events.end(),
                     [](const HostEvent& a, const HostEvent& b) { return a.sampleTime < b.sampleTime; });
    checkLength(played.events, o);
    return played;
}

}  // namespace AudioHost
