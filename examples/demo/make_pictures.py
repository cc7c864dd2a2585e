#!/usr/bin/env python3
"""Draws the demo's pictures (small PNG files, an animated GIF and an enhanced metafile) into
pictures/. Run it from this folder; the pictures are kept in the repository so that building the
demo needs nothing but velk."""
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



def gif(path, width, height, palette, frames, delay):
    """Writes an endlessly looping animated GIF of full frames; each frame is a list of colour
    indices, rows top-down. The LZW stream sends a clear code before every few pixels, so that
    every code keeps the starting width: simple, and a valid stream for any decoder."""
    bits_per_index = max(2, (len(palette) - 1).bit_length())
    clear = 1 << bits_per_index
    code_width = bits_per_index + 1
    table_bits = bits_per_index - 1
    colours = palette + [(0, 0, 0)] * ((1 << bits_per_index) - len(palette))

    def lzw(pixels):
        out, acc, count = bytearray(), 0, 0
        codes = []
        for i in range(0, len(pixels), clear // 2):
            codes.append(clear)
            codes.extend(pixels[i:i + clear // 2])
        codes.append(clear + 1)
        for code in codes:
            acc |= code << count
            count += code_width
            while count >= 8:
                out.append(acc & 0xFF)
                acc >>= 8
                count -= 8
        if count:
            out.append(acc)
        return bytes(out)

    def sub_blocks(data):
        out = bytearray()
        for i in range(0, len(data), 255):
            out += bytes([len(data[i:i + 255])]) + data[i:i + 255]
        return bytes(out) + b'\0'

    out = bytearray(b'GIF89a' + struct.pack('<HHBBB', width, height, 0xF0 | table_bits, 0, 0))
    out += b''.join(bytes(c) for c in colours)
    out += b'!\xFF\x0bNETSCAPE2.0\x03\x01\x00\x00\x00'
    for pixels in frames:
        out += b'!\xF9\x04\x04' + struct.pack('<H', delay) + b'\0\0'
        out += b',' + struct.pack('<HHHHB', 0, 0, width, height, 0)
        out += bytes([bits_per_index]) + sub_blocks(lzw(pixels))
    out += b';'
    # The Animated GIF object's record keeps a word of its own before the file.
    with open(path, 'wb') as f:
        f.write(b'\0\0\0\0' + out)


def spinner_frames(size, steps):
    """A ring of dots around the centre, the bright one a step further each frame."""
    frames = []
    for step in range(steps):
        pixels = []
        for y in range(size):
            for x in range(size):
                index = 0
                for dot in range(steps):
                    angle = 2 * math.pi * dot / steps
                    cx = size / 2 + size * 0.34 * math.cos(angle)
                    cy = size / 2 + size * 0.34 * math.sin(angle)
                    if math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= size * 0.1:
                        index = 1 + (dot - step) % steps
                pixels.append(index)
        frames.append(pixels)
    return frames


class Metafile:
    """An enhanced metafile of a few records, drawn in pixels of a 1024 x 768 reference device
    of 320 x 240 mm (a tenth of a pixel is 3.125 hundredths of a millimetre)."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.records = []
        self.handles = 1

    def record(self, kind, payload):
        self.records.append(struct.pack('<II', kind, 8 + len(payload)) + payload)

    def brush(self, colour):
        self.record(39, struct.pack('<IIII', self.handles, 0, rgb(colour), 0))
        self.handles += 1
        return self.handles - 1

    def pen(self, colour, width):
        self.record(38, struct.pack('<IIiiI', self.handles, 0, width, 0, rgb(colour)))
        self.handles += 1
        return self.handles - 1

    def select(self, handle):
        self.record(37, struct.pack('<I', handle))

    def ellipse(self, box):
        self.record(42, struct.pack('<4i', *box))

    def rectangle(self, box):
        self.record(43, struct.pack('<4i', *box))

    def round_rect(self, box, corner):
        self.record(44, struct.pack('<4i2i', *box, corner, corner))

    def polygon(self, points):
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        payload = struct.pack('<4iI', min(xs), min(ys), max(xs), max(ys), len(points))
        payload += b''.join(struct.pack('<hh', *p) for p in points)
        payload += b'\0' * (-len(payload) % 4)
        self.record(86, payload)

    def write(self, path):
        self.record(14, struct.pack('<III', 0, 16, 20))
        frame = (0, 0, round(self.width * 31.25) - 1, round(self.height * 31.25) - 1)
        body = b''.join(self.records)
        size = 88 + len(body)
        header = struct.pack('<II4i4iIIIIHHIIIiiii', 1, 88, 0, 0, self.width - 1,
                             self.height - 1, *frame, 0x464D4520, 0x10000, size,
                             len(self.records) + 1, self.handles, 0, 0, 0, 0, 1024, 768, 320,
                             240)
        with open(path, 'wb') as f:
            f.write(header + body)


def rgb(colour):
    """A COLORREF: red in the low byte."""
    return colour[0] | colour[1] << 8 | colour[2] << 16


def house():
    """Clip art in the manner of old presentations: a house under the sun."""
    picture = Metafile(160, 120)
    picture.select(picture.pen((0xC0, 0x60, 0x00), 2))
    picture.select(picture.brush((0xFF, 0xD0, 0x20)))
    picture.ellipse((112, 8, 148, 44))
    picture.select(picture.pen((0x30, 0x20, 0x10), 1))
    picture.select(picture.brush((0xE0, 0xC8, 0xA0)))
    picture.rectangle((30, 60, 110, 112))
    picture.select(picture.brush((0xB0, 0x30, 0x20)))
    picture.polygon([(22, 62), (70, 22), (118, 62)])
    picture.select(picture.brush((0x60, 0xA0, 0xE0)))
    picture.round_rect((42, 70, 66, 92), 6)
    picture.select(picture.brush((0x70, 0x40, 0x20)))
    picture.rectangle((78, 76, 98, 112))
    picture.write('pictures/house.emf')


png('pictures/logo.png', 64, 64, logo)
png('pictures/sky.png', 200, 100, sky)
png('pictures/button_normal.png', 96, 32, button((0xD0, 0xD8, 0xE8), (0x20, 0x40, 0x90)))
png('pictures/button_hover.png', 96, 32, button((0xF0, 0xC0, 0x40), (0x20, 0x20, 0x20)))
png('pictures/button_pressed.png', 96, 32, button((0xB0, 0x80, 0x20), (0xFF, 0xFF, 0xFF)))
png('pictures/star.png', 64, 64, star)
png('pictures/tile_blue.png', 24, 24, tile((0x50, 0x70, 0xC0), (0xFF, 0xFF, 0xFF)))
png('pictures/tile_gold.png', 24, 24, tile((0xE0, 0xB0, 0x30), (0x80, 0x30, 0x10)))
png('pictures/alpha_button.png', 160, 56, alpha_button)
gif('pictures/spinner.bin', 48, 48,
    [(0xE8, 0xF0, 0xFF)] + [(0x20 + 24 * i, 0x40 + 20 * i, 0x90 + 14 * i) for i in range(8)][::-1],
    spinner_frames(48, 8), 10)
house()
