#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

#include "Foundation/URLSession.hpp"
#include "Host/AudioHost/AudioHostCommand.hpp"
#include "Host/AudioHost/EventList.hpp"
#include "Host/AudioHost/ExtensionUnitSource.hpp"
#include "TestSupport/ScratchDirectory.hpp"
#include "Vantrel_Zellow_Extension/Engine/ParameterPreset.hpp"

namespace {

using Vantrel_Zellow_Extension::ParameterPreset;
using Vantrel_Zellow_Extension::RandomPresetType;

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

// auhost in this process over the built extension, loaded as a host loads it, offline as
// auhost runs.
class EngineRender : public TestSupport::ScratchDirectoryTest {
protected:
    void SetUp() override {
        TestSupport::ScratchDirectoryTest::SetUp();
        Foundation::URLSession::setOffline(true);
    }
    void TearDown() override {
        Foundation::URLSession::setOffline(false);
        TestSupport::ScratchDirectoryTest::TearDown();
    }
    int zellow(std::vector<std::string> arguments) {
        out_.str({});
        err_.str({});
        static AudioHost::ExtensionUnitSource extension(std::string(VZ_BINARY_DIR) +
                                                        "/Vantrel_Zellow.app/Contents/PlugIns/Vantrel_Zellow_Extension.appex");
        return AudioHost::AudioHostCommand(extension, out_, err_).run(arguments);
    }
    std::string out() const { return out_.str(); }
    std::string err() const { return err_.str(); }
    std::ostringstream out_, err_;
};

// The effect sums an output time in single precision from a beat position the host gives per
// cycle, so where a cycle starts can move a time by the last bit of that sum: one sample. The
// events, their bytes and their order never change; without swing and randomness the times
// do not either.
TEST_F(EngineRender, BlockSizeDoesNotChangeWhatTheEffectSends) {
    write("in.txt", generatedEvents(30));
    // Settings like those of the presets "I Like Twins", "Very Random", "Velocity Bounce" and "Default".
    struct Case {
        std::vector<std::string> settings;
        bool exact;
    } cases[] = {
        {{"stepCount=11", "random=20", "swingOneFour=60", "swingOneEight=55", "swingOneSixteen=52"}, false},
        {{"stepCount=5", "random=20", "step2Velocity=95"}, false},
        {{"stepCount=4", "step2Velocity=65", "step3Velocity=85", "step3=12.5", "delay=3"}, true},
        {{}, true}};
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"render"};
        for (const std::string& setting : c.settings) arguments.insert(arguments.end(), {"--set", setting});
        SCOPED_TRACE(testing::PrintToString(c.settings));
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

// The editor's preset menu, as `auhost presets` lists it: the factory presets, not the link to
// the maker's page, each with what it sets.
TEST_F(EngineRender, PresetsAreTheEditorsPresetMenu) {
    ASSERT_EQ(zellow({"presets"}), 0) << err();
    const auto& presets = ParameterPreset::factoryPresets();
    std::istringstream lines(out());
    std::string line;
    for (std::size_t i = 0; i < presets.size(); ++i) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line.rfind(std::to_string(i + 1) + ". " + presets[i].name + " - ", 0), 0u) << line;
    }
    EXPECT_FALSE(std::getline(lines, line)) << line;
    EXPECT_NE(out().find("2. Randomize Step Delay - new Step "), std::string::npos) << out();
    EXPECT_NE(out().find("5. Late Snare - Random 4 ms, Step 5 40 ms, Steps 8\n"), std::string::npos) << out();
}

// A preset chosen in the editor gives what its values set one by one give.
TEST_F(EngineRender, APresetRendersAsItsValuesDo) {
    const std::string song = std::string(VZ_SOURCE_DIR) + "/examples/demo.mid";
    int compared = 0;
    for (const ParameterPreset& p : ParameterPreset::factoryPresets()) {
        if (p.randomType != RandomPresetType::none) continue;
        SCOPED_TRACE(p.name);
        std::vector<std::string> set = {"render", "--set", "stepCount=" + std::to_string(p.steps), "--set",
                                        "delay=" + std::to_string(p.delay), "--set", "random=" + std::to_string(p.random),
                                        "--set", "seed=" + std::to_string(p.seed)};
        const char* swings[] = {"swingOneFour", "swingOneEight", "swingOneSixteen"};
        for (std::size_t i = 0; i < p.swings.size(); ++i) set.insert(set.end(), {"--set", swings[i] + ("=" + std::to_string(p.swings[i]))});
        for (std::size_t i = 0; i < p.stepValues.size(); ++i)
            set.insert(set.end(), {"--set", "step" + std::to_string(i + 1) + "=" + std::to_string(p.stepValues[i])});
        for (std::size_t i = 0; i < p.stepVelocities.size(); ++i)
            set.insert(set.end(), {"--set", "step" + std::to_string(i + 1) + "Velocity=" + std::to_string(p.stepVelocities[i])});
        set.insert(set.end(), {song, path("set.mid")});
        ASSERT_EQ(zellow(set), 0) << err();
        ASSERT_EQ(zellow({"render", "--preset", p.name, song, path("preset.mid")}), 0) << err();
        EXPECT_EQ(read("preset.mid"), read("set.mid"));
        ++compared;
    }
    EXPECT_EQ(compared, 9);
}

TEST_F(EngineRender, EveryPresetRenders) {
    write("in.txt", generatedEvents(30));
    for (const auto& preset : ParameterPreset::factoryPresets()) {
        EXPECT_EQ(zellow({"render", "--preset", preset.name, path("in.txt"), path("out.txt")}), 0) << preset.name << ": " << err();
    }
    EXPECT_EQ(zellow({"render", "--preset", "More Quorvane Plugins…", path("in.txt"), path("out.txt")}), 2);
    EXPECT_EQ(err(), "auhost: \"More Quorvane Plugins…\" is not a preset: the editor's menu opens a web page with it\n");
}
