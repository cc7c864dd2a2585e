#!/usr/bin/env python3
"""Writes the media of the mci scenario into the folder given.

clip.avi: 10 frames of 32 x 24 at 10 frames a second, uncompressed 24-bit pictures, no sound;
frame n is one flat colour (COLOURS[n]), so a screenshot shows which frame was due.
ding.wav: 300 ms of a 440 Hz tone, 16-bit mono at 22 050 Hz."""
import math
import struct
import sys
from pathlib import Path

WIDTH, HEIGHT, FPS = 32, 24, 10
COLOURS = [(200, 0, 0), (0, 150, 0), (0, 0, 200), (220, 220, 0), (0, 200, 200),
           (200, 0, 200), (120, 60, 0), (0, 90, 160), (160, 160, 160), (250, 250, 250)]


def chunk(fourcc, body):
    return fourcc + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")


def wrapped(kind, fourcc, body):
    return kind + struct.pack("<I", len(body) + 4) + fourcc + body


def avi():
    size = WIDTH * HEIGHT * 3
    frames = [bytes([b, g, r]) * (WIDTH * HEIGHT) for r, g, b in COLOURS]
    avih = struct.pack("<14I", 1000000 // FPS, size * FPS, 0, 0x10, len(frames), 0, 1, size,
                       WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = b"vids" + b"DIB " + struct.pack("<IHHIIIIIIiI4h", 0, 0, 0, 0, 1, FPS, 0, len(frames),
                                           size, -1, 0, 0, 0, WIDTH, HEIGHT)
    strf = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, size, 0, 0, 0, 0)
    header = wrapped(b"LIST", b"hdrl", chunk(b"avih", avih) + wrapped(
        b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi, index, offset = b"", b"", 4
    for frame in frames:
        index += b"00db" + struct.pack("<III", 0x10, offset, len(frame))
        piece = chunk(b"00db", frame)
        movi += piece
        offset += len(piece)
    body = header + wrapped(b"LIST", b"movi", movi) + chunk(b"idx1", index)
    return wrapped(b"RIFF", b"AVI ", body)


def wav():
    rate = 22050
    samples = [int(8000 * math.sin(2 * math.pi * 440 * i / rate)) for i in range(rate * 3 // 10)]
    data = struct.pack("<%dh" % len(samples), *samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    return wrapped(b"RIFF", b"WAVE", chunk(b"fmt ", fmt) + chunk(b"data", data))


def main():
    folder = Path(sys.argv[1])
    (folder / "clip.avi").write_bytes(avi())
    (folder / "ding.wav").write_bytes(wav())


if __name__ == "__main__":
    main()
