#!/usr/bin/env python3
"""Draws the demo's pictures (small PNG files) into pictures/. Run it from this folder; the
pictures are kept in the repository so that building the demo needs nothing but velk."""
import math
import struct
import zlib


def png(path, width, height, pixel):
    """Writes an 8-bit RGB PNG; pixel(x, y) returns (r, g, b)."""
    rows = b''
    for y in range(height):
        rows += b'\x00' + b''.join(bytes(pixel(x, y)) for x in range(width))

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))

    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(rows, 9)))
        f.write(chunk(b'IEND', b''))


def logo(x, y):
    # A round badge on the page's blue; its edge is the key colour of nothing: plain pixels.
    d = math.hypot(x - 31.5, y - 31.5)
    if d > 31:
        return (0xE8, 0xF0, 0xFF)
    if d > 27:
        return (0x20, 0x40, 0x90)
    shade = int(160 + 60 * (1 - d / 27))
    return (0xFF, shade, 0x30) if (x // 8 + y // 8) % 2 else (0xFF, shade - 40, 0x20)


def sky(x, y):
    # Sky over hills.
    hill = 70 + 12 * math.sin(x / 17.0) + 6 * math.sin(x / 7.0)
    if y > hill:
        return (0x30, 0x90 - int((y - hill) * 0.8), 0x40)
    t = y / 100.0
    return (int(90 + 120 * t), int(150 + 80 * t), 0xFF)


def button(face, text_colour):
    def draw(x, y):
        if x in (0, 95) or y in (0, 31):
            return (0x20, 0x20, 0x20)
        # A right-pointing arrow as the caption.
        if 38 <= x <= 58 and abs(y - 15.5) <= (58 - x) * 0.6:
            return text_colour
        return face
    return draw


png('pictures/logo.png', 64, 64, logo)
png('pictures/sky.png', 200, 100, sky)
png('pictures/button_normal.png', 96, 32, button((0xD0, 0xD8, 0xE8), (0x20, 0x40, 0x90)))
png('pictures/button_hover.png', 96, 32, button((0xF0, 0xC0, 0x40), (0x20, 0x20, 0x20)))
png('pictures/button_pressed.png', 96, 32, button((0xB0, 0x80, 0x20), (0xFF, 0xFF, 0xFF)))
