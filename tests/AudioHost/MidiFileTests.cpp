#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/MidiFile.hpp"
#include "Host/AudioHost/MidiFileWriter.hpp"
#include "HostFixture.hpp"
#include "MemoryFile.hpp"
#include "TestSupport/Mutator.hpp"

using AudioHost::MidiFile;
using AudioHost::MidiFileWriter;
using AudioHost::MidiSong;
using AudioHost::MidiTrack;

namespace {

using Bytes = std::vector<std::uint8_t>;

void add(MidiTrack& track, std::int64_t tick, Bytes bytes) { track.add(tick, bytes); }

// A file from its parts: "MThd" with `extra` bytes after the usual six, then chunks.
std::string vlq(std::uint32_t v) {
    std::string out(1, char(v & 0x7F));
    while (v >>= 7) out.insert(out.begin(), char(0x80 | (v & 0x7F)));
    return out;
}
std::string chunk(const std::string& type, const std::string& body) {
    const auto n = std::uint32_t(body.size());
    return type + std::string{char(n >> 24), char(n >> 16), char(n >> 8), char(n)} + body;
}
std::string header(int format, int tracks, int division, const std::string& extra = "") {
    return chunk("MThd", std::string{0, char(format), 0, char(tracks), char(division >> 8), char(division)} + extra);
}
const std::string endOfTrack("\0\xFF\x2F\0", 4);

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

// Files the format allows that other readers write: they read, and write back as they were.
TEST_F(MidiFileTest, EveryLegalFileReads) {
    using Events = std::vector<std::pair<std::int64_t, Bytes>>;
    const std::string note = std::string("\0\x90\x3C\x64", 4);
    std::string farApart;  // nine of the longest gaps, past 2^31 ticks
    for (int i = 0; i < 9; ++i) farApart += vlq(0x0FFFFFFF) + std::string("\xFF\x01\0", 3);
    Events farEvents;
    for (std::int64_t i = 1; i <= 9; ++i) farEvents.push_back({i * 0x0FFFFFFF, {0xFF, 0x01, 0x00}});
    farEvents.push_back({9LL * 0x0FFFFFFF, {0x90, 0x3C, 0x64}});
    struct Case {
        const char* name;
        std::string file;
        Events events;
        std::int64_t endTick;
    } cases[] = {
        // A packet without its F7, a continuation, and an escape that carries a clock byte.
        {"sysex packets", header(0, 1, 96) + chunk("MTrk", std::string("\0\xF0\x03\x7E\x00\x09\x10\xF7\x02\x01\xF7\0\xF7\x01\xF8", 15) + note + endOfTrack),
         {{0, {0xF0, 0x7E, 0x00, 0x09}}, {16, {0xF7, 0x01, 0xF7}}, {16, {0xF7, 0xF8}}, {16, {0x90, 0x3C, 0x64}}}, 16},
        {"ticks past 2^31", header(0, 1, 96) + chunk("MTrk", farApart + note + endOfTrack), farEvents, 9LL * 0x0FFFFFFF},
        {"unknown chunks", header(1, 1, 96) + chunk("XFIH", "abc") + chunk("MTrk", note + endOfTrack) + chunk("Junk", ""),
         {{0, {0x90, 0x3C, 0x64}}}, 0},
        {"a longer header", header(0, 1, 96, std::string("\0\1\2\3", 4)) + chunk("MTrk", note + endOfTrack), {{0, {0x90, 0x3C, 0x64}}}, 0},
        {"no end marker", header(0, 1, 96) + chunk("MTrk", note + std::string("\x20\x80\x3C\0", 4)),
         {{0, {0x90, 0x3C, 0x64}}, {32, {0x80, 0x3C, 0x00}}}, 32},
        {"running status over a meta event", header(0, 1, 96) + chunk("MTrk", note + std::string("\0\xFF\x01\x01x\x05\x3E\x64", 8) + endOfTrack),
         {{0, {0x90, 0x3C, 0x64}}, {0, {0xFF, 0x01, 0x01, 'x'}}, {5, {0x90, 0x3E, 0x64}}}, 5},
        {"padding after the last track", header(0, 1, 96) + chunk("MTrk", note + endOfTrack) + std::string(5, '\0'),
         {{0, {0x90, 0x3C, 0x64}}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        write("legal.mid", c.file);
        const MidiSong song = MidiFile::read(path("legal.mid"));
        ASSERT_EQ(song.tracks.size(), 1u);
        EXPECT_EQ(eventsOf(song.tracks[0]), c.events);
        EXPECT_EQ(song.tracks[0].endTick(), c.endTick);
        MidiFile::write(song, path("again.mid"));
        const MidiSong again = MidiFile::read(path("again.mid"));
        EXPECT_EQ(eventsOf(again.tracks[0]), c.events);
    }
}

// A gap longer than one event time can state is bridged by empty text events; the ticks of
// what follows stay exact.
TEST_F(MidiFileTest, GapsLongerThanAnEventTimeAreBridged) {
    MidiSong song;
    song.tracks.resize(1);
    song.tracks[0].add(3, Bytes{0x90, 0x3C, 0x64});
    song.tracks[0].add(3 + 2 * MidiFileWriter::longestDelta + 5, Bytes{0x80, 0x3C, 0x00});
    song.tracks[0].setEndTick(3 + 3 * MidiFileWriter::longestDelta + 20);
    MidiFile::write(song, path("gap.mid"));
    const MidiSong back = MidiFile::read(path("gap.mid"));
    std::vector<std::pair<std::int64_t, Bytes>> notes;
    for (const auto& e : eventsOf(back.tracks[0]))
        if (e.second != Bytes{0xFF, 0x01, 0x00}) notes.push_back(e);
    EXPECT_EQ(notes, eventsOf(song.tracks[0]));
    EXPECT_EQ(back.tracks[0].size(), 2u + 3u) << "two notes, three bridges";
    EXPECT_EQ(back.tracks[0].endTick(), song.tracks[0].endTick());
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
    write("long-time.mid", header(0, 1, 96) + chunk("MTrk", std::string("\x81\x80\x80\x80\x00\x90\x3C\x64", 8) + endOfTrack));
    write("after-end.mid", header(0, 1, 96) + chunk("MTrk", endOfTrack + std::string("\0\x90\x3C\x64", 4)));
    write("clock.mid", header(0, 1, 96) + chunk("MTrk", std::string("\0\xF8", 2) + endOfTrack));
    write("no-status.mid", header(0, 1, 96) + chunk("MTrk", std::string("\0\x3C\x64", 3) + endOfTrack));
    write("meta-past-end.mid", header(0, 1, 96) + chunk("MTrk", std::string("\0\xFF\x01\x09" "ab", 6)));
    write("short-header.mid", chunk("MThd", std::string("\0\0\0\1", 4)) + chunk("MTrk", endOfTrack));
    struct Case { std::string file, message; } cases[] = {
        {"missing.mid", "cannot read " + path("missing.mid") + ": No such file or directory"},
        {"long-time.mid", path("long-time.mid") + " is not a readable MIDI file: track 1: an event time is longer than four bytes"},
        {"after-end.mid", path("after-end.mid") + " is not a readable MIDI file: track 1: a track goes on after its end marker"},
        {"clock.mid", path("clock.mid") + " is not a readable MIDI file: track 1: a track holds a system message"},
        {"no-status.mid", path("no-status.mid") + " is not a readable MIDI file: track 1: a data byte stands where"},
        {"meta-past-end.mid", path("meta-past-end.mid") + " is not a readable MIDI file: track 1: an event runs past the end"},
        {"short-header.mid", path("short-header.mid") + " is not a readable MIDI file: its header is damaged"},
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

// Fuzzing: damaged copies of the corpus's legal files either read, and then write back and
// read again unchanged, or are refused as bad input. Nothing reads outside the file or leaks
// (the sanitizer builds check that).
TEST_F(MidiFileTest, DamagedFilesAreReadOrRefusedSafely) {
    std::vector<std::string> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VZ_SOURCE_DIR) + "/tests/AudioHost/corpus"))
        if (entry.path().filename().string().rfind("legal-", 0) == 0) {
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    ASSERT_GE(seeds.size(), 10u);
    TestSupport::Mutator mutator(seeds, {"MTrk", "MThd", std::string("\xFF\x2F\x00", 3), std::string("\x0F\xFF\xFF\xFF\x7F", 5)});
    int refused = 0;
    for (int input = 0; input < 3000; ++input) {
        const std::string bytes = mutator.next();
        AudioHostTests::MemoryFile file(bytes);
        ASSERT_TRUE(file.valid());
        MidiSong song;
        try {
            song = MidiFile::read(file.path());
        } catch (const AudioHost::BadInput& error) {
            ++refused;
            EXPECT_EQ(std::string(error.what()).find('\n'), std::string::npos);
            continue;
        }
        AudioHostTests::MemoryFile again("");
        MidiFile::write(song, again.path());
        const MidiSong back = MidiFile::read(again.path());
        ASSERT_EQ(back.tracks.size(), song.tracks.size()) << "input " << input;
        for (std::size_t t = 0; t < song.tracks.size(); ++t) {
            ASSERT_EQ(eventsOf(back.tracks[t]), eventsOf(song.tracks[t])) << "input " << input << ", track " << t + 1;
            ASSERT_EQ(back.tracks[t].endTick(), song.tracks[t].endTick()) << "input " << input;
        }
    }
    EXPECT_GT(refused, 300);
    EXPECT_GT(3000 - refused, 100) << "damaged copies that still read";
}
