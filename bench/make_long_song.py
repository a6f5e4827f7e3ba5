#!/usr/bin/env python3
"""Writes a long MIDI file for timing auhost: NOTES notes over MINUTES minutes at 120 BPM,
spread over four instrument tracks, with note lengths and chords that overlap.

    bench/make_long_song.py OUTPUT [NOTES] [MINUTES]     (default 100000 notes, 10 minutes)
"""
import os
import random
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "examples"))
from make_demo_song import TICKS, meta, note, write_smf  # noqa: E402


def long_song(notes, minutes, seed=1):
    rng = random.Random(seed)
    total_ticks = int(minutes * 120 * TICKS)  # 120 quarter notes a minute
    conductor = [(0, meta(0x51, (500000).to_bytes(3, "big"))), (0, meta(0x58, bytes([4, 2, 24, 8])))]
    tracks = [conductor]
    per_track = notes // 4
    for t in range(4):
        events = [(0, meta(0x03, b"Track %d" % (t + 1)))]
        channel = 9 if t == 0 else t - 1
        count = per_track + (notes % 4 if t == 3 else 0)
        step = total_ticks / count
        for i in range(count):
            start = int(i * step) + rng.randrange(0, max(1, int(step / 2)))
            length = rng.randrange(TICKS // 16, TICKS * 2)
            note(events, channel, start, length, 36 + rng.randrange(48), 1 + rng.randrange(127))
        tracks.append(events)
    return tracks


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    notes = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
    minutes = float(sys.argv[3]) if len(sys.argv) > 3 else 10
    write_smf(sys.argv[1], long_song(notes, minutes))
