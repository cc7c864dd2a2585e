#!/usr/bin/env python3
"""The independent writer's project of moving pictures: one page with an Animated GIF, an
Effect object, a Metafile drawn plain and mirrored, an Image turned by its entry actions and a
Panorama, each written from the format's description (GIF, enhanced-metafile records and the
object record by hand). The panorama's JPEG picture is written beside the project by the
panorama scenario's blobs.py (run.sh).

Usage: write_motion.py OUT.vkd
"""
import struct
import sys

from write_project import FRAME, HEADER, OBJECT, PAGE, project

RED, BLUE, GREEN = (255, 0, 0), (0, 0, 255), (0, 160, 0)


def gif_record(width, height, colours):
    """An endlessly looping GIF of full frames of one colour each, 10 hundredths of a second
    apart, after the word the object's record keeps before the file. Every code is 3 bits: a
    clear code before each pair of pixels keeps the table from growing."""
    palette = list(colours) + [(0, 0, 0)] * (4 - len(colours))

    def lzw(index):
        codes = []
        for _ in range(0, width * height, 2):
            codes += [4, index, index]
        codes.append(5)
        out, acc, count = bytearray(), 0, 0
        for code in codes:
            acc |= code << count
            count += 3
            while count >= 8:
                out.append(acc & 0xFF)
                acc >>= 8
                count -= 8
        if count:
            out.append(acc)
        blocks = bytearray()
        for i in range(0, len(out), 255):
            blocks += bytes([len(out[i:i + 255])]) + out[i:i + 255]
        return bytes(blocks) + b'\0'

    data = b'GIF89a' + struct.pack('<HHBBB', width, height, 0x81, 0, 0)
    data += b''.join(bytes(c) for c in palette)
    data += b'!\xFF\x0bNETSCAPE2.0\x03\x01\x00\x00\x00'
    for index in range(len(colours)):
        data += b'!\xF9\x04\x04' + struct.pack('<H', 10) + b'\0\0'
        data += b',' + struct.pack('<HHHHB', 0, 0, width, height, 0) + b'\x02' + lzw(index)
    return b'\0\0\0\0' + data + b';'


def emf(width, height, records):
    """An enhanced metafile of `records` ((type, payload) pairs) whose picture frame is
    width x height pixels of a 1024 x 768 reference device of 320 x 240 mm."""
    body = b''.join(struct.pack('<II', kind, 8 + len(payload)) + payload
                    for kind, payload in records + [(14, struct.pack('<III', 0, 16, 20))])
    frame = (0, 0, int(width * 31.25) - 1, int(height * 31.25) - 1)
    header = struct.pack('<II4i4iIIIIHHIIIiiii', 1, 88, 0, 0, width - 1, height - 1, *frame,
                         0x464D4520, 0x10000, 88 + len(body), len(records) + 2, 2, 0, 0, 0, 0,
                         1024, 768, 320, 240)
    placeable = struct.pack('<IHhhhhHIHH', 0x9AC6CDD7, 0, 0, 0, width, height, 96, 0, 0, 0)
    return placeable, header + body


def green_left_half(width, height):
    """A green brush, no pen, and a rectangle over the left half of the picture."""
    brush = struct.pack('<IIII', 1, 0, 0x00A000, 0)  # index 1, solid, COLORREF, hatch
    return emf(width, height, [(39, brush), (37, struct.pack('<I', 1)),
                               (37, struct.pack('<I', 0x80000008)),  # the stock null pen
                               (43, struct.pack('<4i', 0, 0, width // 2, height))])


def picture(width, height):
    """Red on the left half, blue on the right: which way the picture lies shows after a turn."""
    return bytes(c for y in range(height) for x in range(width)
                 for c in (RED if x < width // 2 else BLUE))


def thing(kind, name, rect, **fields):
    base = dict(OBJECT, kind=kind, name=name, rect=rect, hidden=0, initially_hidden=0,
                visible=1, transparent1=0, transparent2=0, transparent3=0, transform=0,
                param1=0, param2=0, param3=0, param4=0, option1=0, option2=0, option3=0,
                option4=0, hover_object='', flag_a=False, flag_b=False, flag_c=False,
                flag_d=False, flag_e=False, flag_f=False, flag_g=False, image_origin=[0, 0],
                points_a=[], points_b=[], points_value1=0, points_value2=0, image2=False,
                actions_down=[], actions_click=[], link='')
    base.update(fields)
    return base


OBJECTS = [
    # Red then blue, looping every 100 ms, played from page entry.
    thing(16, 'Gif', [10, 10, 50, 30], gif=(10, gif_record(40, 20, [RED, BLUE])),
          transparent2=1, option1=1, option4=100),
    # Plasma at half size, stepped every 50 ms.
    thing(20, 'Plasma', [60, 10, 140, 70], param2=50, option3=40, option4=30,
          colour3=0x030201, hover_mode=0x060504, option0=0x0807),
    thing(14, 'Metafile', [150, 10, 230, 70], metafile=green_left_half(80, 60)),
    thing(14, 'Mirrored', [240, 10, 320, 70], param2=2, metafile=green_left_half(80, 60)),
    # Turned a quarter clockwise by the page's entry actions: red above, blue below.
    thing(3, 'Turned', [10, 100, 70, 130], image1=(60, 30, picture(60, 30))),
    thing(18, 'Panorama', [150, 100, 310, 180], text='<SrcDir>\\blobs\\pano.jpg', param1=60),
]

MOTION_PAGE = dict(PAGE, name='Motion', background_colour=0xC0C0C0, transition_effect=0,
                   use_first_page_background=0, use_master_background=0, page_option_c=0,
                   transition_mask_width=0, transition_mask_height=0,
                   entry_actions=[(221, 'Turned', '90', '')])

if __name__ == '__main__':
    header = dict(HEADER, client_width=320, client_height=200, shaped_window=0, border=0,
                  backdrop_mode=0, low_colour_action=0, change_resolution=0,
                  no_background=0)
    with open(sys.argv[1], 'wb') as f:
        f.write(project(MOTION_PAGE, OBJECTS, header))
