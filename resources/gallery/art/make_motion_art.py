#!/usr/bin/env python3
"""Draws the images of the gallery's text-and-motion page into resources/gallery/.

  python3 resources/gallery/art/make_motion_art.py [output-dir]

  spinner.gif  32 x 32, an animated GIF of twelve frames (80 ms each, looping forever): twelve dots on a
               circle, the brightest one going round clockwise; index 0 of its palette is transparent
  fade.png     192 x 28: two 96 x 28 cells side by side, a button face (normal, then hot) for the fading
               button; drawn again for 125, 150 and 200 percent ("fade@150.png", cells of 144 x 42)

Plain Python (zlib for the PNG); the GIF's LZW coder is written out here.
"""

import math
import os
import struct
import sys
import zlib

# ---- GIF ----

PALETTE = [(0, 0, 0), (0xC3, 0xCA, 0xD4), (0x8F, 0xA8, 0xCC), (0x5C, 0x82, 0xBA), (0x2B, 0x57, 0x97)]
PALETTE += [(0, 0, 0)] * (8 - len(PALETTE))  # 8 entries: 3 bits


def lzw(indices, min_code_size):
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, acc, nbits = bytearray(), 0, 0

    def put(code, size):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    def fresh():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, size = fresh()
    put(clear, size)
    word = ()
    for k in indices:
        grown = word + (k,)
        if grown in table:
            word = grown
            continue
        put(table[word], size)
        table[grown] = next_code
        if next_code == (1 << size) and size < 12:
            size += 1
        next_code += 1
        if next_code >= 4095:
            put(clear, size)
            table, next_code, size = fresh()
        word = (k,)
    if word:
        put(table[word], size)
    put(end, size)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def sub_blocks(data):
    return b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255] for i in range(0, len(data), 255)) + b"\0"


def spinner_frame(side, head):
    pixels = [0] * (side * side)
    c = side / 2
    for dot in range(12):
        angle = math.radians(dot * 30 - 90)
        behind = (head - dot) % 12  # 0: the head, then the dots behind it, clockwise
        shade = 4 if behind == 0 else 3 if behind == 1 else 2 if behind <= 3 else 1
        x, y = c + math.cos(angle) * (side * 0.36), c + math.sin(angle) * (side * 0.36)
        r = side * (0.085 if behind == 0 else 0.07)
        for py in range(side):
            for px in range(side):
                if (px + 0.5 - x) ** 2 + (py + 0.5 - y) ** 2 <= r * r:
                    pixels[py * side + px] = shade
    return pixels


def spinner_gif(side=32, frames=12, delay_cs=8):
    out = bytearray(b"GIF89a" + struct.pack("<HHBBB", side, side, 0xF2, 0, 0))  # global table of 8
    out += b"".join(bytes(rgb) for rgb in PALETTE)
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01" + struct.pack("<H", 0) + b"\0"  # loop forever
    for head in range(frames):
        # Graphic control: restore to the background after the frame, index 0 transparent.
        out += b"\x21\xF9\x04" + bytes([0x09]) + struct.pack("<H", delay_cs) + b"\0\0"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, side, side, 0)
        out += b"\x03" + sub_blocks(lzw(spinner_frame(side, head), 3))
    out += b"\x3B"
    return bytes(out)

# ---- PNG ----


def png(width, height, rgba_rows):
    raw = b"".join(b"\0" + bytes(row) for row in rgba_rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def fade_png(percent=100):
    w, h, radius = round(96 * percent / 100), round(28 * percent / 100), 6 * percent / 100
    looks = [((0xE9, 0xED, 0xF2), (0xC3, 0xCA, 0xD4)), ((0xC9, 0xDA, 0xF2), (0x2B, 0x57, 0x97))]  # fill, edge
    rows = []
    for y in range(h):
        row = []
        for cell, (fill, edge) in enumerate(looks):
            for x in range(w):
                # Coverage of a rounded rectangle, sampled 4 x 4.
                inside = 0
                for sy in range(4):
                    for sx in range(4):
                        px, py = x + (sx + 0.5) / 4, y + (sy + 0.5) / 4
                        dx = max(radius - px, 0, px - (w - radius))
                        dy = max(radius - py, 0, py - (h - radius))
                        inside += dx * dx + dy * dy <= radius * radius
                on_edge = x in (0, w - 1) or y in (0, h - 1)
                rgb = edge if on_edge else fill
                row += [*rgb, round(255 * inside / 16)]
        rows.append(row)
    return png(2 * w, h, rows)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    with open(os.path.join(out, "spinner.gif"), "wb") as f:
        f.write(spinner_gif())
    for percent in (100, 125, 150, 200):
        name = "fade.png" if percent == 100 else "fade@%d.png" % percent
        with open(os.path.join(out, name), "wb") as f:
            f.write(fade_png(percent))


if __name__ == "__main__":
    main()
