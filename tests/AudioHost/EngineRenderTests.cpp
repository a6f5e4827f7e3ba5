#include <gtest/gtest.h>

#ifdef AUHOST_WITH_ENGINE

#include <cstdlib>
#include <sstream>
#include <random>

#include "Host/AudioHost/AudioHostCommand.hpp"
#include "Host/AudioHost/EventList.hpp"
#include "Host/AudioHost/HostedUnit.hpp"
#include "Host/AudioHost/Zellow/ZellowUnitSource.hpp"
#include "HostFixture.hpp"

using namespace AudioHostTests;

namespace {

// Notes on and between the sixteenth-note grid, with chords and overlaps.
std::string generatedEvents(long seconds) {
    std::mt19937 random(7);
    struct Note { long on, off; int key, velocity; };
    std::vector<Note> notes;
    for (long t = 0; t < 44100L * seconds; t += 1000 + long(random() % 6000)) {
        const long on = random() % 3 ? t : t - t % 5513;  // some right on the grid
        const int chord = 1 + int(random() % 3);
        for (int c = 0; c < chord; ++c)
            notes.push_back({on, on + 200 + long(random() % 20000), 36 + int(random() % 48), 1 + int(random() % 127)});
    }
    std::vector<AudioHost::HostEvent> events;
    for (const Note& n : notes) {
        events.push_back(AudioHost::HostEvent::midi(n.on, 0x90, std::uint8_t(n.key), std::uint8_t(n.velocity)));
        events.push_back(AudioHost::HostEvent::midi(n.off, 0x80, std::uint8_t(n.key), 0));
    }
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) { return a.sampleTime < b.sampleTime; });
    return AudioHost::EventList::format(events);
}

// The lines of an output list as (time, bytes); the unit's order, not time order.
std::vector<std::pair<long long, std::string>> sentLines(const std::string& text) {
    std::vector<std::pair<long long, std::string>> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t space = line.find(' ');
        lines.emplace_back(std::stoll(line.substr(0, space)), line.substr(space + 1));
    }
    return lines;
}

}  // namespace

class EngineRender : public HostFixture {
protected:
    int zellow(std::vector<std::string> arguments) {
        out_.str({});
        err_.str({});
        return AudioHost::AudioHostCommand(zellowSource_, out_, err_).run(arguments);
    }
    AudioHost::ZellowUnitSource zellowSource_;
};

// The effect sums an output time in single precision from a beat position the host gives per
// cycle, so where a cycle starts can move a time by the last bit of that sum: one sample. The
// events, their bytes and their order never change; without swing and randomness the times
// do not either.
TEST_F(EngineRender, BlockSizeDoesNotChangeWhatTheEffectSends) {
    write("in.txt", generatedEvents(30));
    struct Case { const char* preset; bool exact; } cases[] = {
        {"I Like Twins", false}, {"Very Random", false}, {"Velocity Bounce", true}, {"Default", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset);
        std::vector<std::string> arguments = {"render", "--preset", c.preset};
        if (c.exact) arguments.insert(arguments.end(), {"--set", "step3=12.5", "--set", "delay=3"});
        std::vector<std::pair<long long, std::string>> first;
        for (const char* block : {"4096", "512", "64", "17", "1"}) {
            auto a = arguments;
            a.insert(a.end(), {"--block", block, path("in.txt"), path("out.txt")});
            ASSERT_EQ(zellow(a), 0) << err();
            const auto sent = sentLines(read("out.txt"));
            if (first.empty()) first = sent;
            ASSERT_EQ(sent.size(), first.size()) << "block " << block;
            std::size_t moved = 0;
            for (std::size_t i = 0; i < sent.size(); ++i) {
                ASSERT_EQ(sent[i].second, first[i].second) << "block " << block << ", event " << i;
                ASSERT_LE(std::llabs(sent[i].first - first[i].first), 1) << "block " << block << ", event " << i;
                moved += sent[i].first != first[i].first;
            }
            if (c.exact) {
                EXPECT_EQ(moved, 0u) << "block " << block;
            }
            EXPECT_LE(moved, 2 + sent.size() / 500) << "block " << block;
        }
    }
}

TEST_F(EngineRender, LateSnareDelaysTheFifthSixteenth) {
    // 120 BPM at 44.1 kHz: a sixteenth is 5512.5 samples, step 5 starts at 22050; 40 ms is 1764 samples.
    write("in.txt", "0 90 24 64\n5000 80 24 00\n22050 90 26 64\n23000 80 26 00\n");
    ASSERT_EQ(zellow({"render", "--preset", "Late Snare", "--set", "random=0", path("in.txt"), path("out.txt")}), 0) << err();
    EXPECT_EQ(read("out.txt"), "0 90 24 64\n5000 80 24 00\n23814 90 26 64\n24764 80 26 00\n");
    EXPECT_NE(out().find("1 of 2 notes moved, largest shift 40.0 ms, mean shift 20.0 ms"), std::string::npos) << out();
}

TEST_F(EngineRender, HostEventsAndBypassReachTheEffect) {
    // A parameter event sets step 1 to 10 ms (441 samples) from the next event on.
    write("in.txt", "0 90 24 64\n0 param 6 10\n0 90 26 64\n");
    ASSERT_EQ(zellow({"render", path("in.txt"), path("out.txt")}), 0) << err();
    EXPECT_EQ(read("out.txt"), "0 90 24 64\n441 90 26 64\n");
    ASSERT_EQ(zellow({"render", "--bypass", "--set", "delay=50", path("in.txt"), path("out.txt")}), 0) << err();
    EXPECT_EQ(read("out.txt"), "0 90 24 64\n0 90 26 64\n");
}

TEST_F(EngineRender, EveryPresetRenders) {
    write("in.txt", generatedEvents(120));
    const auto presets = zellowSource_.presets();
    ASSERT_EQ(presets.size(), 11u);
    for (const auto& preset : presets) {
        EXPECT_EQ(zellow({"render", "--preset", preset.name, path("in.txt"), path("out.txt")}), 0) << preset.name << ": " << err();
    }
}

#endif
