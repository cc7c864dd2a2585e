#!/usr/bin/env python3
"""Writes the panorama picture of the panorama scenario into the folder given.

640 x 160 pixels of flat 8 x 8 blocks: a rainbow of stripes 32 columns wide, a white stripe at
column 0 to see where the picture starts again, and a dark band across the middle rows to see
the bend. The JPEG is written here, baseline and 4:4:4, with only the DC coefficient of each
block coded (every quantiser 1): a flat block is all a DC coefficient holds."""
import colorsys
import struct
import sys
from pathlib import Path

WIDTH, HEIGHT = 640, 160

# The usual DC table of the luminance: code lengths and the categories 0 ... 11.
DC_BITS = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]
DC_VALUES = list(range(12))
# An AC table that holds only the end of block, as a one-bit code.
AC_BITS = [1] + [0] * 15
AC_VALUES = [0]


def huffman_codes(bits, values):
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(bits[length - 1]):
            codes[values[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


def block_colour(bx, by):
    """The RGB colour of block (bx, by)."""
    x, y = bx * 8, by * 8
    if x < 16:
        return (255, 255, 255)
    r, g, b = colorsys.hsv_to_rgb((x // 32) * 32 / WIDTH, 0.8, 1.0)
    shade = 0.45 if 64 <= y < 96 else 1.0
    return tuple(round(c * 255 * shade) for c in (r, g, b))


def ycbcr(rgb):
    r, g, b = rgb
    y = 0.299 * r + 0.587 * g + 0.114 * b
    cb = -0.168736 * r - 0.331264 * g + 0.5 * b + 128
    cr = 0.5 * r - 0.418688 * g - 0.081312 * b + 128
    return [max(0, min(255, round(v))) for v in (y, cb, cr)]


class BitWriter:
    def __init__(self):
        self.out, self.bits, self.count = bytearray(), 0, 0

    def put(self, code, length):
        self.bits = (self.bits << length) | code
        self.count += length
        while self.count >= 8:
            byte = (self.bits >> (self.count - 8)) & 0xFF
            self.out.append(byte)
            if byte == 0xFF:
                self.out.append(0)  # stuffed
            self.count -= 8

    def finish(self):
        if self.count:
            self.put((1 << (8 - self.count)) - 1, 8 - self.count)
        return bytes(self.out)


def segment(marker, body):
    return struct.pack(">BBH", 0xFF, marker, len(body) + 2) + body


def jpeg():
    dc, ac = huffman_codes(DC_BITS, DC_VALUES), huffman_codes(AC_BITS, AC_VALUES)
    writer, previous = BitWriter(), [0, 0, 0]
    for by in range(HEIGHT // 8):
        for bx in range(WIDTH // 8):
            for c, value in enumerate(ycbcr(block_colour(bx, by))):
                coefficient = 8 * (value - 128)  # the DC of a flat block
                diff, previous[c] = coefficient - previous[c], coefficient
                size = abs(diff).bit_length()
                writer.put(*dc[size])
                if size:
                    writer.put(diff if diff > 0 else diff + (1 << size) - 1, size)
                writer.put(*ac[0])
    tables = bytes([0]) + bytes(DC_BITS) + bytes(DC_VALUES)
    tables += bytes([0x10]) + bytes(AC_BITS) + bytes(AC_VALUES)
    frame = struct.pack(">BHHB", 8, HEIGHT, WIDTH, 3) + b"".join(
        bytes([c, 0x11, 0]) for c in (1, 2, 3))
    scan = bytes([3]) + b"".join(bytes([c, 0]) for c in (1, 2, 3)) + bytes([0, 63, 0])
    return (b"\xFF\xD8" + segment(0xDB, bytes([0]) + bytes([1] * 64)) + segment(0xC0, frame) +
            segment(0xC4, tables) + segment(0xDA, scan) + writer.finish() + b"\xFF\xD9")


def main():
    out = Path(sys.argv[1]) / "blobs"
    out.mkdir(parents=True, exist_ok=True)
    (out / "pano.jpg").write_bytes(jpeg())


main()
