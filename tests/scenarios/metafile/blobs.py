#!/usr/bin/env python3
"""Writes the enhanced metafile of the metafile scenario into the folder given.

A 60 x 40 picture (the reference device has one pixel per millimetre): a yellow rectangle with
a wide blue outline, a green diagonal-cross hatched ellipse on the left, a red triangle in the
top right, the text "EMF" and a small four-colour picture stretched in the bottom right. The
page shows it once as made and once turned by param2 = 3."""
import struct
import sys
from pathlib import Path


def record(kind, *fields, raw=b""):
    body = b"".join(struct.pack("<i" if f < 0 else "<I", f) for f in fields) + raw
    body += b"\0" * (-len(body) % 4)
    return struct.pack("<II", kind, len(body) + 8) + body


def metafile(width, height, handles, records):
    records = list(records) + [record(14, 0, 16, 20)]
    total = 88 + sum(len(r) for r in records)
    header = struct.pack("<II4i4iIIIIHHIIIiiii", 1, 88, 0, 0, width - 1, height - 1,
                         0, 0, width * 100, height * 100, 0x464D4520, 0x10000, total,
                         len(records) + 1, handles, 0, 0, 0, 0, 1000, 1000, 1000, 1000)
    return header + b"".join(records)


def colorref(r, g, b):
    return r | g << 8 | b << 16


def font(index, height, face, weight=400):
    name = face.encode("utf-16-le").ljust(64, b"\0")
    return record(82, index, height, 0, 0, 0, weight, raw=bytes(8) + name)


def text(x, y, string):
    encoded = string.encode("utf-16-le")
    return record(84, 0, 0, 0, 0, 1, 0, 0, x, y, len(string), 76, 0, 0, 0, 0, 0, 0,
                  raw=encoded)


def picture(x, y, width, height, pixels):
    """StretchDIBits of a 2 x 2 top-down 32-bit picture."""
    info = struct.pack("<IiiHHIIiiII", 40, 2, -2, 1, 32, 0, 0, 0, 0, 0, 0)
    bits = b"".join(struct.pack("<I", p) for p in pixels)
    return record(81, 0, 0, 0, 0, x, y, 0, 0, 2, 2, 80, 40, 120, len(bits), 0, 0xCC0020,
                  width, height, raw=info + bits)


def main():
    records = [
        record(39, 1, 0, colorref(255, 255, 0), 0),     # yellow brush
        record(38, 2, 0, 2, 0, colorref(0, 0, 255)),     # blue pen, 2 wide
        record(37, 1), record(37, 2),
        record(43, 1, 1, 59, 39),                        # the rectangle
        record(37, 0x80000008),                          # null pen
        record(39, 3, 2, colorref(0, 128, 0), 5),        # green diagonal cross
        record(37, 3), record(18, 1),                    # transparent gaps
        record(42, 5, 5, 29, 35),
        record(39, 4, 0, colorref(255, 0, 0), 0),
        record(37, 4),
        record(3, 0, 0, 0, 0, 3, 36, 5, 55, 5, 45, 19),  # the triangle
        font(5, -11, "Arial", 700), record(37, 5),
        record(24, colorref(0, 0, 128)),
        text(33, 22, "EMF"),
        picture(48, 28, 8, 8, [0xFF0000, 0x00FF00, 0x0000FF, 0x000000]),
    ]
    out = Path(sys.argv[1]) / "blobs"
    out.mkdir(parents=True, exist_ok=True)
    (out / "picture.emf").write_bytes(metafile(60, 40, 6, records))


main()
