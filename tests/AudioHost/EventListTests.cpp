#include <gtest/gtest.h>

#include <algorithm>

#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/EventList.hpp"
#include "HostFixture.hpp"
#include "TestSupport/Mutator.hpp"

using AudioHost::BadInput;
using AudioHost::EventList;
using AudioHost::HostEvent;

TEST(EventList, ParsesMidiParametersAndComments) {
    const auto events = EventList::parse(
        "# a comment line\n"
        "0 90 3C 64   # note on\n"
        "\n"
        "  10\tC0 05\n"
        "10 param 38 4\n"
        "11 param 0 12.5\r\n"
        "20 80 3c 00",
        "in.txt");
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].sampleTime, 0);
    EXPECT_EQ(events[0].length, 3);
    EXPECT_EQ(events[0].bytes[0], 0x90);
    EXPECT_EQ(events[0].bytes[2], 0x64);
    EXPECT_EQ(events[1].length, 2);
    EXPECT_EQ(events[1].bytes[1], 5);
    EXPECT_EQ(events[2].kind, HostEvent::Kind::parameter);
    EXPECT_EQ(events[2].address, 38u);
    EXPECT_EQ(events[2].value, 4.0f);
    EXPECT_EQ(events[3].value, 12.5f);
    EXPECT_EQ(events[4].bytes[1], 0x3C);
}

TEST(EventList, FormatsUpperCaseHexAndReadsBack) {
    const std::vector<HostEvent> events = {HostEvent::midi(0, 0x90, 0x3c, 0x7f), HostEvent::midi(5, 0xC1, 0x0a, 0, 2),
                                           HostEvent::parameter(7, 2, 0.1f), HostEvent::midi(1234567890123, 0xF8, 0, 0, 1)};
    const std::string text = EventList::format(events);
    EXPECT_EQ(text, "0 90 3C 7F\n5 C1 0A\n7 param 2 0.1\n1234567890123 F8\n");
    const auto back = EventList::parse(text, "x");
    ASSERT_EQ(back.size(), events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(back[i].sampleTime, events[i].sampleTime);
        EXPECT_EQ(back[i].kind, events[i].kind);
        EXPECT_EQ(back[i].value, events[i].value);
        EXPECT_EQ(std::string(back[i].bytes, back[i].bytes + 3), std::string(events[i].bytes, events[i].bytes + 3));
    }
}

TEST(EventList, BadLinesNameTheLineAndTheFault) {
    struct Case { const char* text; const char* message; } cases[] = {
        {"0 90 3C 64\n10 80 3C 00\n5 90 3C 64\n", "in.txt:3: the sample time 5 is before the previous event's 10"},
        {"-1 90 3C 64\n", "in.txt:1: the sample time -1 is negative"},
        {"x 90 3C 64\n", "in.txt:1: the sample time \"x\" is not a whole decimal number"},
        {"1.5 90 3C 64\n", "in.txt:1: the sample time \"1.5\""},
        {"0\n", "in.txt:1: an event needs MIDI bytes"},
        {"0 9 3C 64\n", "in.txt:1: the MIDI byte \"9\" is not two hex digits"},
        {"0 90 3G 64\n", "in.txt:1: the MIDI byte \"3G\""},
        {"0 90 3C\n", "in.txt:1: a message with status 90 has 3 bytes, not 2"},
        {"0 C0 01 02\n", "in.txt:1: a message with status C0 has 2 bytes, not 3"},
        {"0 3C 64\n", "in.txt:1: the status byte 3C starts no short MIDI message"},
        {"0 F0 01 F7\n", "in.txt:1: the status byte F0"},
        {"0 90 3C 80\n", "in.txt:1: the data byte 80 is above 7F"},
        {"0 90 3C 64 00\n", "in.txt:1: a MIDI event has at most three bytes"},
        {"0 param 1\n", "in.txt:1: a parameter event is"},
        {"0 param -1 4\n", "in.txt:1: the parameter address \"-1\""},
        {"0 param 1 four\n", "in.txt:1: the parameter value \"four\" is not a number"},
    };
    for (const Case& c : cases) {
        try {
            EventList::parse(c.text, "in.txt");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const BadInput& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
            EXPECT_EQ(std::string(error.what()).find('\n'), std::string::npos);
        }
    }
}

// Fuzzing: damaged event lists parse, and then format and parse back to the same events, or are
// refused with one line that quotes no control bytes. What parses also renders through a unit
// that moves notes past other events, or is refused on one line, and the render reads back as
// an event list.
class DamagedEventLists : public AudioHostTests::HostFixture {};

TEST_F(DamagedEventLists, ParseAndRenderOrAreRefusedOnOneLine) {
    const std::vector<std::string> seeds = {
        "0 90 3C 64\n10 80 3C 00\n",
        "# a song\n0 param 0 12.5\n5 B0 07 7F  # volume\n5 C0 05\n1000 F8\n1000 90 40 40\r\n",
        "0 E0 00 40\n3 param 38 4\n7 D0 30\n",
        "0 90 3C 64\n10 B0 07 7F\n20 80 3C 00\n30 C0 05\n900 90 40 40\n"};
    TestSupport::Mutator mutator(seeds, {"param", "90", "3C", "#", "\n", "-1", "nan", "1e9999", "99999999999999999999", "\x01"});
    const auto oneCleanLine = [](const std::string& message) {
        return std::count(message.begin(), message.end(), '\n') <= 1 &&
               std::none_of(message.begin(), message.end(), [](char c) { return c != '\n' && static_cast<unsigned char>(c) < 0x20; });
    };
    int rendered = 0;
    for (int input = 0; input < 3000; ++input) {
        const std::string text = mutator.next();
        std::vector<HostEvent> events;
        try {
            events = EventList::parse(text, "in.txt");
        } catch (const BadInput& error) {
            EXPECT_TRUE(oneCleanLine(error.what())) << error.what();
            continue;
        }
        const auto back = EventList::parse(EventList::format(events), "again.txt");
        ASSERT_EQ(back.size(), events.size()) << text;
        for (std::size_t i = 0; i < events.size(); ++i) EXPECT_EQ(EventList::format({back[i]}), EventList::format({events[i]})) << text;

        // Songs of a few seconds at most: a render's time goes with its length.
        if (!events.empty() && events.back().sampleTime > 1000000) continue;
        write("in.txt", text);
        const int status = auhost({"render", "--set", "shift=700", "--block", "64", path("in.txt"), path("out.txt")});
        if (status != 0) {
            EXPECT_EQ(status, 2) << text << "\n" << err();
            EXPECT_EQ(err().rfind("auhost: ", 0), 0u) << err();
            EXPECT_TRUE(oneCleanLine(err())) << err();
            continue;
        }
        ++rendered;
        try {
            EventList::parse(read("out.txt"), "out.txt");
        } catch (const BadInput& error) {
            ADD_FAILURE() << error.what() << "\nrendering\n" << text << "\nas\n" << read("out.txt");
        }
    }
    EXPECT_GT(rendered, 150) << "damaged lists that still render";
}
