#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Host/AudioHost/HostEvent.hpp"

namespace AudioHost {

// The text form of a list of events, one per line:
//   SAMPLE_TIME HH [HH [HH]]          a MIDI message, bytes as two-digit hex
//   SAMPLE_TIME param ADDRESS VALUE   a host parameter event
// '#' starts a comment; blank lines are skipped.
class EventList {
public:
    // Throws BadInput "NAME:LINE: what is wrong" for a malformed line, an invalid MIDI message,
    // a negative time or a time before the previous line's.
    static std::vector<HostEvent> parse(std::string_view text, const std::string& sourceName);
    // One line without its newline: false for a blank or comment line, else true and the event.
    // `previous` is the time of the event before it, if any. Throws as parse.
    static bool parseLine(std::string_view line, std::size_t lineNumber, const std::string& sourceName,
                          std::optional<AudioToolbox::AUEventSampleTime> previous, HostEvent& event);

    // Decimal times, upper-case hex bytes, values in their shortest exact form.
    static std::string format(const std::vector<HostEvent>& events);
    // One event's line, newline included, appended to `out`.
    static void appendLine(const HostEvent& event, std::string& out);
};

}  // namespace AudioHost
