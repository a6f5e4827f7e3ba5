#include <gtest/gtest.h>

#include <random>

#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/MidiFile.hpp"
#include "HostFixture.hpp"

using AudioHost::MidiFile;
using AudioHost::MidiSong;
using AudioHost::MidiTrack;

namespace {

using Bytes = std::vector<std::uint8_t>;

void add(MidiTrack& track, std::int64_t tick, Bytes bytes) { track.add(tick, bytes); }

std::vector<std::pair<std::int64_t, Bytes>> eventsOf(const MidiTrack& track) {
    std::vector<std::pair<std::int64_t, Bytes>> events;
    for (std::size_t i = 0; i < track.size(); ++i) events.emplace_back(track.tick(i), Bytes(track.bytes(i).begin(), track.bytes(i).end()));
    return events;
}

}  // namespace

class MidiFileTest : public AudioHostTests::HostFixture {};

TEST_F(MidiFileTest, RoundTripKeepsTracksDivisionAndEvents) {
    MidiSong song;
    song.format = 1;
    song.ticksPerQuarterNote = 96;
    song.tracks.resize(3);
    add(song.tracks[0], 0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});              // tempo 120
    add(song.tracks[0], 0, {0xFF, 0x58, 0x04, 0x03, 0x02, 0x18, 0x08});        // 3/4
    add(song.tracks[1], 0, {0xFF, 0x03, 0x04, 'B', 'a', 's', 's'});
    add(song.tracks[1], 0, {0xC0, 0x21});
    add(song.tracks[1], 0, {0x90, 0x28, 0x64});
    add(song.tracks[1], 96, {0x80, 0x28, 0x00});
    add(song.tracks[1], 96, {0x90, 0x2B, 0x50});
    add(song.tracks[1], 1000, {0x90, 0x2B, 0x00});
    add(song.tracks[2], 10, {0xF0, 0x03, 0x7E, 0x00, 0xF7});
    song.tracks[2].setEndTick(384);

    MidiFile::write(song, path("song.mid"));
    const MidiSong back = MidiFile::read(path("song.mid"));
    EXPECT_EQ(back.format, 1);
    EXPECT_EQ(back.ticksPerQuarterNote, 96);
    ASSERT_EQ(back.tracks.size(), 3u);
    for (std::size_t t = 0; t < 3; ++t) EXPECT_EQ(eventsOf(back.tracks[t]), eventsOf(song.tracks[t])) << "track " << t + 1;
    EXPECT_EQ(back.tracks[1].endTick(), 1000);
    EXPECT_EQ(back.tracks[2].endTick(), 384);
}

TEST_F(MidiFileTest, UnusableFilesAreRefusedWithTheirName) {
    write("text.mid", "this is not a MIDI file at all");
    // A header that promises a track that is cut short.
    write("short.mid", std::string("MThd\0\0\0\6\0\1\0\1\0\x60MTrk\0\0\0\x20\0\x90\x3c", 25));
    // A track whose last message is cut off, and a header that promises two tracks.
    write("cut.mid", std::string("MThd\0\0\0\6\0\1\0\1\0\x60MTrk\0\0\0\6\0\x90\x3c\x40\x00\x80", 28));
    write("onetrack.mid", std::string("MThd\0\0\0\6\0\1\0\2\0\x60MTrk\0\0\0\4\0\xFF\x2F\0", 26));
    // Format 2 and SMPTE timing.
    write("format2.mid", std::string("MThd\0\0\0\6\0\2\0\1\0\x60MTrk\0\0\0\4\0\xFF\x2F\0", 26));
    write("smpte.mid", std::string("MThd\0\0\0\6\0\0\0\1\xE7\x28MTrk\0\0\0\4\0\xFF\x2F\0", 26));
    struct Case { std::string file, message; } cases[] = {
        {"missing.mid", "cannot read " + path("missing.mid") + ": No such file or directory"},
        {"text.mid", path("text.mid") + " is not a readable MIDI file"},
        {"short.mid", path("short.mid") + " is not a readable MIDI file"},
        {"cut.mid", path("cut.mid") + " is not a readable MIDI file"},
        {"onetrack.mid", path("onetrack.mid") + " is not a readable MIDI file"},
        {"format2.mid", path("format2.mid") + " is a format 2 MIDI file"},
        {"smpte.mid", path("smpte.mid") + " uses SMPTE timing"},
    };
    for (const Case& c : cases) {
        try {
            MidiFile::read(path(c.file));
            ADD_FAILURE() << c.file << " was accepted";
        } catch (const AudioHost::BadInput& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
        }
    }
}

// Damaged copies of a good file (bytes changed, cut short) are either read or refused as
// bad input; nothing reads outside the file (the sanitizer builds check that).
TEST_F(MidiFileTest, DamagedFilesAreReadOrRefusedSafely) {
    MidiSong song;
    song.ticksPerQuarterNote = 96;
    song.tracks.resize(2);
    add(song.tracks[0], 0, {0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
    add(song.tracks[0], 0, {0xFF, 0x03, 0x05, 'T', 'i', 't', 'l', 'e'});
    for (int i = 0; i < 40; ++i) {
        add(song.tracks[1], i * 24, {0x90, std::uint8_t(40 + i), 0x64});
        add(song.tracks[1], i * 24 + 12, {0x80, std::uint8_t(40 + i), 0x00});
    }
    add(song.tracks[1], 999, {0xF0, 0x03, 0x7E, 0x00, 0xF7});
    MidiFile::write(song, path("good.mid"));
    const std::string good = read("good.mid");

    std::mt19937 random(3);
    int refused = 0;
    for (int variant = 0; variant < 400; ++variant) {
        std::string bad = good;
        if (variant % 4 == 0) {
            bad.resize(random() % bad.size());
        } else {
            for (int k = 0; k < 1 + variant % 3; ++k) bad[14 + random() % (bad.size() - 14)] = char(random());
        }
        write("bad.mid", bad);
        try {
            MidiFile::read(path("bad.mid"));
        } catch (const AudioHost::BadInput&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 100);
}
