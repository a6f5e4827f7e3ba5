#include "Host/AudioHost/MidiFile.hpp"

#include <smf.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#include <stdexcept>

#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/InputFile.hpp"

namespace AudioHost {

void MidiTrack::add(std::int64_t tick, std::span<const std::uint8_t> bytes) {
    events_.push_back({tick, std::uint32_t(data_.size()), std::uint32_t(bytes.size())});
    data_.insert(data_.end(), bytes.begin(), bytes.end());
    if (tick > endTick_) endTick_ = tick;
}

namespace {

// libsmf reports through the log; keep its first complaint for our one-line message instead
// of letting it print.
class SmfLogCapture {
public:
    SmfLogCapture() {
        id_ = g_log_set_handler("libsmf", GLogLevelFlags(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION),
                                &SmfLogCapture::handle, this);
    }
    ~SmfLogCapture() { g_log_remove_handler("libsmf", id_); }
    SmfLogCapture(const SmfLogCapture&) = delete;
    SmfLogCapture& operator=(const SmfLogCapture&) = delete;

    bool complained() const { return !first_.empty(); }
    std::string reason(const char* fallback) const {
        std::string r = first_.empty() ? fallback : first_;
        for (const char* prefix : {"SMF error: ", "SMF warning: "})
            if (r.rfind(prefix, 0) == 0) r.erase(0, std::strlen(prefix));
        while (!r.empty() && (r.back() == '.' || r.back() == '\n')) r.pop_back();
        return r;
    }

private:
    static void handle(const gchar*, GLogLevelFlags level, const gchar* message, gpointer self) {
        auto* capture = static_cast<SmfLogCapture*>(self);
        const bool serious = level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING);
        if (serious && capture->first_.empty() && message) capture->first_ = message;
    }
    guint id_ = 0;
    std::string first_;
};

// smf_delete takes each event out of its track one at a time, which costs time quadratic in
// the track's length (minutes for a long song). The events are plain records with a malloc'd
// message buffer, so free them in one pass and leave smf_delete only empty tracks.
struct SmfDeleter {
    void operator()(smf_t* smf) const {
        for (int t = 1; t <= smf->number_of_tracks; ++t) {
            smf_track_t* track = smf_get_track_by_number(smf, t);
            if (!track || !track->events_array) continue;
            for (guint i = 0; i < track->events_array->len; ++i) {
                auto* event = static_cast<smf_event_t*>(g_ptr_array_index(track->events_array, i));
                std::free(event->midi_buffer);
                std::free(event);
            }
            g_ptr_array_set_size(track->events_array, 0);
            track->number_of_events = 0;
        }
        smf_delete(smf);
    }
};
using SmfPointer = std::unique_ptr<smf_t, SmfDeleter>;

}  // namespace

namespace {

std::uint32_t bigEndian(const unsigned char* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
    return v;
}

// Walks one track's events by the file format's grammar. Sysex and meta events cancel running
// status, as the format says; libsmf does not cancel it and then fails an assertion, so such a
// track never reaches it. Returns what is wrong, or nothing.
std::string trackFault(std::span<const unsigned char> t) {
    std::size_t p = 0;
    unsigned char running = 0;
    auto variableLength = [&](std::uint64_t& value) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            if (p >= t.size()) return false;
            const unsigned char b = t[p++];
            value = (value << 7) | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    };
    while (p < t.size()) {
        std::uint64_t delta = 0, length = 0;
        if (!variableLength(delta)) return "an event time runs past the end of its track";
        if (p >= t.size()) return "a track ends after an event time";
        const unsigned char first = t[p];
        if (first == 0xFF || first == 0xF0 || first == 0xF7) {
            const bool endOfTrack = first == 0xFF && p + 1 < t.size() && t[p + 1] == 0x2F;
            p += first == 0xFF ? 2 : 1;
            if (p > t.size() || !variableLength(length) || length > t.size() - p) return "an event runs past the end of its track";
            p += std::size_t(length);
            running = 0;
            if (endOfTrack) return p == t.size() ? std::string() : "a track goes on after its end marker";
            continue;
        }
        if (first > 0xF0) return "a track holds a system message, which a file cannot hold";
        unsigned char status = running;
        if (first & 0x80) {
            status = first;
            ++p;
        }
        if (!status) return "a data byte stands where an event should start";
        running = status;
        const std::size_t data = (status & 0xE0) == 0xC0 ? 1 : 2;
        if (data > t.size() - p) return "a message runs past the end of its track";
        for (std::size_t i = 0; i < data; ++i)
            if (t[p + i] & 0x80) return "a message is missing data bytes";
        p += data;
    }
    return "a track has no end marker";
}

// The file's layout, checked before libsmf sees it: libsmf trusts chunk lengths and event
// lengths, reading past the end of its buffer or failing an assertion when one is wrong.
void checkLayout(const std::string& file, const std::string& path) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    const std::span<const unsigned char> d(bytes, file.size());
    auto corrupt = [&](const std::string& why) { return BadInput(path + " is not a readable MIDI file: " + why); };
    if (d.size() < 14 || std::memcmp(d.data(), "MThd", 4) != 0) throw corrupt("it has no MIDI file header");
    if (bigEndian(d.data() + 4, 4) != 6) throw corrupt("its header is damaged");
    const std::uint32_t format = bigEndian(d.data() + 8, 2);
    if (format != 0 && format != 1)
        throw BadInput(path + " is a format " + std::to_string(format) + " MIDI file; only formats 0 and 1 are supported");
    if (d[12] & 0x80) throw BadInput(path + " uses SMPTE timing; only ticks per quarter note are supported");
    if (bigEndian(d.data() + 12, 2) == 0) throw corrupt("it has no ticks per quarter note");

    const std::uint32_t declared = bigEndian(d.data() + 10, 2);
    std::uint32_t tracks = 0;
    std::size_t pos = 14;
    while (pos < d.size()) {
        if (d.size() - pos < 8) {
            if (tracks == declared) break;  // a few stray bytes after the last track
            throw corrupt("it ends inside a chunk header");
        }
        const std::uint32_t length = bigEndian(d.data() + pos + 4, 4);
        if (length > d.size() - pos - 8) throw corrupt("a chunk runs past the end of the file (truncated?)");
        if (std::memcmp(d.data() + pos, "MTrk", 4) == 0) {
            ++tracks;
            const std::string fault = trackFault(d.subspan(pos + 8, length));
            if (!fault.empty()) throw corrupt("track " + std::to_string(tracks) + ": " + fault);
        }
        pos += 8 + length;
    }
    if (tracks != declared)
        throw corrupt("the header declares " + std::to_string(declared) + " tracks, the file holds " + std::to_string(tracks));
}

}  // namespace

MidiSong MidiFile::read(const std::string& path) {
    const std::string data = InputFile::read(path);
    if (data.size() > std::size_t(INT32_MAX)) throw BadInput(path + " is too large for a MIDI file");
    checkLayout(data, path);

    // libsmf reads past damage inside a track (it truncates the track and goes on); a file it
    // had to complain about is refused rather than half read.
    SmfLogCapture log;
    SmfPointer smf(smf_load_from_memory(data.data(), int(data.size())));
    if (!smf || log.complained())
        throw BadInput(path + " is not a readable MIDI file: " + log.reason("the file is corrupt"));
    if (smf->ppqn <= 0) throw BadInput(path + " has no ticks per quarter note");

    MidiSong song;
    song.format = smf->format;
    song.ticksPerQuarterNote = smf->ppqn;
    song.tracks.resize(std::size_t(smf->number_of_tracks));
    for (int t = 1; t <= smf->number_of_tracks; ++t) {
        smf_track_t* track = smf_get_track_by_number(smf.get(), t);
        MidiTrack& out = song.tracks[std::size_t(t - 1)];
        if (!track) continue;
        out.reserve(std::size_t(track->number_of_events), std::size_t(track->number_of_events) * 3);
        for (int e = 1; e <= track->number_of_events; ++e) {
            smf_event_t* event = smf_track_get_event_by_number(track, e);
            if (!event || event->midi_buffer_length <= 0) continue;
            if (smf_event_is_eot(event)) {
                if (event->time_pulses > out.endTick()) out.setEndTick(event->time_pulses);
                continue;
            }
            out.add(event->time_pulses, {event->midi_buffer, std::size_t(event->midi_buffer_length)});
        }
    }
    return song;
}

namespace {

void putVariableLength(std::string& out, std::uint64_t value) {
    char bytes[10];
    int n = 0;
    bytes[n++] = char(value & 0x7F);
    while (value >>= 7) bytes[n++] = char(0x80 | (value & 0x7F));
    while (n) out += bytes[--n];
}

void putBigEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int b = bytes - 1; b >= 0; --b) out += char((value >> (8 * b)) & 0xFF);
}

// Whether a file can hold the message as it stands: a channel message of the right length,
// a complete meta event, or system exclusive.
bool storable(std::span<const std::uint8_t> b) {
    if (b.empty()) return false;
    if (b[0] >= 0x80 && b[0] < 0xF0) {
        const std::size_t length = (b[0] & 0xE0) == 0xC0 ? 2 : 3;
        if (b.size() != length) return false;
        for (std::size_t i = 1; i < b.size(); ++i)
            if (b[i] >= 0x80) return false;
        return true;
    }
    if (b[0] == 0xF0 || b[0] == 0xF7) return true;
    if (b[0] == 0xFF && b.size() >= 3) {
        // FF type length data: the length must say what follows.
        std::size_t pos = 2;
        std::uint64_t length = 0;
        while (pos < b.size() && (b[pos] & 0x80)) length = (length << 7) | (b[pos++] & 0x7F);
        if (pos == b.size()) return false;
        length = (length << 7) | b[pos++];
        return b.size() - pos == length;
    }
    return false;
}

}  // namespace

// Written here rather than with smf_save: Debian's libsmf checks every file it saves by loading
// it again and freeing that copy event by event, which is quadratic in the length of a track
// (seconds for a long song). Files written here read back through libsmf in the tests.
void MidiFile::write(const MidiSong& song, const std::string& path) {
    std::string out;
    std::size_t estimate = 14;
    for (const MidiTrack& t : song.tracks) estimate += 12 + t.size() * 5;
    out.reserve(estimate);
    out += "MThd";
    putBigEndian(out, 6, 4);
    putBigEndian(out, std::uint32_t(song.tracks.size() > 1 ? 1 : song.format), 2);
    putBigEndian(out, std::uint32_t(song.tracks.size()), 2);
    putBigEndian(out, std::uint32_t(song.ticksPerQuarterNote) & 0x7FFF, 2);

    for (std::size_t t = 0; t < song.tracks.size(); ++t) {
        const MidiTrack& track = song.tracks[t];
        out += "MTrk";
        const std::size_t lengthAt = out.size();
        putBigEndian(out, 0, 4);
        std::int64_t now = 0;
        for (std::size_t i = 0; i < track.size(); ++i) {
            auto b = track.bytes(i);
            if (track.tick(i) < now) throw std::logic_error("track events out of tick order");
            if (!storable(b))
                throw BadInput("cannot write " + path + ": track " + std::to_string(t + 1) + " holds a message a MIDI file cannot store at tick " +
                               std::to_string(track.tick(i)));
            putVariableLength(out, std::uint64_t(track.tick(i) - now));
            now = track.tick(i);
            if (b[0] == 0xF0 || b[0] == 0xF7) {
                out += char(b[0]);
                putVariableLength(out, b.size() - 1);
                out.append(reinterpret_cast<const char*>(b.data()) + 1, b.size() - 1);
            } else {
                out.append(reinterpret_cast<const char*>(b.data()), b.size());
            }
        }
        putVariableLength(out, std::uint64_t(std::max(track.endTick(), now) - now));
        out += "\xFF\x2F";
        out += '\0';
        const std::uint32_t length = std::uint32_t(out.size() - lengthAt - 4);
        for (int k = 0; k < 4; ++k) out[lengthAt + std::size_t(k)] = char((length >> (8 * (3 - k))) & 0xFF);
    }

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw BadInput("cannot write " + path + ": " + std::strerror(errno));
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    const int error = errno;
    if (std::fclose(file) != 0 || !written) throw BadInput("cannot write " + path + ": " + std::strerror(written ? errno : error));
}

}  // namespace AudioHost
