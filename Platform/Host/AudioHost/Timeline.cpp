#include "Host/AudioHost/Timeline.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace AudioHost {

namespace {
bool positiveFinite(double v) { return std::isfinite(v) && v > 0; }
}  // namespace

Timeline::Timeline(double sampleRate, std::vector<TempoChange> tempi, std::vector<MeterChange> meters, double startBeat)
    : sampleRate_(sampleRate), startBeat_(startBeat), meters_(std::move(meters)) {
    if (!positiveFinite(sampleRate)) throw std::invalid_argument("the sample rate must be a positive number");
    if (!std::isfinite(startBeat)) throw std::invalid_argument("the start beat must be a finite number");
    if (tempi.empty() || tempi.front().beat > 0) tempi.insert(tempi.begin(), TempoChange{0, 120});
    if (meters_.empty() || meters_.front().beat > 0) meters_.insert(meters_.begin(), MeterChange{0, 4, 4});

    segments_.reserve(tempi.size());
    for (const TempoChange& t : tempi) {
        if (!positiveFinite(t.bpm)) throw std::invalid_argument("a tempo must be a positive number of beats per minute");
        if (segments_.empty()) {
            segments_.push_back({0, 0, t.bpm});
            continue;
        }
        Segment& last = segments_.back();
        if (t.beat < last.startBeat) throw std::invalid_argument("tempo changes must be in time order");
        if (t.beat == last.startBeat) {  // the later change at the same time wins
            last.bpm = t.bpm;
            continue;
        }
        segments_.push_back({last.startSample + (t.beat - last.startBeat) * 60.0 * sampleRate_ / last.bpm, t.beat, t.bpm});
    }
    for (std::size_t i = 0; i < meters_.size(); ++i) {
        const MeterChange& m = meters_[i];
        const bool powerOfTwo = m.denominator > 0 && (m.denominator & (m.denominator - 1)) == 0;
        if (m.numerator < 1 || !powerOfTwo)
            throw std::invalid_argument("a time signature must be N/D with N at least 1 and D a power of two");
        if (i > 0 && m.beat < meters_[i - 1].beat) throw std::invalid_argument("time signatures must be in time order");
    }
}

const Timeline::Segment& Timeline::segmentAtSample(double sample) const {
    auto it = std::upper_bound(segments_.begin() + 1, segments_.end(), sample,
                               [](double s, const Segment& seg) { return s < seg.startSample; });
    return *(it - 1);
}

const Timeline::Segment& Timeline::segmentAtBeat(double beat) const {
    auto it = std::upper_bound(segments_.begin() + 1, segments_.end(), beat,
                               [](double b, const Segment& seg) { return b < seg.startBeat; });
    return *(it - 1);
}

double Timeline::songBeatAtSample(double sample) const {
    const Segment& s = segmentAtSample(sample);
    return s.startBeat + (sample - s.startSample) * s.bpm / (60.0 * sampleRate_);
}

double Timeline::sampleAtSongBeat(double beat) const {
    const Segment& s = segmentAtBeat(beat);
    return s.startSample + (beat - s.startBeat) * 60.0 * sampleRate_ / s.bpm;
}

MusicalContext Timeline::contextAt(std::int64_t sample) const {
    const double at = double(sample);
    const Segment& seg = segmentAtSample(at);
    const double songBeat = seg.startBeat + (at - seg.startSample) * seg.bpm / (60.0 * sampleRate_);

    // Metre changes are placed on song beats; measures count from each change.
    auto meter = std::upper_bound(meters_.begin() + 1, meters_.end(), songBeat,
                                  [](double b, const MeterChange& m) { return b < m.beat; }) - 1;
    MusicalContext c;
    c.tempo = seg.bpm;
    c.timeSignatureNumerator = meter->numerator;
    c.timeSignatureDenominator = meter->denominator;
    c.beatPosition = startBeat_ + songBeat;
    // Measures of N·4/D beats are counted from beat 0 of the reported position (the first
    // metre) or from the change that set the current metre.
    const double measureLength = meter->numerator * 4.0 / meter->denominator;
    const double origin = meter == meters_.begin() ? 0.0 : startBeat_ + meter->beat;
    c.measureDownbeatPosition = origin + std::floor((c.beatPosition - origin) / measureLength) * measureLength;
    return c;
}

}  // namespace AudioHost
