#include "Host/AudioHost/EventListReader.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/EventList.hpp"

namespace AudioHost {

EventListReader::EventListReader(const std::string& path) : path_(path), buffer_(1 << 16) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) throw BadInput("cannot read " + path + ": it is a directory");
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw BadInput("cannot read " + path + ": " + std::strerror(errno));
}

EventListReader::~EventListReader() { ::close(fd_); }

void EventListReader::fail(const std::string& what) const {
    throw BadInput(path_ + ":" + std::to_string(lineNumber_) + ": " + what);
}

bool EventListReader::nextLine(std::string_view& line) {
    for (std::size_t searched = position_;;) {
        const void* newline = std::memchr(buffer_.data() + searched, '\n', filled_ - searched);
        if (newline || (endOfFile_ && position_ < filled_)) {
            const std::size_t end = newline ? std::size_t(static_cast<const char*>(newline) - buffer_.data()) : filled_;
            line = std::string_view(buffer_.data() + position_, end - position_);
            position_ = newline ? end + 1 : end;
            ++lineNumber_;
            return true;
        }
        if (endOfFile_) return false;
        // Keep the unfinished line and read on.
        filled_ -= position_;
        std::memmove(buffer_.data(), buffer_.data() + position_, filled_);
        position_ = 0;
        searched = filled_;
        if (filled_ == buffer_.size()) {
            if (buffer_.size() >= longestLine) {
                ++lineNumber_;
                fail("the line is longer than " + std::to_string(longestLine) + " bytes");
            }
            buffer_.resize(buffer_.size() * 2);
        }
        const ssize_t n = ::read(fd_, buffer_.data() + filled_, buffer_.size() - filled_);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw BadInput("cannot read " + path_ + ": " + std::strerror(errno));
        if (n == 0) endOfFile_ = true;
        filled_ += std::size_t(n);
    }
}

bool EventListReader::next(HostEvent& event) {
    std::string_view line;
    while (nextLine(line))
        if (EventList::parseLine(line, lineNumber_, path_, previous_, event)) {
            previous_ = event.sampleTime;
            return true;
        }
    return false;
}

}  // namespace AudioHost
