#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "Host/AudioHost/MidiFile.hpp"
#include "HostFixture.hpp"

using namespace AudioHostTests;
using AudioHost::MidiFile;
using AudioHost::MidiSong;

namespace {

using Bytes = std::vector<std::uint8_t>;
const Bytes emptyText = {0xFF, 0x01, 0x00};

std::vector<std::string> corpus(const std::string& prefix) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(VZ_SOURCE_DIR) + "/tests/AudioHost/corpus"))
        if (entry.path().extension() == ".mid" && entry.path().filename().string().rfind(prefix, 0) == 0)
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// A track's channel messages (which the unit may move), and its other events with their ticks
// (which stay), leaving out the empty text events that bridge long gaps.
struct TrackContents {
    std::vector<Bytes> channel;
    std::vector<std::pair<std::int64_t, Bytes>> other;
    bool operator==(const TrackContents&) const = default;
};
TrackContents contents(const AudioHost::MidiTrack& track) {
    TrackContents c;
    for (std::size_t i = 0; i < track.size(); ++i) {
        const Bytes b(track.bytes(i).begin(), track.bytes(i).end());
        if (b[0] < 0xF0) c.channel.push_back(b);
        else if (b != emptyText) c.other.emplace_back(track.tick(i), b);
    }
    std::sort(c.channel.begin(), c.channel.end());
    return c;
}

}  // namespace

class Corpus : public HostFixture {};

// Every legal file renders to a file that reads back with all its events: the moved notes, and
// everything else on its own tick.
TEST_F(Corpus, LegalFilesRenderWithEveryEventKept) {
    const auto inputs = corpus("legal-");
    ASSERT_GE(inputs.size(), 10u);
    for (const std::string& file : inputs) {
        SCOPED_TRACE(file);
        ASSERT_EQ(auhost({"render", "--set", "shift=500", "--block", "8192", file, path("out.mid")}), 0) << err();
        const MidiSong in = MidiFile::read(file), out = MidiFile::read(path("out.mid"));
        ASSERT_EQ(out.tracks.size(), in.tracks.size());
        for (std::size_t t = 0; t < in.tracks.size(); ++t) EXPECT_EQ(contents(out.tracks[t]), contents(in.tracks[t])) << "track " << t + 1;
    }
}

TEST_F(Corpus, DamagedFilesAreRefusedWithOneLine) {
    const auto inputs = corpus("damaged-");
    ASSERT_GE(inputs.size(), 10u);
    for (const std::string& file : inputs) {
        SCOPED_TRACE(file);
        EXPECT_EQ(auhost({"render", file, path("out.mid")}), 2);
        const std::string message = err();
        EXPECT_EQ(message.rfind("auhost: " + file, 0), 0u) << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
        EXPECT_TRUE(files().empty());
    }
}
