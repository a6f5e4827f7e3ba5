#include <gtest/gtest.h>

#include <cmath>

#include "Host/AudioHost/OfflineRenderer.hpp"
#include "Host/AudioHost/RoundedTime.hpp"
#include "Host/AudioHost/Timeline.hpp"

using AudioHost::Timeline;

TEST(Timeline, ConstantTempoCycleContext) {
    // beat = B + k·block·T/(60·rate); downbeat = start of the measure of N·4/D beats holding it.
    struct Case {
        double rate, tempo;
        int block, cycle, n, d;
        double startBeat, beat, downbeat;
    } cases[] = {
        {44100, 120, 512, 0, 4, 4, 0, 0, 0},
        {44100, 120, 512, 1, 4, 4, 0, 512 * 120 / (60.0 * 44100), 0},
        {44100, 120, 22050, 8, 4, 4, 0, 8, 8},       // exactly on a downbeat
        {44100, 120, 22050, 7, 4, 4, 0, 7, 4},
        {48000, 90, 1000, 100, 3, 4, 0, 100000 * 90 / (60.0 * 48000), 3},
        {44100, 120, 22050, 5, 6, 8, 0, 5, 3},       // 6/8: measures of 3 beats
        {44100, 120, 22050, 2, 4, 4, 1.5, 3.5, 0},   // a start beat shifts the position, not the grid
        {44100, 120, 22050, 1, 4, 4, -2, -1, -4},
    };
    for (const Case& c : cases) {
        const Timeline timeline = Timeline::constant(c.rate, c.tempo, c.n, c.d, c.startBeat);
        const auto context = timeline.contextAt(std::int64_t(c.cycle) * c.block);
        SCOPED_TRACE(testing::Message() << c.tempo << " BPM, cycle " << c.cycle << " of " << c.block);
        EXPECT_EQ(context.tempo, c.tempo);
        EXPECT_EQ(context.beatPosition, c.beat);
        EXPECT_EQ(context.measureDownbeatPosition, c.downbeat);
        EXPECT_EQ(context.timeSignatureNumerator, c.n);
        EXPECT_EQ(context.timeSignatureDenominator, c.d);
    }
}

TEST(Timeline, TempoMapChangesTempoAtItsEvents) {
    // 120 BPM for 4 beats (88200 samples at 44.1 kHz), then 60 BPM.
    const Timeline timeline(44100, {{0, 120}, {4, 60}}, {{0, 4, 4}});
    EXPECT_EQ(timeline.sampleAtSongBeat(4), 88200);
    EXPECT_EQ(timeline.sampleAtSongBeat(5), 88200 + 44100);
    EXPECT_EQ(timeline.songBeatAtSample(88200 + 22050), 4.5);
    EXPECT_EQ(timeline.contextAt(88199).tempo, 120);
    EXPECT_EQ(timeline.contextAt(88200).tempo, 60);
    EXPECT_EQ(timeline.contextAt(88200 + 44100 * 4).measureDownbeatPosition, 8);
}

TEST(Timeline, MeasuresCountFromEachMetreChange) {
    // Two bars of 4/4, then 3/4 from beat 8.
    const Timeline timeline(44100, {{0, 60}}, {{0, 4, 4}, {8, 3, 4}});
    struct Case { double beat, downbeat; int n; } cases[] = {{7, 4, 4}, {8, 8, 3}, {10.5, 8, 3}, {11, 11, 3}, {14, 14, 3}};
    for (const Case& c : cases) {
        const auto context = timeline.contextAt(std::int64_t(c.beat * 44100));
        EXPECT_EQ(context.measureDownbeatPosition, c.downbeat) << "beat " << c.beat;
        EXPECT_EQ(context.timeSignatureNumerator, c.n) << "beat " << c.beat;
    }
}

TEST(Timeline, RefusesWhatHasNoMeaning) {
    EXPECT_THROW(Timeline::constant(0, 120), std::invalid_argument);
    EXPECT_THROW(Timeline::constant(44100, 0), std::invalid_argument);
    EXPECT_THROW(Timeline::constant(44100, -5), std::invalid_argument);
    EXPECT_THROW(Timeline::constant(44100, 120, 4, 3), std::invalid_argument);
    EXPECT_THROW(Timeline::constant(44100, 120, 0, 4), std::invalid_argument);
    EXPECT_THROW(Timeline(44100, {{0, 120}, {8, 100}, {4, 90}}, {}), std::invalid_argument);
}

TEST(OfflineRenderer, CycleOfASample) {
    const Timeline timeline = Timeline::constant(44100, 120);
    const AudioHost::OfflineRenderer renderer(timeline, 17);
    EXPECT_EQ(renderer.cycleOf(0), 0);
    EXPECT_EQ(renderer.cycleOf(16), 0);
    EXPECT_EQ(renderer.cycleOf(17), 1);
    EXPECT_EQ(renderer.cycleOf(170), 10);
}

TEST(RoundedTime, RoundsHalvesAwayFromZeroAsLlroundDoes) {
    const double values[] = {0, -0.0, 0.49999999999999994, 0.5, 1.5, 2.5, -0.5, -2.5, 0.9999999999999999,
                             4503599627370495.5, -4503599627370495.5, 4503599627370497.0, 9.2e18, -9.2e18};
    for (double v : values) EXPECT_EQ(AudioHost::roundedTime(v), std::llround(v)) << v;
    // Around the halves of whole numbers of every size a song meets, and a step to each side.
    for (double whole = 1; whole < 1e15; whole *= 3.7) {
        const double half = std::floor(whole) + 0.5;
        for (double v : {half, std::nextafter(half, 0.0), std::nextafter(half, 1e300), -half})
            EXPECT_EQ(AudioHost::roundedTime(v), std::llround(v)) << v;
    }
}
