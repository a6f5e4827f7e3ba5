#!/usr/bin/env python3
"""Writes the demo song: 8 bars at 100 BPM in 4/4, drums, bass and keys on their own tracks.

    examples/make_demo_song.py [OUTPUT]     (default: examples/demo.mid next to this script)

The song is made here, note by note; run it again to regenerate demo.mid byte for byte.
"""
import os
import struct
import sys

TICKS = 480  # per quarter note


def var_len(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, 0x80 | (n & 0x7F))
        n >>= 7
    return bytes(out)


def track_chunk(events):
    """events: (tick, bytes) pairs; written in tick order (stable), with an end-of-track."""
    data = bytearray()
    now = 0
    for tick, message in sorted(events, key=lambda e: e[0]):
        data += var_len(tick - now) + message
        now = tick
    data += var_len(0) + b"\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


def write_smf(path, tracks, ticks=TICKS):
    with open(path, "wb") as f:
        f.write(b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), ticks))
        for events in tracks:
            f.write(track_chunk(events))


def meta(kind, payload):
    return bytes([0xFF, kind]) + var_len(len(payload)) + payload


def note(events, channel, start, length, key, velocity):
    events.append((start, bytes([0x90 | channel, key, velocity])))
    events.append((start + length, bytes([0x80 | channel, key, 0])))


def demo_song():
    bar = 4 * TICKS
    sixteenth = TICKS // 4
    conductor = [
        (0, meta(0x03, b"Vantrel Zellow demo")),
        (0, meta(0x51, (600000).to_bytes(3, "big"))),  # 100 BPM
        (0, meta(0x58, bytes([4, 2, 24, 8]))),  # 4/4
    ]

    drums = [(0, meta(0x03, b"Drums"))]
    KICK, SNARE, HAT, OPEN_HAT, CRASH, TOM_HIGH, TOM_LOW = 36, 38, 42, 46, 49, 50, 45
    for b in range(8):
        t = b * bar
        if b == 0:
            note(drums, 9, t, sixteenth, CRASH, 110)
        for beat in range(4):
            if beat in (0, 2):
                note(drums, 9, t + beat * TICKS, sixteenth, KICK, 118)
            if beat in (1, 3) and not (b == 7 and beat == 3):
                note(drums, 9, t + beat * TICKS, sixteenth, SNARE, 112)
        if b % 2 == 1:
            note(drums, 9, t + 2 * TICKS + 2 * sixteenth, sixteenth, KICK, 96)  # the "and" of 3
        for eighth in range(8):
            if b == 7 and eighth >= 6:
                continue
            open_hat = b % 4 == 3 and eighth == 7
            note(drums, 9, t + eighth * 2 * sixteenth, sixteenth, OPEN_HAT if open_hat else HAT,
                 92 if eighth % 2 == 0 else 70)
        if b == 7:  # a fill into the next round
            for i, key in enumerate([SNARE, SNARE, TOM_HIGH, TOM_LOW]):
                note(drums, 9, t + 3 * TICKS + i * sixteenth, sixteenth, key, 90 + 8 * i)

    bass = [(0, meta(0x03, b"Bass")), (0, bytes([0xC0, 33]))]  # fingered bass
    # A minor, F, C, G: two bars each; an eighth-note line with a pickup at the end of each pair.
    roots = [45, 41, 48, 43]
    for b in range(8):
        root = roots[b // 2]
        t = b * bar
        pattern = [(0, 0), (2, 0), (3, 12), (4, 0), (6, 7), (7, 0)] if b % 2 == 0 else \
                  [(0, 0), (2, 0), (4, 7), (5, 0), (6, 10), (7, 12)]
        for eighth, interval in pattern:
            note(bass, 0, t + eighth * 2 * sixteenth, 2 * sixteenth - 20, root + interval, 100 if eighth % 2 == 0 else 84)

    keys = [(0, meta(0x03, b"Keys")), (0, bytes([0xC1, 4]))]  # electric piano
    chords = [[57, 60, 64], [57, 60, 65], [55, 60, 64], [55, 59, 62]]
    for b in range(8):
        chord = chords[b // 2]
        t = b * bar
        for offset, length in [(TICKS + 2 * sixteenth, 2 * sixteenth), (3 * TICKS + 2 * sixteenth, 2 * sixteenth)]:
            for key in chord:
                note(keys, 1, t + offset, length, key, 76)

    return [conductor, drums, bass, keys]


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "demo.mid")
    write_smf(out, demo_song())
