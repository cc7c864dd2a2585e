#!/usr/bin/env python3
"""Writes the picture of the image_view scenario into the folder given: 120 x 90 plain RGB,
red rising to the right, green rising downwards, and a blue checker of 15-pixel squares, so
that every pan, zoom and turn shows which part of the picture is where."""
import sys
from pathlib import Path

WIDTH, HEIGHT = 120, 90

pixels = bytearray()
for y in range(HEIGHT):
    for x in range(WIDTH):
        blue = 220 if (x // 15 + y // 15) % 2 else 40
        pixels += bytes((x * 2, y * 2 + 40, blue))

folder = Path(sys.argv[1]) / "blobs"
folder.mkdir(parents=True, exist_ok=True)
(folder / "photo.bin").write_bytes(bytes(pixels))
