#!/usr/bin/env python3
"""Checks the independent writer's moving pictures as the headless player showed them.

Usage: check_motion.py FIRST.png LATER.png
FIRST is taken 50 ms after the page was entered, LATER 100 ms after that.
"""
import sys

from check_render import read_png

BACKGROUND, RED, BLUE, GREEN = (192, 192, 192), (255, 0, 0), (0, 0, 255), (0, 160, 0)


def area(pixel, left, top, right, bottom):
    return [pixel(x, y) for y in range(top, bottom) for x in range(left, right)]


def main():
    first, later = read_png(sys.argv[1]), read_png(sys.argv[2])
    problems = []

    def expect(what, got, want):
        if got != want:
            problems.append('%s: expected %r, got %r' % (what, want, got))

    # The GIF has moved on to its second frame.
    expect('GIF, first frame', first(30, 20), RED)
    expect('GIF, 100 ms later', later(30, 20), BLUE)
    # The plasma fills its rectangle and has stepped.
    plasma_first, plasma_later = area(first, 60, 10, 140, 70), area(later, 60, 10, 140, 70)
    expect('plasma drawn', BACKGROUND in plasma_first, False)
    expect('plasma stepped', plasma_first != plasma_later, True)
    # Green on the picture's left half, and on its right half where it is mirrored.
    expect('metafile, left half', first(170, 40), GREEN)
    expect('metafile, right half', first(210, 40), BACKGROUND)
    expect('mirrored metafile, left half', first(260, 40), BACKGROUND)
    expect('mirrored metafile, right half', first(300, 40), GREEN)
    # A quarter turn clockwise about the centre (40, 115): 30 x 60, red above, blue below.
    expect('turned picture, top', first(40, 92), RED)
    expect('turned picture, bottom', first(40, 138), BLUE)
    expect('beside the turned picture', first(15, 115), BACKGROUND)
    # The panorama shows its picture.
    expect('panorama drawn', BACKGROUND in area(first, 150, 100, 310, 180), False)

    for p in problems:
        print(p)
    print('%d mismatches' % len(problems))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
