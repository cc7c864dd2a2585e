#!/usr/bin/env python3
"""Writes the GIF files of the animated_gif scenario into the folder given.

Spin: three 40 x 20 frames (red, green, blue), 10 hundredths of a second each. Once: two
frames, a yellow square then a smaller green one at (5, 5), the second marked as restoring the
background. Image data is LZW with a clear code before every pair of colours, so every code
keeps 3 bits."""
import sys
from pathlib import Path

PALETTE = [(255, 0, 0), (0, 160, 0), (0, 0, 255), (255, 255, 0)]


def lzw(pixels):
    codes = []
    for i in range(0, len(pixels), 2):
        codes.append(4)  # clear
        codes.extend(pixels[i:i + 2])
    codes.append(5)  # end
    out, bits, count = bytearray(), 0, 0
    for code in codes:
        bits |= code << count
        count += 3
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        out.append(bits)
    return bytes(out)


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out += bytes([len(chunk)]) + chunk
    return bytes(out + b"\0")


def u16(v):
    return bytes([v & 0xFF, v >> 8])


def frame(left, top, width, height, colour, delay, disposal=1):
    control = b"!\xF9\x04" + bytes([disposal << 2]) + u16(delay) + b"\0\0"
    descriptor = b"," + u16(left) + u16(top) + u16(width) + u16(height) + b"\0"
    return control + descriptor + b"\x02" + sub_blocks(lzw([colour] * (width * height)))


def gif(width, height, frames):
    table = b"".join(bytes(c) for c in PALETTE)
    screen = u16(width) + u16(height) + bytes([0x81, 3, 0])
    # The object's record keeps a word before the file.
    return b"\0\0\0\0" + b"GIF89a" + screen + table + b"".join(frames) + b";"


def main():
    out = Path(sys.argv[1]) / "blobs"
    out.mkdir(parents=True, exist_ok=True)
    (out / "spin.bin").write_bytes(gif(40, 20, [frame(0, 0, 40, 20, c, 10) for c in (0, 1, 2)]))
    (out / "once.bin").write_bytes(
        gif(20, 20, [frame(0, 0, 20, 20, 3, 20, disposal=2), frame(5, 5, 10, 10, 1, 20)]))


main()
