#!/usr/bin/env python3
"""Writes the MIDI files the tests replay through `auhost render`: legal-*.mid must render to a
valid file with every event kept, damaged-*.mid must be refused with a message. Run it again to
regenerate them byte for byte.

    tests/AudioHost/corpus/make_corpus.py [DIRECTORY]     (default: next to this script)
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "examples"))
from make_demo_song import meta, var_len as vlq  # noqa: E402


def chunk(kind, body):
    return kind + struct.pack(">I", len(body)) + body


def header(fmt, tracks, division, extra=b""):
    return chunk(b"MThd", struct.pack(">HHH", fmt, tracks, division) + extra)


def track(*events, end=True):
    """events: (delta, bytes) pairs, written as they stand."""
    body = b"".join(vlq(d) + m for d, m in events)
    return chunk(b"MTrk", body + (b"\x00\xff\x2f\x00" if end else b""))


def notes(channel, count, spacing, length, first=36):
    """A run of notes as (delta, bytes) pairs."""
    out = []
    for i in range(count):
        key = first + i % 48
        out.append((spacing if i else 0, bytes([0x90 | channel, key, 64 + i % 60])))
        out.append((length, bytes([0x80 | channel, key, 0])))
    return out


TEMPO_120 = meta(0x51, (500000).to_bytes(3, "big"))
FOUR_FOUR = meta(0x58, bytes([4, 2, 24, 8]))
LONGEST = 0x0FFFFFFF


def legal():
    yield "format0", header(0, 1, 96) + track((0, TEMPO_120), *notes(0, 20, 24, 12))
    yield "format1-tracks", header(1, 3, 480) + track((0, TEMPO_120), (0, FOUR_FOUR), (1920, meta(0x51, (400000).to_bytes(3, "big")))) \
        + track((0, meta(0x03, b"Drums")), *notes(9, 32, 120, 60)) + track((0, meta(0x03, b"Bass")), *notes(1, 16, 240, 200, 28))
    yield "sysex-packets", header(0, 1, 96) + track((0, b"\xf0\x03\x7e\x00\x09"), (16, b"\xf7\x02\x01\xf7"), (0, b"\xf7\x01\xf8"),
                                                     (0, b"\xf0\x05\x7e\x7f\x09\x01\xf7"), *notes(0, 8, 24, 12))
    # Ten hours at 120 BPM and the finest division: past 2^31 ticks, within a day.
    yield "ticks-past-2-31", header(0, 1, 32767) + track(*[(LONGEST, meta(0x01, b"")) for _ in range(9)], *notes(0, 4, 9600, 4800))
    yield "unknown-chunks", header(1, 2, 96) + chunk(b"XFIH", b"info") + track((0, TEMPO_120)) + chunk(b"Junk", b"") \
        + track(*notes(0, 10, 24, 12)) + chunk(b"XFKM", b"\x00" * 10)
    yield "long-header", header(1, 1, 96, b"\x00\x01\x02\x03") + track(*notes(2, 10, 24, 12))
    yield "no-end-marker", header(0, 1, 96) + track(*notes(0, 10, 24, 12), end=False)
    yield "running-status", header(0, 1, 96) + track((0, b"\x90\x3c\x64"), (10, b"\x3e\x64"), (10, b"\x3c\x00"), (0, b"\x3e\x00"),
                                                      (5, meta(0x01, b"x")), (5, b"\x40\x64"), (10, b"\x80\x40\x00"))
    yield "fine-ticks", header(0, 1, 32767) + track(*notes(0, 40, 3, 1))
    yield "tempo-changes", header(1, 2, 96) + track((0, TEMPO_120), (96, meta(0x51, (1000000).to_bytes(3, "big"))),
                                                     (96, meta(0x51, (250000).to_bytes(3, "big"))), (0, meta(0x58, bytes([3, 3, 24, 8])))) \
        + track(*notes(3, 30, 16, 8))
    yield "all-kinds", header(0, 1, 96) + track((0, b"\xc0\x05"), (0, b"\xb0\x07\x7f"), (0, b"\xe0\x00\x40"), (0, b"\xd0\x30"),
                                                 (0, b"\xa0\x3c\x20"), *notes(0, 4, 24, 12))
    yield "empty-track", header(1, 2, 96) + track() + track(*notes(0, 2, 24, 12))
    yield "long-gap", header(0, 1, 32767) + track(*notes(0, 1, 0, 100), (LONGEST, b"\x90\x3e\x64"), (100, b"\x80\x3e\x00"))


def damaged():
    good = track(*notes(0, 4, 24, 12))
    yield "no-header", good
    yield "truncated", (header(0, 1, 96) + good)[:-7]
    yield "chunk-past-end", header(0, 1, 96) + chunk(b"MTrk", b"")[:4] + struct.pack(">I", 1 << 30) + good[8:]
    yield "short-header", chunk(b"MThd", b"\x00\x00\x00\x01") + good
    yield "format-2", header(2, 1, 96) + good
    yield "smpte", header(0, 1, 0xE728) + good
    yield "zero-division", header(0, 1, 0) + good
    yield "track-count", header(1, 3, 96) + good
    yield "five-byte-time", header(0, 1, 96) + chunk(b"MTrk", b"\x81\x80\x80\x80\x00\x90\x3c\x64\x00\xff\x2f\x00")
    yield "after-end", header(0, 1, 96) + chunk(b"MTrk", b"\x00\xff\x2f\x00\x00\x90\x3c\x64")
    yield "clock-byte", header(0, 1, 96) + track((0, b"\xf8"))
    yield "no-status", header(0, 1, 96) + track((0, b"\x3c\x64"))
    yield "meta-past-end", header(0, 1, 96) + chunk(b"MTrk", b"\x00\xff\x01\x09ab")
    yield "sysex-past-end", header(0, 1, 96) + chunk(b"MTrk", b"\x00\xf0\x7f\x01\x02")
    yield "missing-data", header(0, 1, 96) + track((0, b"\x90\x3c\x90\x40"))
    yield "not-midi", b"RIFF\x00\x00\x00\x04RMID"


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for prefix, files in (("legal", legal()), ("damaged", damaged())):
        for name, data in files:
            with open(os.path.join(out, "%s-%s.mid" % (prefix, name)), "wb") as f:
                f.write(data)
