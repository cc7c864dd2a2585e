#!/usr/bin/env python3
"""A second, independent writer of version-27 project files, written from the format's
description field by field (it shares no code with the C++ writer). It writes a project in
which every stored field has a distinctive value, and the values it expects a dump to show.

Usage: write_project.py OUT.vkd EXPECTED.json
"""
import json
import struct
import sys
import zlib


class Archive:
    def __init__(self):
        self.out = bytearray()

    def u8(self, v):
        self.out += struct.pack('<B', v)

    def u32(self, v):
        self.out += struct.pack('<I', v)

    def i32(self, v):
        self.out += struct.pack('<i', v)

    def f64(self, v):
        self.out += struct.pack('<d', v)

    def raw(self, b):
        self.out += b

    def string(self, s, wide=False):
        if wide:
            units = s.encode('utf-16-le')
            self.out += b'\xff\xfe\xff'
            self.u8(len(units) // 2)
            self.out += units
            return
        b = s.encode('cp1252')
        if len(b) < 0xFF:
            self.u8(len(b))
        elif len(b) < 0xFFFE:
            self.u8(0xFF)
            self.out += struct.pack('<H', len(b))
        else:
            self.u8(0xFF)
            self.out += struct.pack('<H', 0xFFFF)
            self.u32(len(b))
        self.out += b


def action_list(a, records):
    a.u32(len(records))
    for code, target, argument, limit in records:
        a.u32(code)
        a.string(target)
        a.string(argument)
        a.string(limit)
        a.string('')       # spare text
        a.u32(0)           # spare number
        a.u32(2 if target else 0)  # argument count
        a.u32(0)
        a.u32(0)
        a.u32(0xFFFFFFFF)
    a.u32(0xFFFFFFFF)


def rgb(w, h, seed):
    return bytes((seed + i * 7) & 0xFF for i in range(w * h * 3))


def write_object(a, o):
    """Every field of one record, in stored order."""
    for key in ('text_variable', 'number_variable', 'extra_text1', 'extra_text2', 'extra_text3'):
        a.string(o[key])
    a.u32(o['extra_value'])
    a.i32(-1)
    a.i32(o['kind'])
    for v in o['rect']:
        a.i32(v)
    a.string(o['name'])
    for i in range(1, 6):
        a.u32(o['param%d' % i])
    a.string(o['hover_object'])
    a.string(o['press_object'])
    a.u32(o['hover_mode'])
    a.u32(o['option0'])
    a.string(o['hint_text'])
    a.u32(o['hint_value'])
    a.u32(o['extra_value2'])
    a.u32(0)  # is_alias: the picture block follows
    for key in ('transparent1', 'transparent2', 'transparent3', 'colour1', 'colour2', 'colour3'):
        a.u32(o[key])
    # image1: plain (4 x 3 unless the object brings its own); image2: coded method 0 (zlib),
    # unless the object has none; image3: absent
    width, height, pixels = o.get('image1', (4, 3, rgb(4, 3, 1)))
    a.u32(1)
    a.u32(width)
    a.u32(height)
    a.raw(pixels)
    if o.get('image2', True):
        a.u32(1)
        a.u32(600000)
        a.u32(2)
        a.u32(2)
        a.u32(0)
        pixels = rgb(2, 2, 9)
        packed = zlib.compress(pixels)
        a.u32(len(pixels))
        a.u32(len(packed))
        a.raw(packed)
    else:
        a.u32(0)
    a.u32(0)
    for v in o['image2_offset'] + o['image3_offset']:
        a.i32(v)
    for _ in range(3):
        a.string('')
    for _ in range(6):
        a.u32(0)
    a.u32(0)  # no image4
    for pts in ('points_a', 'points_b'):
        a.u32(len(o[pts]))
        for x, y in o[pts]:
            a.i32(x)
            a.i32(y)
        if pts == 'points_b':
            a.u32(o['points_value1'])
            a.u32(o['points_value2'])
    for key in ('hidden', 'initially_hidden', 'visible', 'option1', 'option2', 'option3',
                'option4', 'option5', 'option6'):
        a.u32(o[key])
    a.f64(o['scale'])
    a.u32(o['transform'])
    a.u32(o['colour4'])
    a.string(o['text'])
    a.u32(len(o['lines']))
    for line in o['lines']:
        a.string(line)
    f = o['font']
    for key in ('height', 'width', 'escapement', 'orientation', 'weight'):
        a.i32(f[key])
    for key in ('italic', 'underline', 'strike_out', 'char_set', 'out_precision',
                'clip_precision', 'quality', 'pitch_and_family'):
        a.u8(f[key])
    a.string(f['face_name'])
    metafile = o.get('metafile')
    a.u32(1 if metafile else 0)
    if metafile:
        header, bits = metafile
        a.raw(header)
        a.u32(len(bits))
        a.raw(bits)
    action_list(a, o.get('actions_down', [(11, 'Second', '', '')]))
    action_list(a, o.get('actions_click',
                         [(99, '', 'x=1', ''), (102, '', 'i=1', '3'), (103, '', 'i', '')]))
    action_list(a, [])                                       # actions_3
    if o['kind'] == 16:
        timer_id, data = o['gif']
        a.u32(timer_id)
        a.u32(len(data))
        a.raw(data)
    a.u32(1)
    a.string(o['link'])
    action_list(a, [(12345, 'unknown', 'kept', '')])         # actions_4
    action_list(a, [])                                       # actions_5
    action_list(a, [(200, '', '* note', '')])                # actions_6
    a.u8(int(o['flag_a']))
    a.i32(o['image_origin'][0])
    a.i32(o['image_origin'][1])
    a.u8(int(o['flag_b']))
    a.u8(int(o['flag_c']))
    a.u8(int(o['flag_d']))
    a.u32(o['value_a'])
    a.u8(int(o['flag_e']))
    a.u8(int(o['flag_f']))
    a.u32(o['value_b'])
    a.u8(int(o['flag_g']))


def write_page(a, p, objects):
    a.string(p['name'])
    a.u32(p['serial'])
    a.string(p['notes'])
    a.u32(p['page_option_a'])
    a.u32(p['page_cursor'] + 1)  # stored as value + 1
    a.u32(0)  # no background image
    a.u32(p['use_first_page_background'])
    a.u32(p['background_colour'])
    a.u32(p['tile_background'])
    a.u32(p['page_option_c'])
    a.u32(len(objects))
    for o in objects:
        write_object(a, o)
    a.string(p['transition_file'])
    a.string('')
    a.string('')
    a.u32(p['use_master_background'])
    a.u32(0)
    a.u32(0)
    a.u32(p['page_value1'])
    a.u32(p['transition_effect'])
    a.u32(p['transition_duration'])
    # Entry actions as the authoring tool compiles them: the page enters itself again while n
    # is below 3 (each run then goes on after its Page command), and a counted loop sums 1 to 4.
    action_list(a, p.get('entry_actions', [
        (99, '', 'n=n+1', ''), (100, '', 'n<3', ''), (11, p['name'], '', ''), (101, '', '', ''),
        (102, '', 'i=1', '4'), (99, '', 's=s+i', ''), (103, '', 'i', '')]))
    a.u32(p['transition_mask_width'])
    a.u32(p['transition_mask_height'])
    mask = bytes(range(p['transition_mask_width'] * p['transition_mask_height']))
    a.u32(len(mask))
    if mask:
        packed = zlib.compress(mask)
        a.u32(len(packed))
        a.raw(packed)
    a.u32(p['mask_stretch'])
    a.u32(p['mask_invert'])
    for _ in range(5):
        a.u32(0)
    action_list(a, [])  # exit actions


HEADER = {
    'drag_by_body': 0, 'backdrop_mode': 1, 'backdrop_enabled': 0, 'backdrop_colour': 0x123456,
    'backdrop_width': 0, 'backdrop_height': 0, 'window_layer': 1, 'hide_taskbar': 1,
    'lock_system_keys': 1, 'backdrop_image_present': 0, 'title': 'Interop \u00e9t\u00e9',
    'has_caption': 0, 'border': 1, 'shaped_window': 1, 'client_width': 640,
    'client_height': 480, 'low_colour_action': 2, 'low_colour_file': '<SrcDir>\\low.vkd',
    'low_colour_page': 'Low', 'top_most': 0, 'remember_position': 1,
    'settings_section': 'Interop', 'ignore_palette': 0, 'no_background': 1,
    'change_resolution': 1, 'resolution': 3, 'process_priority': 2, 'minimize_box': 0,
    'flash_install_option': 7,
}

PAGE = {
    'name': 'First', 'serial': 77, 'notes': 'page notes', 'page_option_a': 5, 'page_cursor': 3,
    'use_first_page_background': 1, 'background_colour': 0x00FF00, 'tile_background': 1,
    'page_option_c': 0x1234, 'transition_file': '<SrcDir>\\fx.dll', 'use_master_background': 1,
    'page_value1': 9, 'transition_effect': 4, 'transition_duration': 750,
    'transition_mask_width': 4, 'transition_mask_height': 2, 'mask_stretch': 0, 'mask_invert': 1,
}

OBJECT = {
    'kind': 11, 'name': 'Button \u00e0', 'rect': [10, 20, 110, 60], 'text': 'Go on',
    'text_variable': 'tv$', 'number_variable': 'nv', 'extra_text1': 'e1', 'extra_text2': 'e2',
    'extra_text3': 'e3', 'extra_value': 17, 'param1': 1, 'param2': 2, 'param3': 3, 'param4': 4,
    'param5': 5, 'hover_object': 'Hover', 'press_object': 'Press', 'hover_mode': 4,
    'option0': 6, 'hint_text': 'hint', 'hint_value': 8, 'extra_value2': 19,
    'transparent1': 1, 'transparent2': 0, 'transparent3': 1, 'colour1': 0x0000FF,
    'colour2': 0x00FF00, 'colour3': 0xFF0000, 'colour4': 0x808080,
    'image2_offset': [3, 4], 'image3_offset': [5, 6],
    'points_a': [[1, 2], [3, 4]], 'points_b': [[-5, 6]], 'points_value1': 21,
    'points_value2': 22, 'hidden': 1, 'initially_hidden': 1, 'visible': 0, 'option1': 11,
    'option2': 12, 'option3': 2, 'option4': 150, 'option5': 15, 'option6': 16, 'scale': 1.25,
    'transform': 1, 'lines': ['one', 'two'],
    'font': {'height': -13, 'width': 2, 'escapement': 3, 'orientation': 4, 'weight': 700,
             'italic': 1, 'underline': 1, 'strike_out': 1, 'char_set': 2, 'out_precision': 3,
             'clip_precision': 4, 'quality': 5, 'pitch_and_family': 34,
             'face_name': 'Times New Roman'},
    'link': 'a tooltip', 'flag_a': False, 'flag_b': False, 'flag_c': True, 'flag_d': False,
    'flag_e': True, 'flag_f': True, 'flag_g': True, 'image_origin': [7, -8], 'value_a': 55,
    'value_b': 0x101010,
}


# A frame in the one-pixel border style: its fill and its border on the exclusive edges.
FRAME = dict(OBJECT, kind=2, name='Frame', rect=[300, 300, 340, 320], param1=0,
             colour1=0x0000FF, colour2=0xFF0000, hidden=0, initially_hidden=0, visible=1,
             transform=0)


def project(page=PAGE, objects=(OBJECT, FRAME), header=HEADER):
    a = Archive()
    a.string('Vellumkit27')
    a.u32(0)
    h = header
    for key in ('drag_by_body', 'backdrop_mode', 'backdrop_enabled', 'backdrop_colour',
                'backdrop_width', 'backdrop_height', 'window_layer', 'hide_taskbar',
                'lock_system_keys', 'backdrop_image_present'):
        a.u32(h[key])
    a.string(h['title'], wide=True)
    a.u32(h['has_caption'])
    a.u32(h['border'])
    a.u32(0)
    a.u32(h['shaped_window'])
    a.string('')
    # page manager record
    a.u32(1)
    write_page(a, page, list(objects))
    a.u32(3)
    for x, y in ((0, 0), (640, 0), (320, 480)):
        a.i32(x)
        a.i32(y)
    master = dict({k: v for k, v in page.items() if k != 'entry_actions'}, name='Master Page 000', transition_mask_width=0, transition_mask_height=0)
    write_page(a, master, [])
    layer = dict(master, name='Master Layer 000')
    write_page(a, layer, [])
    for _ in range(3):
        a.string('')
    a.u32(1)
    a.u32(2)
    a.u32(2)
    a.u32(4)
    a.raw(bytes([0, 255, 255, 0]))
    for _ in range(5):
        a.u32(0)
    # embedded file store: one raw, one compressed, one empty
    files = [(1, 'sound.wav', b'RIFF....', False), (10, 'notes.txt', b'hello ' * 50, True),
             (11, 'empty.bin', b'', False)]
    a.u32(len(files))
    for file_type, name, data, compressed in files:
        a.u32(file_type)
        a.u32(len(data))
        if data:
            packed = zlib.compress(data) if compressed else b''
            a.u32(len(packed))
            a.raw(packed if compressed else data)
        a.string(name)
    # rest of the header
    a.u32(0)
    a.u32(h['client_width'])
    a.u32(h['client_height'])
    a.u32(h['low_colour_action'])
    a.string(h['low_colour_file'])
    a.string(h['low_colour_page'])
    for _ in range(3):
        a.string('')
    a.u32(0)
    a.u32(h['top_most'])
    a.u32(h['remember_position'])
    a.string(h['settings_section'])
    a.u32(h['ignore_palette'])
    a.u32(h['no_background'])
    a.u32(0)
    a.u32(0)
    a.u32(h['change_resolution'])
    a.u32(h['resolution'])
    a.u32(h['process_priority'])
    a.u32(2)
    a.u32(1)
    a.u32(2)
    a.u32(0)  # reserved lists
    for _ in range(6):
        a.string('')
    a.u32(h['minimize_box'])
    a.u32(h['flash_install_option'])
    for _ in range(3):
        a.u32(0)
    inner = bytes(a.out)

    outer = Archive()
    outer.string('Vellumkit27')
    outer.u32(1)
    packed = zlib.compress(inner)
    outer.u32(len(inner))
    outer.u32(len(packed))
    outer.raw(packed)
    return bytes(outer.out)


def expected():
    return {
        'header': HEADER,
        'pages': [dict(PAGE, objects=[OBJECT, FRAME])],
        'embedded_files': [{'file_type': 1, 'file_name': 'sound.wav'},
                           {'file_type': 10, 'file_name': 'notes.txt'},
                           {'file_type': 11, 'file_name': 'empty.bin'}],
    }


if __name__ == '__main__':
    with open(sys.argv[1], 'wb') as f:
        f.write(project())
    with open(sys.argv[2], 'w') as f:
        json.dump(expected(), f, indent=1)
