#pragma once
#include <cstdint>
#include <vector>

namespace AudioHost {

// What the host tells the unit about the music at one sample time.
struct MusicalContext {
    double tempo = 120;
    double timeSignatureNumerator = 4;
    long timeSignatureDenominator = 4;
    double beatPosition = 0;            // quarter-note beats
    double measureDownbeatPosition = 0;  // beat of the downbeat of the measure holding beatPosition
};

// The song's time: tempo and metre changes, and the mapping between sample times and beat
// positions (and file ticks). Beats are counted from the song's start; `startBeat` is the beat
// position the host reports at sample 0.
class Timeline {
public:
    struct TempoChange {
        double beat;  // from the song's start, without startBeat
        double bpm;
    };
    struct MeterChange {
        double beat;
        int numerator;
        int denominator;
    };

    // Throws std::invalid_argument for a sample rate or tempo that is not a positive finite number,
    // changes out of order, or a metre that is not N/D with N >= 1 and D a power of two.
    Timeline(double sampleRate, std::vector<TempoChange> tempi, std::vector<MeterChange> meters, double startBeat = 0);
    static Timeline constant(double sampleRate, double bpm, int numerator = 4, int denominator = 4, double startBeat = 0) {
        return Timeline(sampleRate, {{0, bpm}}, {{0, numerator, denominator}}, startBeat);
    }

    double sampleRate() const { return sampleRate_; }

    // Beats from the song's start (no startBeat) at a sample time, and back.
    double songBeatAtSample(double sample) const;
    double sampleAtSongBeat(double beat) const;

    // The context of a render cycle that starts at `sample`.
    MusicalContext contextAt(std::int64_t sample) const;

private:
    struct Segment {
        double startSample;
        double startBeat;
        double bpm;
    };
    const Segment& segmentAtSample(double sample) const;
    const Segment& segmentAtBeat(double beat) const;

    double sampleRate_;
    double startBeat_;
    std::vector<Segment> segments_;
    std::vector<MeterChange> meters_;
};

}  // namespace AudioHost
