#include "Host/AudioHost/MidiFile.hpp"

#include <smf.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "Host/AudioHost/BadInput.hpp"

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

struct SmfDeleter {
    void operator()(smf_t* smf) const { smf_delete(smf); }
};
using SmfPointer = std::unique_ptr<smf_t, SmfDeleter>;

}  // namespace

MidiSong MidiFile::read(const std::string& path) {
    // The header is checked here, so that what we do not support gets a message of its own.
    unsigned char header[14];
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw BadInput("cannot read " + path + ": " + std::strerror(errno));
    const std::size_t got = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    if (got < sizeof header || std::memcmp(header, "MThd", 4) != 0)
        throw BadInput(path + " is not a readable MIDI file: it has no MIDI file header");
    if (std::memcmp(header + 4, "\0\0\0\6", 4) != 0)
        throw BadInput(path + " is not a readable MIDI file: its header is damaged");
    const int format = (header[8] << 8) | header[9];
    if (format != 0 && format != 1)
        throw BadInput(path + " is a format " + std::to_string(format) + " MIDI file; only formats 0 and 1 are supported");
    if (header[12] & 0x80) throw BadInput(path + " uses SMPTE timing; only ticks per quarter note are supported");

    // libsmf reads past damage (it truncates the track and goes on); a file it had to
    // complain about is refused rather than half read.
    SmfLogCapture log;
    SmfPointer smf(smf_load(path.c_str()));
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

void MidiFile::write(const MidiSong& song, const std::string& path) {
    SmfLogCapture log;
    SmfPointer smf(smf_new());
    if (!smf || smf_set_ppqn(smf.get(), song.ticksPerQuarterNote) != 0 ||
        smf_set_format(smf.get(), song.tracks.size() > 1 ? 1 : song.format) != 0)
        throw BadInput("cannot write " + path + ": " + log.reason("invalid file header"));
    for (const MidiTrack& in : song.tracks) {
        smf_track_t* track = smf_track_new();
        if (!track) throw BadInput("cannot write " + path + ": out of memory");
        smf_add_track(smf.get(), track);
        for (std::size_t i = 0; i < in.size(); ++i) {
            auto bytes = in.bytes(i);
            smf_event_t* event = smf_event_new_from_pointer(const_cast<std::uint8_t*>(bytes.data()), int(bytes.size()));
            if (!event) throw BadInput("cannot write " + path + ": " + log.reason("invalid event"));
            smf_track_add_event_pulses(track, event, int(in.tick(i)));
        }
        const std::int64_t end = std::max(in.endTick(), in.size() ? in.tick(in.size() - 1) : 0);
        if (smf_track_add_eot_pulses(track, int(end)) != 0)
            throw BadInput("cannot write " + path + ": " + log.reason("invalid end of track"));
    }
    if (smf_save(smf.get(), path.c_str()) != 0) throw BadInput("cannot write " + path + ": " + log.reason("write failed"));
}

}  // namespace AudioHost
