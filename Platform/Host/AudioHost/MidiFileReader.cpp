#include "Host/AudioHost/MidiFileReader.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "Host/AudioHost/BadInput.hpp"

namespace AudioHost {

namespace {

constexpr std::size_t bufferSize = 1 << 16;

BadInput corrupt(const std::string& path, const std::string& why) {
    return BadInput(path + " is not a readable MIDI file: " + why);
}

std::uint32_t bigEndian(const std::uint8_t* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
    return v;
}

// Reads exactly `size` bytes at `offset`; false at the end of the file.
bool readAt(int fd, std::uint64_t offset, std::uint8_t* into, std::size_t size, const std::string& path) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, into + done, size - done, off_t(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw BadInput("cannot read " + path + ": " + std::strerror(errno));
        if (n == 0) return false;
        done += std::size_t(n);
    }
    return true;
}

std::shared_ptr<const int> open(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) throw BadInput("cannot read " + path + ": it is a directory");
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw BadInput("cannot read " + path + ": " + std::strerror(errno));
    return std::shared_ptr<const int>(new int(fd), [](const int* f) {
        ::close(*f);
        delete f;
    });
}

}  // namespace

MidiFileReader::MidiFileReader(const std::string& path) : path_(path), file_(open(path)) {
    struct stat info;
    if (::fstat(*file_, &info) != 0) throw BadInput("cannot read " + path + ": " + std::strerror(errno));
    const std::uint64_t size = std::uint64_t(info.st_size);

    std::uint8_t header[14];
    if (!readAt(*file_, 0, header, sizeof header, path) || std::memcmp(header, "MThd", 4) != 0)
        throw corrupt(path, "it has no MIDI file header");
    const std::uint64_t headerLength = bigEndian(header + 4, 4);
    // A longer header is a later revision's: its first six bytes mean what they always meant.
    if (headerLength < 6 || headerLength > size - 8) throw corrupt(path, "its header is damaged");
    format_ = int(bigEndian(header + 8, 2));
    if (format_ != 0 && format_ != 1)
        throw BadInput(path + " is a format " + std::to_string(format_) + " MIDI file; only formats 0 and 1 are supported");
    if (header[12] & 0x80) throw BadInput(path + " uses SMPTE timing; only ticks per quarter note are supported");
    ticksPerQuarterNote_ = int(bigEndian(header + 12, 2));
    if (ticksPerQuarterNote_ == 0) throw corrupt(path, "it has no ticks per quarter note");

    // The chunks: tracks are kept, others skipped. A few bytes after the last chunk that make
    // no chunk header are padding.
    const std::uint32_t declared = bigEndian(header + 10, 2);
    std::uint64_t position = 8 + headerLength;
    while (size - position >= 8) {
        std::uint8_t chunk[8];
        if (!readAt(*file_, position, chunk, sizeof chunk, path)) break;
        const std::uint64_t length = bigEndian(chunk + 4, 4);
        if (length > size - position - 8) {
            if (tracks_.size() == declared && std::memcmp(chunk, "MTrk", 4) != 0) break;  // trailing bytes
            throw corrupt(path, "a chunk runs past the end of the file (truncated?)");
        }
        if (std::memcmp(chunk, "MTrk", 4) == 0) tracks_.push_back({position + 8, length});
        position += 8 + length;
    }
    if (tracks_.size() != declared)
        throw corrupt(path, "the header declares " + std::to_string(declared) + " tracks, the file holds " +
                                std::to_string(tracks_.size()));
}

MidiFileReader::TrackCursor MidiFileReader::track(std::size_t index) const {
    const Chunk& c = tracks_.at(index);
    return TrackCursor(file_, path_, index + 1, c.offset, c.offset + c.length);
}

MidiFileReader::TrackCursor::TrackCursor(std::shared_ptr<const int> file, std::string path, std::size_t number,
                                         std::uint64_t begin, std::uint64_t end)
    : file_(std::move(file)), path_(std::move(path)), number_(number), next_(begin), end_(end) {}

void MidiFileReader::TrackCursor::fail(const std::string& why) const {
    throw corrupt(path_, "track " + std::to_string(number_) + ": " + why);
}

bool MidiFileReader::TrackCursor::refill(std::size_t count) {
    const std::uint64_t left = end_ - next_;
    if (filled_ - position_ + left < count) return false;
    // Keep what is unread, then read on: a buffer's worth, or the whole of a longer event.
    filled_ -= position_;
    if (filled_ > 0) std::memmove(buffer_.data(), buffer_.data() + position_, filled_);
    position_ = 0;
    const std::size_t want = std::size_t(std::min<std::uint64_t>(left, std::max(bufferSize, count) - filled_));
    if (buffer_.size() < filled_ + want) buffer_.resize(filled_ + want);
    if (!readAt(*file_, next_, buffer_.data() + filled_, want, path_)) fail("the file ended while it was read");
    filled_ += want;
    next_ += want;
    return true;
}

std::size_t MidiFileReader::TrackCursor::bufferedUpTo(std::size_t count) {
    const std::size_t have = std::size_t(std::min<std::uint64_t>(count, filled_ - position_ + (end_ - next_)));
    ensure(have);
    return have;
}

std::uint32_t MidiFileReader::TrackCursor::variableLength(const char* what) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        if (!ensure(1)) fail(std::string(what) + " runs past the end of its track");
        const std::uint8_t b = take();
        value = (value << 7) | (b & 0x7F);
        if (!(b & 0x80)) return value;
    }
    fail(std::string(what) + " is longer than four bytes");
}

bool MidiFileReader::TrackCursor::next(MidiEvent& event) {
    if (ended_) return false;
    if (!ensure(1)) {  // no end marker: the track ends with its chunk
        ended_ = true;
        return false;
    }
    tick_ += variableLength("an event time");
    if (!ensure(1)) fail("a track ends after an event time");
    const std::uint8_t first = buffer_[position_];

    if (first == 0xFF) {
        // FF type length data, kept whole: the length is read in place, so the bytes stay together.
        const std::size_t available = bufferedUpTo(6);
        std::size_t headerLength = 2;
        std::uint32_t length = 0;
        for (int i = 0;; ++i) {
            if (i == 4) fail("an event's length is longer than four bytes");
            if (headerLength >= available) fail("an event runs past the end of its track");
            const std::uint8_t b = buffer_[position_ + headerLength++];
            length = (length << 7) | (b & 0x7F);
            if (!(b & 0x80)) break;
        }
        if (!ensure(headerLength + length)) fail("an event runs past the end of its track");
        event = {tick_, {buffer_.data() + position_, headerLength + length}};
        position_ += headerLength + length;
        if (event.bytes[1] == 0x2F) {
            ended_ = true;
            if (ensure(1)) fail("a track goes on after its end marker");
            return false;
        }
        return true;
    }
    if (first == 0xF0 || first == 0xF7) {
        // A system exclusive packet or an escape: the byte and what follows the length.
        ++position_;
        const std::uint32_t length = variableLength("an event's length");
        if (!ensure(length)) fail("an event runs past the end of its track");
        message_.assign(1, first);
        message_.insert(message_.end(), buffer_.data() + position_, buffer_.data() + position_ + length);
        position_ += length;
        event = {tick_, message_};
        return true;
    }
    if (first > 0xF0) fail("a track holds a system message, which a file cannot hold");

    std::uint8_t status = runningStatus_;
    if (first & 0x80) {
        status = first;
        ++position_;
    }
    if (!status) fail("a data byte stands where an event should start");
    runningStatus_ = status;
    const std::size_t data = (status & 0xE0) == 0xC0 ? 1 : 2;
    if (!ensure(data)) fail("a message runs past the end of its track");
    channelMessage_[0] = status;
    for (std::size_t i = 1; i <= data; ++i) {
        channelMessage_[i] = take();
        if (channelMessage_[i] & 0x80) fail("a message is missing data bytes");
    }
    event = {tick_, {channelMessage_, data + 1}};
    return true;
}

}  // namespace AudioHost
