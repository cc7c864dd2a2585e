#!/usr/bin/env python3
"""Checks pixels of the rendered interop page against the drawing rules of a frame.

Usage: check_render.py PAGE.png
The frame (300,300,340,320) is filled red and bordered blue by lines from (L,T) to (Rt,T),
(Rt,B), (L,B) and back, each without its last point: the border lies on the top row, on the
exclusive right column and bottom row, and on the left column.
"""
import struct
import sys
import zlib


def read_png(path):
    with open(path, 'rb') as f:
        data = f.read()
    assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG'
    pos, idat = 8, b''
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour = struct.unpack('>IIBB', body[:10])
            assert depth == 8 and colour == 2, 'expected 8-bit RGB'
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 3
    rows, prev = [], bytearray(stride)
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        kind, row = line[0], bytearray(line[1:])
        for i in range(stride):
            left = row[i - 3] if i >= 3 else 0
            up = prev[i]
            corner = prev[i - 3] if i >= 3 else 0
            if kind == 1:
                row[i] = (row[i] + left) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + up) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                row[i] = (row[i] + pred) & 0xFF
        rows.append(row)
        prev = row
    return lambda x, y: tuple(rows[y][x * 3:x * 3 + 3])


RED, BLUE = (255, 0, 0), (0, 0, 255)
CASES = [((301, 301), RED), ((339, 319), RED), ((300, 300), BLUE), ((339, 300), BLUE),
         ((340, 300), BLUE), ((340, 319), BLUE), ((340, 320), BLUE), ((301, 320), BLUE),
         ((300, 319), BLUE), ((300, 320), BLUE)]


def main():
    pixel = read_png(sys.argv[1])
    problems = ['%r: expected %r, got %r' % (xy, want, pixel(*xy))
                for xy, want in CASES if pixel(*xy) != want]
    for p in problems:
        print(p)
    print('%d mismatches' % len(problems))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
