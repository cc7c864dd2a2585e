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


def star(x, y):
    # A five-pointed star on magenta, the key colour its Image object leaves out.
    dx, dy = x - 31.5, y - 31.5
    r = math.hypot(dx, dy)
    a = math.atan2(dy, dx) + math.pi / 2
    # The outline's radius swings between 12 and 30 five times around.
    edge = 21 + 9 * math.cos(5 * a)
    if r > edge:
        return (0xFF, 0x00, 0xFF)
    return (0xFF, 0xD0 - int(r * 2), 0x20)


def tile(face, mark):
    # A 24 x 24 matrix cell: a bevelled square with a dot in the middle.
    def draw(x, y):
        if x == 0 or y == 0:
            return (0xFF, 0xFF, 0xFF)
        if x == 23 or y == 23:
            return (0x40, 0x40, 0x40)
        if math.hypot(x - 11.5, y - 11.5) < 5:
            return mark
        return face
    return draw


def alpha_button(x, y):
    # The three-state alpha picture of a bitmap button: a 2 x 2 grid of 80 x 28 quadrants,
    # state 0 top-left, 1 top-right, 2 bottom-left; bottom-right holds the alpha of state s in
    # byte s (red, green, blue): a pill shape, fully opaque inside, fading over 3 pixels.
    qx, qy = x % 80, y % 28
    quadrant = (x // 80) + 2 * (y // 28)
    # Distance outside the pill (negative inside).
    cx = min(max(qx, 14), 65)
    d = math.hypot(qx - cx, qy - 13.5) - 12.5
    alpha = 255 if d <= 0 else max(0, int(255 * (1 - d / 3)))
    if quadrant == 3:
        return (alpha, alpha, alpha)
    faces = [(0x30, 0x80, 0x40), (0x40, 0xB0, 0x50), (0x20, 0x50, 0x28)]
    face = faces[quadrant]
    # A white right-pointing triangle as the caption.
    if 32 <= qx <= 48 and abs(qy - 13.5) <= (48 - qx) * 0.5:
        return (0xFF, 0xFF, 0xFF)
    return face


png('pictures/logo.png', 64, 64, logo)
png('pictures/sky.png', 200, 100, sky)
png('pictures/button_normal.png', 96, 32, button((0xD0, 0xD8, 0xE8), (0x20, 0x40, 0x90)))
png('pictures/button_hover.png', 96, 32, button((0xF0, 0xC0, 0x40), (0x20, 0x20, 0x20)))
png('pictures/button_pressed.png', 96, 32, button((0xB0, 0x80, 0x20), (0xFF, 0xFF, 0xFF)))
png('pictures/star.png', 64, 64, star)
png('pictures/tile_blue.png', 24, 24, tile((0x50, 0x70, 0xC0), (0xFF, 0xFF, 0xFF)))
png('pictures/tile_gold.png', 24, 24, tile((0xE0, 0xB0, 0x30), (0x80, 0x30, 0x10)))
png('pictures/alpha_button.png', 160, 56, alpha_button)
