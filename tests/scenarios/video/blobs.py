#!/usr/bin/env python3
"""Writes the video of the video scenario into the folder given.

clip.avi: 10 frames of 32 x 24 at 10 frames a second, uncompressed 24-bit pictures, no sound.
Every frame is one flat colour that names it (FRAME_COLOURS), so a screenshot shows which
frame was due."""
import struct
import sys
from pathlib import Path

WIDTH, HEIGHT, FPS = 32, 24, 10
FRAME_COLOURS = [(255, 0, 0), (0, 160, 0), (0, 0, 255), (255, 255, 0), (0, 255, 255),
                 (255, 0, 255), (128, 0, 0), (0, 128, 128), (128, 128, 0), (255, 255, 255)]


def chunk(fourcc, body):
    pad = b"\0" if len(body) % 2 else b""
    return fourcc + struct.pack("<I", len(body)) + body + pad


def riff_list(kind, fourcc, body):
    return kind + struct.pack("<I", len(body) + 4) + fourcc + body


def frame_bytes(rgb):
    r, g, b = rgb
    return bytes([b, g, r]) * (WIDTH * HEIGHT)


def avi():
    frames = [frame_bytes(colour) for colour in FRAME_COLOURS]
    size = WIDTH * HEIGHT * 3
    avih = struct.pack("<10I4I", 1000000 // FPS, size * FPS, 0, 0x10, len(frames), 0, 1, size,
                       WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = (b"vids" + b"\0\0\0\0" +
            struct.pack("<IHHIIIIIIiI", 0, 0, 0, 0, 1, FPS, 0, len(frames), size, -1, 0) +
            struct.pack("<4h", 0, 0, WIDTH, HEIGHT))
    strf = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, size, 0, 0, 0, 0)
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                     riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi_body, index, offset = b"", b"", 4
    for data in frames:
        movi_body += chunk(b"00db", data)
        index += b"00db" + struct.pack("<III", 0x10, offset, len(data))
        offset += 8 + len(data)
    movi = riff_list(b"LIST", b"movi", movi_body)
    return riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index))


def main():
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "clip.avi").write_bytes(avi())


if __name__ == "__main__":
    main()
