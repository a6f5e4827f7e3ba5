#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "AppKit/NSApplication.hpp"
#include "AudioToolbox/AUParameterTree.hpp"
#include "Extension/AuhostProcess.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/Editor/EditCommand.hpp"
#include "Host/AudioHost/MidiFile.hpp"
#include "TestSupport/MainLoop.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace {

namespace fs = std::filesystem;
using ExtensionTests::runAuhost;

const std::string appex = std::string(VZ_BINARY_DIR) + "/Vantrel_Zellow.app/Contents/PlugIns/Vantrel_Zellow_Extension.appex";

class EditCommand : public TestSupport::VirtualTimeTest {
protected:
    void SetUp() override {
        TestSupport::VirtualTimeTest::SetUp();
        Vantrel_Zellow_Extension::Settings::setDefaultUpdateFeedURL(std::nullopt);
        ::setenv("VZ_WINDOW_BACKEND", "headless", 1);
    }
    void TearDown() override {
        ::unsetenv("VZ_WINDOW_BACKEND");
        AppKit::NSApplication::shared().resetForTesting();
        AppKit::NSApplication::shared().setWindowBackend(nullptr);
        TestSupport::VirtualTimeTest::TearDown();
    }
    static bool shows(const AppKit::NSWindow& window, const std::string& text) {
        const auto texts = window.displayList().texts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

// The size asked for is the window's, the editor scaled into it; the preset is chosen before the
// window shows the editor.
TEST_F(EditCommand, OpensAtTheSizeAskedWithThePresetChosen) {
    AudioHost::ExtensionUnitSource source(appex);
    std::shared_ptr<CoreGraphics::CGImage> own;
    {
        AudioHost::EditSession session(source, AudioHost::EditOptions::parse({"--seconds", "0"}));
        own = session.window().snapshot();
        EXPECT_TRUE(shows(session.window(), "16 STEPS"));
    }
    AudioHost::EditSession session(source, AudioHost::EditOptions::parse({"--size", "1280x960", "--preset", "I Like Twins", "--seconds", "0"}));
    auto& window = session.window();
    EXPECT_EQ(window.contentSize().width, 1280);
    EXPECT_EQ(window.contentSize().height, 960);
    auto picture = window.snapshot();
    ASSERT_EQ(picture->width(), 1280);
    ASSERT_EQ(picture->height(), 960);
    EXPECT_TRUE(shows(window, "11 STEPS"));
    // Scaled, not laid out loose: the header (which the preset leaves alone) is the one at the
    // editor's own size, each pixel now four.
    double difference = 0;
    int samples = 0;
    for (int y = 0; y < 44; y += 3)
        for (int x = 0; x < 640; x += 5) {
            auto sum = [](const CoreGraphics::DisplayColor& c) { return c.r + c.g + c.b; };
            const double big = (sum(picture->pixel(2 * x, 2 * y)) + sum(picture->pixel(2 * x + 1, 2 * y)) +
                                sum(picture->pixel(2 * x, 2 * y + 1)) + sum(picture->pixel(2 * x + 1, 2 * y + 1))) / 4;
            difference += std::abs(big - sum(own->pixel(x, y)));
            ++samples;
        }
    EXPECT_LT(difference / samples, 0.05);
}

TEST_F(EditCommand, BadOptionsAreClearErrorsThatQuoteWhatWasGivenShortly) {
    struct Case {
        std::vector<std::string> arguments;
        std::string says;
    };
    const std::string huge(1 << 20, 'x');
    const std::vector<Case> cases = {
        {{"--size", "0x480"}, "--size takes WIDTHxHEIGHT in points, each 1...8192, not \"0x480\""},
        {{"--size", "8193x480"}, "not \"8193x480\""},
        {{"--size", "640"}, "not \"640\""},
        {{"--size", "640x-1"}, "not \"640x-1\""},
        {{"--size", " 640x480"}, "not \" 640x480\""},
        {{"--seconds", "nan"}, "--seconds takes a number of seconds up to 1000000, not \"nan\""},
        {{"--seconds", "1e300"}, "not \"1e300\""},
        {{"--size"}, "--size needs a value"},
        // An option is never the value of the one before it.
        {{"--snapshot", "--seconds", "0.1"}, "--snapshot needs a value, not the option \"--seconds\""},
        {{"--play", "--size", "10x10"}, "--play needs a value, not the option \"--size\""},
        {{"--preset", "--snapshot", "x.png"}, "--preset needs a value, not the option \"--snapshot\""},
        {{"--size", "64\n0x480"}, "not \"64\\x0A0x480\""},
        {{"--frobnicate" + huge}, "edit: unknown option \"--frobnicatexxxxxxxxxx"}, {{"--" + huge}, "xxxx...\" (see auhost --help)"},
    };
    for (const Case& c : cases) {
        try {
            AudioHost::EditOptions::parse(c.arguments);
            ADD_FAILURE() << c.says << ": accepted";
        } catch (const AudioHost::BadInput& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(c.says), std::string::npos) << message.substr(0, 200);
            EXPECT_LT(message.size(), 200u);
        }
    }
    AudioHost::ExtensionUnitSource source(appex);
    try {
        AudioHost::EditSession session(source, AudioHost::EditOptions::parse({"--preset", "No Such\x1b[2J" + huge}));
        ADD_FAILURE() << "an unknown preset was accepted";
    } catch (const AudioHost::BadInput& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("unknown preset \"No Such\\x1B[2Jxxxx", 0), 0u) << message.substr(0, 200);
        EXPECT_NE(message.find("\"I Like Twins\""), std::string::npos) << "names the presets";
        EXPECT_LT(message.size(), 400u);
    }
}

// Offscreen, a run that only a closed window would end is refused at once, not waited on for ever.
TEST_F(EditCommand, WithNoWindowToShowOnlyASnapshotOrATimeEndsARun) {
    AudioHost::ExtensionUnitSource source(appex);
    try {
        AudioHost::EditSession session(source, AudioHost::EditOptions::parse({}));
        ADD_FAILURE() << "an offscreen run with no end was accepted";
    } catch (const AudioHost::BadInput& e) {
        EXPECT_EQ(std::string(e.what()).rfind("the editor cannot be shown: ", 0), 0u) << e.what();
    }
    AudioHost::EditSession timed(source, AudioHost::EditOptions::parse({"--seconds", "0"}));
    std::ostringstream out, err;
    EXPECT_EQ(timed.run(out, err), 0);
}

// Offscreen a song plays once: its end ends a run that asked for no time (in a real window it
// plays over and over instead).
TEST_F(EditCommand, OffscreenTheSongsEndEndsTheRun) {
    AudioHost::MidiSong bar;
    bar.tracks.resize(1);
    bar.tracks[0].add(0, std::vector<std::uint8_t>{0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});  // 120 beats a minute
    bar.tracks[0].add(0, std::vector<std::uint8_t>{0x90, 60, 100});
    bar.tracks[0].add(240, std::vector<std::uint8_t>{0x80, 60, 0});  // an eighth: a quarter of a second
    const std::string song = std::string(VZ_BINARY_DIR) + "/test-output/eighth-" + std::to_string(::getpid()) + ".mid";
    fs::create_directories(fs::path(song).parent_path());
    AudioHost::MidiFile::write(bar, song);
    AudioHost::ExtensionUnitSource source(appex);
    AudioHost::EditSession session(source, AudioHost::EditOptions::parse({"--play", song}));
    const auto start = std::chrono::steady_clock::now();
    std::ostringstream out, err;
    EXPECT_EQ(session.run(out, err), 0) << err.str();
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 10);
    EXPECT_FALSE(session.window().isVisible());
    fs::remove(song);
}

// The program's way: status 2 and one line for a bad size or preset.
TEST_F(EditCommand, TheProgramRefusesABadSizeOrPresetWithStatusTwo) {
    for (const std::string arguments : {"edit --size 10", "edit --preset Nope --snapshot /dev/null", "edit --snapshot --seconds 0.1"}) {
        const auto run = runAuhost("--extension " + appex + " " + arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.err.rfind("auhost: ", 0), 0u) << run.err;
    }
}

// A snapshot is written whole or not at all: a write cut short by the file-size limit leaves an
// earlier picture as it was, and says why it failed.
TEST_F(EditCommand, AFailedSnapshotLeavesTheEarlierFileAndSaysWhy) {
    const fs::path dir = fs::path(VZ_BINARY_DIR) / "test-output" / "edit-snapshot";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path picture = dir / "editor.png";
    std::ofstream(picture) << "an earlier picture";
    const std::string log = (dir / "err.txt").string();
    const std::string command = "ulimit -f 8; env -u DISPLAY -u WAYLAND_DISPLAY " + ExtensionTests::auhostCommand() +
                                " --extension " + appex + " edit --snapshot " + picture.string() + " >/dev/null 2>" + log;
    const int raw = std::system(("sh -c '" + command + "'").c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 2);
    EXPECT_EQ(ExtensionTests::fileContents(picture), "an earlier picture");
    const std::string said = ExtensionTests::fileContents(log);
    EXPECT_EQ(said.rfind("auhost: cannot write " + picture.string() + ": ", 0), 0u) << said;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2) << "no temporary file left";
}

}  // namespace
