#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "Host/AudioHost/FileDescriptorStream.hpp"
#include "Host/AudioHost/MidiFile.hpp"
#include "HostFixture.hpp"

using namespace AudioHostTests;

class BadInputs : public HostFixture {};

TEST_F(BadInputs, RefusedWithOneLineStatusTwoAndNoOutput) {
    write("in.txt", "0 90 3C 64\n10 80 3C 00\n");
    write("unsorted.txt", "10 90 3C 64\n0 80 3C 00\n");
    write("address.txt", "0 param 7 1\n");
    write("far.txt", "0 90 3C 64\n3810240001 80 3C 00\n");
    write("corrupt.mid", "MThd but nothing a MIDI reader can use");
    write("in.mid", std::string("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\4\0\xFF\x2F\0", 26));
    write("loud.txt", "0 param 0 1e12\n");
    write("muted.txt", "0 90 3C 64\n0 param 1 nan\n");
    write("spare.txt", "0 param 1 2\n");
    std::filesystem::create_directory(dir_ / "folder.txt");
    std::filesystem::create_hard_link(dir_ / "in.txt", dir_ / "link.txt");
    const std::string in = path("in.txt"), out = path("out.txt");
    struct Case {
        std::vector<std::string> arguments;
        std::string message;  // the start of the line after "auhost: "
    } cases[] = {
        {{"render", path("missing.txt"), out}, "cannot read " + path("missing.txt") + ": No such file or directory"},
        {{"render", path("folder.txt"), out}, "cannot read " + path("folder.txt") + ": it is a directory"},
        {{"render", path("unsorted.txt"), out}, path("unsorted.txt") + ":2: the sample time 0 is before"},
        {{"render", path("corrupt.mid"), path("out.mid")}, path("corrupt.mid") + " is not a readable MIDI file"},
        {{"render", path("address.txt"), out}, path("address.txt") + ":1: the unit has no parameter at address 7; its addresses are 0, 1"},
        {{"render", path("far.txt"), out}, path("far.txt") + " reaches sample 3810240001, beyond 24 hours at 44100 Hz"},
        {{"render", "--preset", "Loud", in, out}, "unknown preset \"Loud\"; the presets are \"None\", \"Ten Milliseconds\""},
        {{"render", "--set", "volume=3", in, out}, "unknown parameter \"volume\"; the parameters are shift, spare"},
        {{"render", "--set", "shift=1001", in, out}, "--set shift=1001: 1001 is outside the range 0...1000 of \"shift\""},
        {{"render", "--set", "shift=-1", in, out}, "--set shift=-1: -1 is outside the range"},
        {{"render", "--set", "shift=nan", in, out}, "--set shift=nan: nan is outside the range"},
        {{"render", "--set", "shift=ten", in, out}, "--set \"shift=ten\": \"ten\" is not a number"},
        {{"render", "--set", "shift", in, out}, "--set needs IDENTIFIER=VALUE"},
        {{"render", "--block", "0", in, out}, "--block 0 is outside 1...8192 frames"},
        {{"render", "--block", "-5", in, out}, "--block needs a whole number of frames"},
        {{"render", "--block", "4294967295", in, out}, "--block 4294967295 is outside 1...8192 frames"},
        {{"render", "--block", "99999999999999999999", in, out}, "--block 4294967295 is outside"},
        {{"render", "--block", "1000000000", in, out}, "--block 1000000000 is outside"},
        {{"render", "--sample-rate", "0", in, out}, "--sample-rate 0 is outside 8000...384000 Hz"},
        {{"render", "--sample-rate", "1e38", in, out}, "--sample-rate 1e+38 is outside"},
        {{"render", "--sample-rate", "1e39", in, out}, "--sample-rate 1e+39 is outside"},
        {{"render", "--sample-rate", "1e-300", in, out}, "--sample-rate 1e-300 is outside"},
        {{"render", "--sample-rate", "fast", in, out}, "--sample-rate needs a number"},
        {{"render", "--tempo", "0", in, out}, "--tempo 0 is outside 1...1000 beats per minute"},
        {{"render", "--tempo", "1e-20", in, out}, "--tempo 1e-20 is outside"},
        {{"render", "--start-beat", "1e300", in, out}, "--start-beat 1e+300 is outside -1000000...1000000"},
        {{"render", "--time-signature", "4/3", in, out}, "--time-signature needs N/D"},
        {{"render", "--time-signature", "0/4", in, out}, "--time-signature needs N/D"},
        {{"render", "--start-beat", "inf", in, out}, "--start-beat needs a number"},
        {{"render", "--loud", in, out}, "unknown option \"--loud\""},
        {{"render", "--" + std::string(100000, 'x'), in, out}, "unknown option \"--xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" (see"},
        {{"render", path("loud.txt"), out}, path("loud.txt") + ":1: param 0 1e+12: 1e+12 is outside the range 0...1000 of \"shift\""},
        {{"render", path("muted.txt"), out}, path("muted.txt") + ":2: param 1 nan: nan is outside the range 0...1 of \"spare\""},
        {{"render", path("spare.txt"), out}, path("spare.txt") + ":1: param 1 2: 2 is outside the range 0...1"},
        {{"render", in, in}, "OUTPUT " + in + " is INPUT " + in + "; writing it would lose the input"},
        {{"render", in, path("link.txt")}, "OUTPUT " + path("link.txt") + " is INPUT " + in},
        {{"render", "--preset"}, "--preset needs a value"},
        // An option is never the value of the one before it.
        {{"render", "--preset", "--bypass", in, out}, "--preset needs a value, not the option \"--bypass\""},
        {{"render", "--tempo", "--block", "64", in, out}, "--tempo needs a value, not the option \"--block\""},
        {{"render", in}, "render needs INPUT and OUTPUT"},
        {{"render", in, out, out}, "render needs INPUT and OUTPUT and nothing more"},
        {{"render", path("in.wav"), out}, "INPUT " + path("in.wav") + " must be a MIDI file (.mid) or an event list (.txt)"},
        {{"render", in, path("out.mid")}, "OUTPUT " + path("out.mid") + " must be an event list (.txt) when INPUT is one"},
        {{"render", path("in.mid"), out}, "OUTPUT " + out + " must be a MIDI file (.mid) when INPUT is one"},
        {{"render", in, path("folder.txt")}, "cannot write " + path("folder.txt") + ": Is a directory"},
        {{"render", in, path("nowhere/out.txt")}, "cannot write " + path("nowhere/out.txt") + ": No such file or directory"},
        {{"play", in}, "unknown command \"play\""},
        {{"params", "extra"}, "params takes no arguments"},
    };
    const auto before = files();
    for (const Case& c : cases) {
        std::string line;
        for (const auto& a : c.arguments) line += a + " ";
        SCOPED_TRACE(line);
        EXPECT_EQ(auhost(c.arguments), 2);
        const std::string message = err();
        EXPECT_EQ(message.rfind("auhost: " + c.message, 0), 0u) << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
        EXPECT_EQ(files(), before) << "an output or temporary file was left";
    }
}

TEST_F(BadInputs, AFailingUnitIsStatusOneAndWritesNothing) {
    write("in.txt", "0 90 3C 64\n");
    AudioToolbox::AUAudioUnit::failNextInitialisation(Foundation::NSError(Foundation::NSOSStatusErrorDomain, -10875, "no memory for the unit"));
    EXPECT_EQ(auhost({"render", path("in.txt"), path("out.txt")}), 1);
    EXPECT_EQ(err(), "auhost: the effect could not create its audio unit: no memory for the unit\n");
    EXPECT_FALSE(exists("out.txt"));
}

TEST_F(BadInputs, AnExistingOutputSurvivesAFailedRender) {
    write("in.txt", "5 90 3C 64\n1 80 3C 00\n");
    write("out.txt", "precious\n");
    EXPECT_EQ(auhost({"render", path("in.txt"), path("out.txt")}), 2);
    EXPECT_EQ(read("out.txt"), "precious\n");
}

TEST_F(BadInputs, AMessageAFileCannotHoldFailsTheRender) {
    AudioHost::MidiSong song;
    song.tracks.resize(1);
    song.tracks[0].add(0, std::vector<std::uint8_t>{0x90, 0x3C, 0x64});
    AudioHost::MidiFile::write(song, path("in.mid"));
    EXPECT_EQ(auhost({"render", "--set", "spare=1", path("in.mid"), path("out.mid")}), 1);
    EXPECT_EQ(err(), "auhost: the unit sent \"0 F8\", which is not a channel message a MIDI file can hold\n");
    EXPECT_FALSE(exists("out.mid"));
    // An event list carries it.
    write("in.txt", "0 90 3C 64\n");
    EXPECT_EQ(auhost({"render", "--set", "spare=1", path("in.txt"), path("out.txt")}), 0) << err();
    EXPECT_EQ(read("out.txt"), "0 F8\n0 90 3C 64\n");
}

// What a command prints is part of its work: a full or closed standard output fails it.
TEST_F(BadInputs, OutputThatCannotBeWrittenFailsTheCommand) {
    write("in.txt", "0 90 3C 64\n");
    struct Stream {
        const char* device;
        int flags;
        const char* why;
    };
    for (const Stream& s : {Stream{"/dev/full", O_WRONLY, "No space left on device"}, Stream{"/dev/null", O_RDONLY, "Bad file descriptor"}}) {
        for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
                 {"params"}, {"presets"}, {"--help"}, {"render", path("in.txt"), path("out.txt")}}) {
            SCOPED_TRACE(std::string(s.device) + " " + command[0]);
            const int fd = ::open(s.device, s.flags);
            ASSERT_GE(fd, 0);
            {
                AudioHost::FileDescriptorStream out(fd);
                err_.str({});
                EXPECT_EQ(AudioHost::AudioHostCommand(source_, out, err_).run(command), 2);
            }
            ::close(fd);
            EXPECT_EQ(err(), std::string("auhost: cannot write to standard output: ") + s.why + "\n");
        }
    }
}
