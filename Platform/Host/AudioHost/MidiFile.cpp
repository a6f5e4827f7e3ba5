#include "Host/AudioHost/MidiFile.hpp"

#include <algorithm>

#include "Host/AudioHost/MidiFileReader.hpp"
#include "Host/AudioHost/MidiFileWriter.hpp"

namespace AudioHost {

void MidiTrack::add(std::int64_t tick, std::span<const std::uint8_t> bytes) {
    events_.push_back({tick, std::uint32_t(data_.size()), std::uint32_t(bytes.size())});
    data_.insert(data_.end(), bytes.begin(), bytes.end());
    if (tick > endTick_) endTick_ = tick;
}

MidiSong MidiFile::read(const std::string& path) {
    MidiFileReader reader(path);
    MidiSong song;
    song.format = reader.format();
    song.ticksPerQuarterNote = reader.ticksPerQuarterNote();
    song.tracks.resize(reader.trackCount());
    for (std::size_t t = 0; t < reader.trackCount(); ++t) {
        auto cursor = reader.track(t);
        MidiTrack& track = song.tracks[t];
        for (MidiEvent e; cursor.next(e);) track.add(e.tick, e.bytes);
        track.setEndTick(std::max(track.endTick(), cursor.endTick()));
    }
    return song;
}

void MidiFile::write(const MidiSong& song, const std::string& path) {
    MidiFileWriter writer(path, path, song.format, song.ticksPerQuarterNote, song.tracks.size());
    for (const MidiTrack& track : song.tracks) {
        writer.beginTrack();
        for (std::size_t i = 0; i < track.size(); ++i) writer.add(track.tick(i), track.bytes(i));
        writer.endTrack(track.endTick());
    }
    writer.finish();
}

}  // namespace AudioHost
