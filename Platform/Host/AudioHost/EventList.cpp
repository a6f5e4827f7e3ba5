#include "Host/AudioHost/EventList.hpp"

#include <charconv>
#include <cstdio>

#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/FloatText.hpp"
#include "Host/AudioHost/QuotedText.hpp"
#include "Foundation/NumberText.hpp"

namespace AudioHost {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Splits a line (comment already cut) into at most `max` tokens; returns how many it found,
// or max + 1 when there are more.
std::size_t tokenize(std::string_view line, std::string_view* tokens, std::size_t max) {
    std::size_t count = 0, i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        if (i == line.size()) break;
        std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (count == max) return max + 1;
        tokens[count++] = line.substr(start, i - start);
    }
    return count;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool EventList::parseLine(std::string_view line, std::size_t lineNumber, const std::string& sourceName,
                          std::optional<AudioToolbox::AUEventSampleTime> previous, HostEvent& event) {
    if (std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    auto fail = [&](const std::string& what) -> BadInput {
        return BadInput(sourceName + ":" + std::to_string(lineNumber) + ": " + what);
    };
    std::string_view tok[5];
    const std::size_t n = tokenize(line, tok, 4);
    if (n == 0) return false;

    AudioToolbox::AUEventSampleTime time = 0;
    auto [timeEnd, timeError] = std::from_chars(tok[0].data(), tok[0].data() + tok[0].size(), time);
    if (timeError != std::errc() || timeEnd != tok[0].data() + tok[0].size())
        throw fail("the sample time " + quotedText(tok[0]) + " is not a whole decimal number");
    if (time < 0) throw fail("the sample time " + std::to_string(time) + " is negative");
    if (previous && time < *previous)
        throw fail("the sample time " + std::to_string(time) + " is before the previous event's " + std::to_string(*previous) +
                   " (events must be in time order)");
    if (n == 1) throw fail("an event needs MIDI bytes or \"param ADDRESS VALUE\" after its time");

    if (tok[1] == "param") {
        if (n != 4) throw fail("a parameter event is \"SAMPLE_TIME param ADDRESS VALUE\"");
        AudioToolbox::AUParameterAddress address = 0;
        auto [addrEnd, addrError] = std::from_chars(tok[2].data(), tok[2].data() + tok[2].size(), address);
        if (addrError != std::errc() || addrEnd != tok[2].data() + tok[2].size())
            throw fail("the parameter address " + quotedText(tok[2]) + " is not a whole decimal number");
        auto value = Foundation::NumberText::parseFloat(tok[3]);
        if (!value) throw fail("the parameter value " + quotedText(tok[3]) + " is not a number");
        event = HostEvent::parameter(time, address, *value);
        return true;
    }
    if (n > 4) throw fail("a MIDI event has at most three bytes");
    HostEvent e;
    e.sampleTime = time;
    e.length = std::uint8_t(n - 1);
    for (std::size_t b = 1; b < n; ++b) {
        const int hi = tok[b].size() == 2 ? hexDigit(tok[b][0]) : -1;
        const int lo = tok[b].size() == 2 ? hexDigit(tok[b][1]) : -1;
        if (hi < 0 || lo < 0) throw fail("the MIDI byte " + quotedText(tok[b]) + " is not two hex digits");
        e.bytes[b - 1] = std::uint8_t(hi * 16 + lo);
    }
    const int expected = midiMessageLength(e.bytes[0]);
    char status[8];
    std::snprintf(status, sizeof status, "%02X", e.bytes[0]);
    if (expected == 0) throw fail(std::string("the status byte ") + status + " starts no short MIDI message");
    if (expected != e.length)
        throw fail(std::string("a message with status ") + status + " has " + std::to_string(expected) +
                   (expected == 1 ? " byte" : " bytes") + ", not " + std::to_string(e.length));
    for (int b = 1; b < e.length; ++b)
        if (e.bytes[b] >= 0x80) {
            std::snprintf(status, sizeof status, "%02X", e.bytes[b]);
            throw fail(std::string("the data byte ") + status + " is above 7F");
        }
    event = e;
    return true;
}

std::vector<HostEvent> EventList::parse(std::string_view text, const std::string& sourceName) {
    std::vector<HostEvent> events;
    events.reserve(text.size() / 12);
    std::size_t lineNumber = 0, pos = 0;
    std::optional<AudioToolbox::AUEventSampleTime> previous;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        HostEvent e;
        if (parseLine(text.substr(pos, end - pos), ++lineNumber, sourceName, previous, e)) {
            events.push_back(e);
            previous = e.sampleTime;
        }
        pos = end + 1;
    }
    return events;
}

std::string EventList::format(const std::vector<HostEvent>& events) {
    std::string out;
    out.reserve(events.size() * 20);
    for (const HostEvent& e : events) appendLine(e, out);
    return out;
}

void EventList::appendLine(const HostEvent& e, std::string& out) {
    char line[96];
    if (e.kind == HostEvent::Kind::parameter) {
        const int len = std::snprintf(line, sizeof line, "%lld param %llu ", static_cast<long long>(e.sampleTime),
                                      static_cast<unsigned long long>(e.address));
        out.append(line, std::size_t(len));
        out += floatText(e.value);
        out += '\n';
        return;
    }
    auto [p, ec] = std::to_chars(line, line + 32, static_cast<long long>(e.sampleTime));
    (void)ec;
    static constexpr char hex[] = "0123456789ABCDEF";
    for (int b = 0; b < e.length && b < 3; ++b) {
        *p++ = ' ';
        *p++ = hex[e.bytes[b] >> 4];
        *p++ = hex[e.bytes[b] & 15];
    }
    *p++ = '\n';
    out.append(line, std::size_t(p - line));
}

}  // namespace AudioHost
