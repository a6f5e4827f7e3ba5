#include "Host/AudioHost/MidiFileWriter.hpp"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "Host/AudioHost/BadInput.hpp"

namespace AudioHost {

namespace {

// Whether a file can hold the message as it stands: a channel message of the right length,
// system exclusive, or a complete meta event.
bool storable(std::span<const std::uint8_t> b) {
    if (b.empty()) return false;
    if (b[0] >= 0x80 && b[0] < 0xF0) {
        const std::size_t length = (b[0] & 0xE0) == 0xC0 ? 2 : 3;
        if (b.size() != length) return false;
        for (std::size_t i = 1; i < b.size(); ++i)
            if (b[i] >= 0x80) return false;
        return true;
    }
    if (b[0] == 0xF0 || b[0] == 0xF7) return b.size() - 1 <= std::size_t(0x0FFFFFFF);
    if (b[0] == 0xFF && b.size() >= 3) {
        // FF type length data: the length must say what follows.
        std::size_t pos = 2;
        std::uint64_t length = 0;
        while (pos < b.size() && pos < 6 && (b[pos] & 0x80)) length = (length << 7) | (b[pos++] & 0x7F);
        if (pos == b.size() || pos == 6) return false;
        length = (length << 7) | b[pos++];
        return b.size() - pos == length;
    }
    return false;
}

constexpr std::uint8_t emptyText[] = {0xFF, 0x01, 0x00};

}  // namespace

MidiFileWriter::MidiFileWriter(const std::string& file, std::string shownPath, int format, int ticksPerQuarterNote,
                               std::size_t tracks)
    : file_(std::fopen(file.c_str(), "wb")), shown_(std::move(shownPath)), tracksLeft_(tracks) {
    if (tracks > 0xFFFF) throw BadInput("cannot write " + shown_ + ": a MIDI file holds at most 65535 tracks");
    if (!file_) fail();
    seekable_ = ::lseek(::fileno(file_), 0, SEEK_CUR) >= 0;
    buffer_.reserve(1 << 16);
    putBytes(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>("MThd\0\0\0\6"), 8));
    const unsigned shownFormat = tracks > 1 ? 1 : unsigned(format);
    const std::uint8_t header[] = {0, std::uint8_t(shownFormat), std::uint8_t(tracks >> 8), std::uint8_t(tracks),
                                   std::uint8_t((ticksPerQuarterNote >> 8) & 0x7F), std::uint8_t(ticksPerQuarterNote)};
    putBytes(header);
}

MidiFileWriter::~MidiFileWriter() {
    if (file_) std::fclose(file_);
}

void MidiFileWriter::fail() const { throw BadInput("cannot write " + shown_ + ": " + std::strerror(errno)); }

void MidiFileWriter::flush() {
    // A file that cannot seek back to a track's length (a pipe) gets each track whole.
    if (!seekable_ && trackStart_ >= 0) return;
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) fail();
    flushed_ += std::int64_t(buffer_.size());
    buffer_.clear();
}

void MidiFileWriter::putBytes(std::span<const std::uint8_t> bytes) {
    if (buffer_.capacity() - buffer_.size() < bytes.size()) {
        flush();
        if (bytes.size() > buffer_.capacity() && (seekable_ || trackStart_ < 0)) {  // a long system exclusive message: straight through
            if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) fail();
            flushed_ += std::int64_t(bytes.size());
            return;
        }
    }
    if (bytes.size() <= 4) {  // most events: no call into the library for a few bytes
        for (std::uint8_t b : bytes) buffer_.push_back(b);
    } else {
        buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    }
}

void MidiFileWriter::putVariableLength(std::uint32_t value) {
    std::uint8_t bytes[5];
    int n = 0;
    bytes[n++] = std::uint8_t(value & 0x7F);
    while (value >>= 7) bytes[n++] = std::uint8_t(0x80 | (value & 0x7F));
    while (n) put(bytes[--n]);
}

void MidiFileWriter::advanceTo(std::int64_t tick) {
    if (tick < now_) throw std::logic_error("track events out of tick order");
    while (tick - now_ > longestDelta) {
        putVariableLength(std::uint32_t(longestDelta));
        putBytes(emptyText);
        now_ += longestDelta;
    }
    putVariableLength(std::uint32_t(tick - now_));
    now_ = tick;
}

void MidiFileWriter::beginTrack() {
    if (tracksLeft_ == 0 || trackStart_ >= 0) throw std::logic_error("a track begun out of turn");
    trackStart_ = flushed_ + std::int64_t(buffer_.size());
    putBytes(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>("MTrk\0\0\0\0"), 8));
    now_ = 0;
    ++trackNumber_;
}

void MidiFileWriter::add(std::int64_t tick, std::span<const std::uint8_t> bytes) {
    if (!storable(bytes))
        throw BadInput("cannot write " + shown_ + ": track " + std::to_string(trackNumber_) +
                       " holds a message a MIDI file cannot store at tick " + std::to_string(tick));
    advanceTo(tick);
    if (bytes[0] == 0xF0 || bytes[0] == 0xF7) {
        put(bytes[0]);
        putVariableLength(std::uint32_t(bytes.size() - 1));
        putBytes(bytes.subspan(1));
    } else {
        putBytes(bytes);
    }
}

void MidiFileWriter::endTrack(std::int64_t endTick) {
    advanceTo(std::max(endTick, now_));
    putBytes(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>("\xFF\x2F\0"), 3));
    const std::int64_t end = flushed_ + std::int64_t(buffer_.size());
    const std::uint64_t length = std::uint64_t(end - trackStart_ - 8);
    if (length > 0xFFFFFFFFu) {
        errno = EFBIG;
        fail();
    }
    const std::uint8_t bytes[] = {std::uint8_t(length >> 24), std::uint8_t(length >> 16), std::uint8_t(length >> 8),
                                  std::uint8_t(length)};
    if (trackStart_ >= flushed_) {
        std::copy(std::begin(bytes), std::end(bytes), buffer_.begin() + (trackStart_ + 4 - flushed_));
    } else {
        flush();
        if (fseeko(file_, off_t(trackStart_ + 4), SEEK_SET) != 0 || std::fwrite(bytes, 1, 4, file_) != 4 ||
            fseeko(file_, off_t(end), SEEK_SET) != 0)
            fail();
    }
    trackStart_ = -1;
    --tracksLeft_;
}

void MidiFileWriter::finish() {
    if (tracksLeft_ != 0 || trackStart_ >= 0) throw std::logic_error("a MIDI file finished before all its tracks");
    flush();
    std::FILE* file = std::exchange(file_, nullptr);
    const bool flushed = std::fflush(file) == 0;
    const int error = errno;
    if (std::fclose(file) != 0 || !flushed) {
        errno = flushed ? errno : error;
        fail();
    }
}

}  // namespace AudioHost
