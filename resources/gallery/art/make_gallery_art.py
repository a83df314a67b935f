#!/usr/bin/env python3
"""Draws the gallery's images into resources/gallery/, with the launcher art's canvas.

  python3 resources/gallery/art/make_gallery_art.py [output-dir]

  check.png  128 x 16: eight 16 x 16 cells side by side, a check box unchecked (normal, hot, pushed,
             disabled) then checked (the same four)
  radio.png  128 x 16: the same eight cells for a radio button
  arrow.png  64 x 16: four 16 x 16 cells, a drop-down arrow (normal, hot, pushed, disabled)
  thumb.png  64 x 16: the same four cells for a slider's round thumb

Like the launcher's images each is drawn again for 125, 150 and 200 percent ("check@150.png", cells of
24 x 24), so that every scale is sharp.
"""

import importlib.util
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("make_art", os.path.join(HERE, "..", "..", "art", "make_art.py"))
art = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(art)

BLUE = (0x2B, 0x57, 0x97, 255)
LOOKS = [  # frame, fill, mark
    ((0x8A, 0x8A, 0x8A, 255), (0xFF, 0xFF, 0xFF, 255), BLUE),              # normal
    (BLUE, (0xEE, 0xF3, 0xFB, 255), BLUE),                                 # hot
    ((0x1E, 0x3F, 0x6E, 255), (0xD6, 0xE2, 0xF5, 255), (0x1E, 0x3F, 0x6E, 255)),  # pushed
    ((0xC8, 0xC8, 0xC8, 255), (0xF2, 0xF2, 0xF2, 255), (0xB0, 0xB0, 0xB0, 255)),  # disabled
]


def strip(percent, cell_painter, states=(False, True)):
    side = art.scaled(16, percent)
    canvas = art.Canvas(4 * len(states) * side, side)
    for checked in states:
        for i, look in enumerate(LOOKS):
            cell = art.Canvas(side, side)
            cell_painter(cell, percent / 100, look, checked)
            canvas.paste(cell, side * (4 * checked + i), 0)
    return canvas


def check_cell(cell, s, look, checked):
    frame, fill, mark = look
    cell.fill(art.rounded_rect(1 * s, 1 * s, 15 * s, 15 * s, 2.5 * s), art.solid(mark if checked else frame))
    inner = mark if checked else fill
    cell.fill(art.rounded_rect(2.2 * s, 2.2 * s, 13.8 * s, 13.8 * s, 1.5 * s), art.solid(inner))
    if checked:
        white = (255, 255, 255, 255)
        cell.fill(art.segment_shape(4.6 * s, 8.2 * s, 7.0 * s, 10.6 * s, 1.1 * s), art.solid(white))
        cell.fill(art.segment_shape(7.0 * s, 10.6 * s, 11.6 * s, 5.6 * s, 1.1 * s), art.solid(white))


def radio_cell(cell, s, look, checked):
    frame, fill, mark = look
    c = 8 * s
    circle = lambda r: (lambda x, y: (x - c) ** 2 + (y - c) ** 2 <= (r * s) ** 2)
    cell.fill(circle(7.0), art.solid(frame))
    cell.fill(circle(5.8), art.solid(fill))
    if checked:
        cell.fill(circle(3.4), art.solid(mark))


def arrow_cell(cell, s, look, _):
    frame, _fill, mark = look
    colour = mark if frame != LOOKS[3][0] else frame
    cell.fill(art.segment_shape(4.5 * s, 6.5 * s, 8.0 * s, 10.0 * s, 1.0 * s), art.solid(colour))
    cell.fill(art.segment_shape(8.0 * s, 10.0 * s, 11.5 * s, 6.5 * s, 1.0 * s), art.solid(colour))


def thumb_cell(cell, s, look, _):
    frame, fill, _mark = look
    c = 8 * s
    circle = lambda r: (lambda x, y: (x - c) ** 2 + (y - c) ** 2 <= (r * s) ** 2)
    cell.fill(circle(7.0), art.solid(frame))
    cell.fill(circle(5.0), art.solid(fill))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..")
    pictures = (("check", check_cell, (False, True)), ("radio", radio_cell, (False, True)),
                ("arrow", arrow_cell, (False,)), ("thumb", thumb_cell, (False,)))
    for name, painter, states in pictures:
        for percent in (100,) + art.SCALES:
            suffix = "" if percent == 100 else "@%d" % percent
            with open(os.path.join(out, "%s%s.png" % (name, suffix)), "wb") as f:
                f.write(strip(percent, painter, states).png())


if __name__ == "__main__":
    main()
