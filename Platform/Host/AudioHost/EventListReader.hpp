#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Host/AudioHost/HostEvent.hpp"

namespace AudioHost {

// Reads an event list file (see EventList) line by line, without holding it in memory.
class EventListReader {
public:
    // Throws BadInput "cannot read PATH: reason".
    explicit EventListReader(const std::string& path);
    ~EventListReader();
    EventListReader(const EventListReader&) = delete;
    EventListReader& operator=(const EventListReader&) = delete;

    // The next event; false at the end of the file. Throws BadInput "PATH:LINE: ..." for a bad line.
    bool next(HostEvent& event);
    // Throws BadInput "PATH:LINE: what" about the line of the event last read.
    [[noreturn]] void fail(const std::string& what) const;

    // Lines may be long, but not without end.
    static constexpr std::size_t longestLine = 1 << 20;

private:
    bool nextLine(std::string_view& line);

    std::string path_;
    int fd_;
    std::vector<char> buffer_;
    std::size_t position_ = 0, filled_ = 0;
    bool endOfFile_ = false;
    std::size_t lineNumber_ = 0;
    std::optional<AudioToolbox::AUEventSampleTime> previous_;
};

}  // namespace AudioHost
