#include <gtest/gtest.h>

#include <cmath>

#include "Host/AudioHost/EventList.hpp"
#include "Host/AudioHost/MidiFile.hpp"
#include "Host/AudioHost/MidiFileWriter.hpp"
#include "HostFixture.hpp"

using namespace AudioHostTests;
using AudioHost::EventList;
using AudioHost::MidiFile;
using AudioHost::MidiSong;

namespace {


using Bytes = std::vector<std::uint8_t>;
std::vector<std::pair<std::int64_t, Bytes>> eventsOf(const AudioHost::MidiTrack& track) {
    std::vector<std::pair<std::int64_t, Bytes>> events;
    for (std::size_t i = 0; i < track.size(); ++i) events.emplace_back(track.tick(i), Bytes(track.bytes(i).begin(), track.bytes(i).end()));
    return events;
}

}  // namespace

class RenderCommand : public HostFixture {};

// What the unit sends comes back in time order, events of one time in the order sent, so that
// the output is an event list again: the shifted notes go after the unshifted events they passed.
TEST_F(RenderCommand, EventListComesBackInTimeOrder) {
    write("in.txt",
          "0 90 3C 64\n"
          "10 B0 07 7F   # not a note: unshifted\n"
          "600 80 3C 00\n"
          "600 param 0 300\n"
          "601 90 3E 50\n"
          "700 C0 05\n");
    ASSERT_EQ(auhost({"render", "--set", "shift=100", path("in.txt"), path("out.txt")}), 0) << err();
    EXPECT_EQ(read("out.txt"),
              "10 B0 07 7F\n"
              "100 90 3C 64\n"
              "700 80 3C 00\n"
              "700 C0 05\n"
              "901 90 3E 50\n");
    EXPECT_EQ(err(), "");
    EXPECT_EQ(out(), path("in.txt") + " -> " + path("out.txt") +
                         ": 6 events in, 5 out; 2 of 2 notes moved, largest shift 6.8 ms, mean shift 4.5 ms\n");
    ASSERT_EQ(auhost({"render", path("out.txt"), path("again.txt")}), 0) << err();
    EXPECT_EQ(read("again.txt"), read("out.txt"));
}

TEST_F(RenderCommand, CyclesCarryTheirEventsAndMusicalContext) {
    write("in.txt", "0 90 3C 64\n99 80 3C 00\n100 90 3C 64\n450 80 3C 00\n");
    ASSERT_EQ(auhost({"render", "--block", "100", "--tempo", "90", "--time-signature", "3/4", "--start-beat", "2",
                      "--sample-rate", "48000", path("in.txt"), path("out.txt")}),
              0)
        << err();
    ASSERT_EQ(source_.made.size(), 1u);
    const auto& cycles = source_.made.back()->cycles;
    ASSERT_EQ(cycles.size(), 5u);  // samples 0...499: the last event is at 450
    const int events[] = {2, 1, 0, 0, 1};
    for (std::size_t k = 0; k < cycles.size(); ++k) {
        SCOPED_TRACE(k);
        const double beat = 2 + double(k * 100) * 90 / (60.0 * 48000);
        EXPECT_EQ(cycles[k].sampleTime, double(k * 100));
        EXPECT_EQ(cycles[k].frames, 100u);
        EXPECT_EQ(cycles[k].tempo, 90);
        EXPECT_EQ(cycles[k].numerator, 3);
        EXPECT_EQ(cycles[k].denominator, 4);
        EXPECT_EQ(cycles[k].beat, beat);
        EXPECT_EQ(cycles[k].downbeat, 0);
        EXPECT_EQ(cycles[k].events, events[k]);
    }
}

TEST_F(RenderCommand, BlockSizeDoesNotChangeTheResult) {
    std::string input;
    for (int i = 0; i < 200; ++i) input += std::to_string(i * 37) + (i % 2 ? " 80 40 00\n" : " 90 40 64\n");
    write("in.txt", input);
    std::string first;
    for (const char* block : {"1", "17", "64", "512", "4096"}) {
        ASSERT_EQ(auhost({"render", "--set", "shift=33", "--block", block, path("in.txt"), path("out.txt")}), 0) << err();
        if (first.empty()) first = read("out.txt");
        EXPECT_EQ(read("out.txt"), first) << "block " << block;
    }
}

TEST_F(RenderCommand, PresetThenSettingsInOrderThenBypass) {
    write("in.txt", "0 90 3C 64\n");
    ASSERT_EQ(auhost({"render", "--preset", "Ten Milliseconds", path("in.txt"), path("a.txt")}), 0) << err();
    EXPECT_EQ(read("a.txt"), "441 90 3C 64\n");
    ASSERT_EQ(auhost({"render", "--set=shift=3", "--preset=Ten Milliseconds", "--set", "shift=5", path("in.txt"), path("b.txt")}), 0);
    EXPECT_EQ(read("b.txt"), "5 90 3C 64\n");
    ASSERT_EQ(auhost({"render", "--set", "shift=5", "--bypass", path("in.txt"), path("c.txt")}), 0);
    EXPECT_EQ(read("c.txt"), "0 90 3C 64\n");
    EXPECT_NE(out().find("0 of 1 notes moved"), std::string::npos) << out();
}

TEST_F(RenderCommand, MidiFileRunsEachInstrumentTrackThroughItsOwnUnit) {
    // 96 ticks per quarter at 9600 Hz: 120 BPM for the first beat (50 samples a tick), then
    // 60 BPM (100 samples a tick). A shift of 500 samples is 10 ticks, then 5.
    MidiSong song;
    song.ticksPerQuarterNote = 96;
    song.tracks.resize(3);
    song.tracks[0].add(0, Bytes{0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
    song.tracks[0].add(96, Bytes{0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40});
    song.tracks[1].add(0, Bytes{0xFF, 0x03, 0x04, 'D', 'r', 'u', 'm'});
    song.tracks[1].add(0, Bytes{0x99, 0x24, 0x64});
    song.tracks[1].add(5, Bytes{0xB9, 0x07, 0x64});
    song.tracks[1].add(10, Bytes{0xFF, 0x01, 0x01, 'x'});
    song.tracks[1].add(96, Bytes{0x89, 0x24, 0x00});
    song.tracks[2].add(192, Bytes{0x90, 0x30, 0x50});
    song.tracks[2].add(288, Bytes{0x80, 0x30, 0x00});
    song.tracks[2].setEndTick(400);
    MidiFile::write(song, path("in.mid"));

    ASSERT_EQ(auhost({"render", "--sample-rate", "9600", "--set", "shift=500", path("in.mid"), path("out.mid")}), 0) << err();
    EXPECT_EQ(source_.made.size(), 2u);
    const MidiSong out = MidiFile::read(path("out.mid"));
    EXPECT_EQ(out.ticksPerQuarterNote, 96);
    ASSERT_EQ(out.tracks.size(), 3u);
    EXPECT_EQ(eventsOf(out.tracks[0]), eventsOf(song.tracks[0]));
    // Ordered by time; the host's own events come first among equal ticks.
    const std::vector<std::pair<std::int64_t, Bytes>> drums = {
        {0, {0xFF, 0x03, 0x04, 'D', 'r', 'u', 'm'}}, {5, {0xB9, 0x07, 0x64}}, {10, {0xFF, 0x01, 0x01, 'x'}},
        {10, {0x99, 0x24, 0x64}}, {101, {0x89, 0x24, 0x00}}};
    EXPECT_EQ(eventsOf(out.tracks[1]), drums);
    const std::vector<std::pair<std::int64_t, Bytes>> bass = {{197, {0x90, 0x30, 0x50}}, {293, {0x80, 0x30, 0x00}}};
    EXPECT_EQ(eventsOf(out.tracks[2]), bass);
    EXPECT_EQ(out.tracks[2].endTick(), 400);
    EXPECT_NE(this->out().find("5 events in, 5 out; 2 of 2 notes moved, largest shift 52.1 ms"), std::string::npos) << this->out();
    EXPECT_NE(this->out().find("(2 tracks)"), std::string::npos) << this->out();
}

TEST_F(RenderCommand, ListsParametersAndPresets) {
    ASSERT_EQ(auhost({"params"}), 0) << err();
    EXPECT_EQ(out(),
              "ADDRESS  IDENTIFIER       NAME               UNIT          RANGE        DEFAULT\n"
              "0        shift            Shift              samples       0...1000     0\n"
              "1        spare            Spare              generic       0...1        0\n");
    ASSERT_EQ(auhost({"presets"}), 0) << err();
    EXPECT_EQ(out(), "1. None - the defaults\n2. Ten Milliseconds - Shift 441 samples\n") << "the link to a web page is no preset";
    ASSERT_EQ(auhost({"--help"}), 0);
    EXPECT_EQ(out().rfind("usage: auhost render", 0), 0u);
    EXPECT_EQ(auhost({}), 2);
    EXPECT_EQ(err().rfind("usage: auhost render", 0), 0u);
}

// At 8000 Hz and 32767 ticks a quarter note a tick lasts an eighth of a sample: events the
// unit leaves in place keep their ticks, moved ones never land earlier, and the summary counts
// the notes whose ticks changed.
TEST_F(RenderCommand, TicksShorterThanASampleKeepTheirPlace) {
    MidiSong song;
    song.ticksPerQuarterNote = 32767;
    song.tracks.resize(1);
    for (int i = 0; i < 40; ++i) {
        song.tracks[0].add(i * 5 + i % 3, Bytes{0x90, std::uint8_t(40 + i), 0x64});
        song.tracks[0].add(i * 5 + 3, Bytes{0x80, std::uint8_t(40 + i), 0x00});
    }
    MidiFile::write(song, path("in.mid"));

    ASSERT_EQ(auhost({"render", "--sample-rate", "8000", path("in.mid"), path("out.mid")}), 0) << err();
    EXPECT_EQ(eventsOf(MidiFile::read(path("out.mid")).tracks[0]), eventsOf(song.tracks[0]));
    EXPECT_NE(out().find("0 of 40 notes moved"), std::string::npos) << out();

    ASSERT_EQ(auhost({"render", "--sample-rate", "8000", "--set", "shift=1", path("in.mid"), path("out.mid")}), 0) << err();
    const auto moved = eventsOf(MidiFile::read(path("out.mid")).tracks[0]);
    ASSERT_EQ(moved.size(), song.tracks[0].size());
    for (const auto& [tick, bytes] : moved)
        for (std::size_t i = 0; i < song.tracks[0].size(); ++i)
            if (std::equal(bytes.begin(), bytes.end(), song.tracks[0].bytes(i).begin(), song.tracks[0].bytes(i).end())) {
                EXPECT_GT(tick, song.tracks[0].tick(i)) << "a note moved later must not come out earlier";
            }
    EXPECT_NE(out().find("40 of 40 notes moved"), std::string::npos) << out();
}

// A gap as long as one event time can state, made longer by the unit, still gives a file that
// reads back with the note where the unit put it.
TEST_F(RenderCommand, AGapTheUnitLengthensStillMakesAValidFile) {
    const std::int64_t gap = AudioHost::MidiFileWriter::longestDelta;
    MidiSong song;
    song.ticksPerQuarterNote = 32767;
    song.tracks.resize(1);
    song.tracks[0].add(0, Bytes{0x90, 0x3C, 0x64});
    song.tracks[0].add(100, Bytes{0x80, 0x3C, 0x00});
    song.tracks[0].add(100 + gap, Bytes{0x90, 0x3E, 0x64});
    MidiFile::write(song, path("in.mid"));

    ASSERT_EQ(auhost({"render", "--set", "shift=1000", "--block", "4096", path("in.mid"), path("out.mid")}), 0) << err();
    const MidiSong out = MidiFile::read(path("out.mid"));
    // 120 BPM at 44100 Hz: 22050 samples a quarter note.
    const auto sample = std::llround(double(100 + gap) * 22050 / 32767) + 1000;
    const auto tick = std::llround(double(sample) * 32767 / 22050);
    ASSERT_GT(tick - 100, gap);
    const auto events = eventsOf(out.tracks[0]);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), (std::pair<std::int64_t, Bytes>{tick, {0x90, 0x3E, 0x64}}));
}
