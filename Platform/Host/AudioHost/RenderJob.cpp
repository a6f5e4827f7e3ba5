#include "Host/AudioHost/RenderJob.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "Foundation/NumberText.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/EventListRender.hpp"
#include "Host/AudioHost/FloatText.hpp"
#include "Host/AudioHost/MidiFileReader.hpp"
#include "Host/AudioHost/MidiFileRender.hpp"

namespace AudioHost {

namespace {

enum class FileKind { eventList, midi };

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

// Writing the output over the input would lose the input before it was read.
bool sameFile(const std::string& a, const std::string& b) {
    struct stat x, y;
    return ::stat(a.c_str(), &x) == 0 && ::stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

std::string number(double v) {
    const bool whole = std::fabs(v) < 1e15 && v == std::trunc(v);
    return whole ? Foundation::NumberText::format(v, 0) : Foundation::NumberText::formatShortest(v);
}

void checkRange(const char* option, double value, double lowest, double highest, const char* unit) {
    if (!(value >= lowest && value <= highest))
        throw BadInput(std::string(option) + " " + number(value) + " is outside " + number(lowest) + "..." + number(highest) + unit);
}

void checkOptions(const RenderOptions& o) {
    using R = RenderOptions;
    checkRange("--sample-rate", o.sampleRate, R::lowestSampleRate, R::highestSampleRate, " Hz");
    checkRange("--block", o.blockFrames, 1, R::largestBlock, " frames");
    if (o.tempo) checkRange("--tempo", *o.tempo, R::slowestTempo, R::fastestTempo, " beats per minute");
    checkRange("--start-beat", o.startBeat, -R::furthestStartBeat, R::furthestStartBeat, "");
}

}  // namespace

void RenderJob::checkLength(const RenderOptions& o, AudioToolbox::AUEventSampleTime sample) {
    if (double(sample) > longestSongSeconds * o.sampleRate)
        throw BadInput(o.input + " reaches sample " + std::to_string(sample) + ", beyond 24 hours at " +
                       floatText(float(o.sampleRate)) + " Hz; auhost renders at most 24 hours");
}

Timeline RenderJob::timeline(const RenderOptions& o, std::vector<Timeline::TempoChange> tempi,
                             std::vector<Timeline::MeterChange> meters) {
    if (o.tempo) tempi = {{0, *o.tempo}};
    if (o.timeSignature) meters = {{0, o.timeSignature->first, o.timeSignature->second}};
    try {
        return Timeline(o.sampleRate, std::move(tempi), std::move(meters), o.startBeat);
    } catch (const std::invalid_argument& error) {
        throw BadInput(o.input + ": " + error.what());
    }
}

RenderResult RenderJob::run(UnitSource& source, const RenderOptions& options) {
    checkOptions(options);
    const FileKind input = kindOf(options.input, "INPUT");
    if (kindOf(options.output, "OUTPUT") != input)
        throw BadInput("OUTPUT " + options.output + (input == FileKind::midi ? " must be a MIDI file (.mid) when INPUT is one"
                                                                             : " must be an event list (.txt) when INPUT is one"));
    if (sameFile(options.input, options.output))
        throw BadInput("OUTPUT " + options.output + " is INPUT " + options.input + "; writing it would lose the input");
    return input == FileKind::eventList ? EventListRender::run(source, options) : MidiFileRender::run(source, options);
}

PlayedSong readSongToPlay(const std::string& path, double sampleRate) {
    RenderOptions o;
    o.input = path;
    o.sampleRate = sampleRate;
    MidiFileReader reader(path);
    const MidiFileRender::Outline song = MidiFileRender::outline(reader);
    PlayedSong played{RenderJob::timeline(o, song.tempi, song.meters), {}};
    const double tpq = reader.ticksPerQuarterNote();
    for (std::size_t t = 0; t < reader.trackCount(); ++t) {
        auto cursor = reader.track(t);
        for (MidiEvent e; cursor.next(e);) {
            if (!MidiFileRender::isChannelMessage(e.bytes)) continue;
            const auto& b = e.bytes;
            played.events.push_back(HostEvent::midi(std::llround(played.timeline.sampleAtSongBeat(double(e.tick) / tpq)), b[0],
                                                    b.size() > 1 ? b[1] : 0, b.size() > 2 ? b[2] : 0, std::uint8_t(b.size())));
        }
    }
    std::stable_sort(played.events.begin(), played.events.end(),
                     [](const HostEvent& a, const HostEvent& b) { return a.sampleTime < b.sampleTime; });
    if (!played.events.empty()) RenderJob::checkLength(o, played.events.back().sampleTime);
    return played;
}

}  // namespace AudioHost
