#!/usr/bin/env python3
"""Draws the launcher's skin images into resources/skin/.

Only the Python standard library is used (zlib and struct write the PNG files), so the output is the same
byte for byte on every machine. Run it from anywhere:  python3 resources/art/make_art.py [output-dir]

Images and their required sizes:
  Shadow.png           nine-grid shadow, corners 30,24,30,36
  btn_close.png        30 x 90, three 30 x 30 state cells stacked downwards (normal, hot, pushed)
  soft_logo.png        48 x 48
  progress_bar.png     200 x 18, fore part at x 0..100, track at x 100..200
  main_titile_icon.png 24 x 24
  btn_install.png      560 x 40, four 140 x 40 state cells side by side (normal, hot, pushed, disabled)
  ../app.ico           program icon 107: 16, 20, 24, 32, 40, 48, 64 (DIB), 96, 128 and 256 (PNG) pixels

Every skin image is also drawn for the display scales 125, 150 and 200 percent under the framework's
names for them ("btn_close@150.png"): each size above scaled as MulDiv(v, percent, 100) does, state cells
kept whole (btn_close@150.png is 45 x 135, three 45 x 45 cells), the drawing itself scaled, so that
those scales are sharp rather than resampled. At 100 percent the pictures are the ones listed above.
"""

import math
import os
import struct
import sys
import zlib


class Canvas:
    """An RGBA canvas with straight (not premultiplied) alpha and source-over drawing."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.px = [[(0, 0, 0, 0) for _ in range(width)] for _ in range(height)]

    def blend(self, x, y, colour, coverage):
        if coverage <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        r, g, b, a = colour
        sa = a / 255.0 * min(coverage, 1.0)
        dr, dg, db, da = self.px[y][x]
        da /= 255.0
        oa = sa + da * (1 - sa)
        if oa <= 0:
            self.px[y][x] = (0, 0, 0, 0)
            return
        mix = lambda s, d: int(round((s * sa + d * da * (1 - sa)) / oa))
        self.px[y][x] = (mix(r, dr), mix(g, dg), mix(b, db), int(round(oa * 255)))

    def fill(self, shape, colour_at, samples=4):
        """Fills every pixel by the share of its sub-samples for which shape(x, y) holds."""
        step = 1.0 / samples
        for y in range(self.height):
            for x in range(self.width):
                hits = 0
                for sy in range(samples):
                    for sx in range(samples):
                        if shape(x + (sx + 0.5) * step, y + (sy + 0.5) * step):
                            hits += 1
                if hits:
                    self.blend(x, y, colour_at(x, y), hits / (samples * samples))

    def paste(self, other, ox, oy):
        for y in range(other.height):
            for x in range(other.width):
                self.px[oy + y][ox + x] = other.px[y][x]

    def png(self):
        raw = bytearray()
        for row in self.px:
            raw.append(0)
            for p in row:
                raw.extend(p)
        chunk = lambda kind, data: (struct.pack(">I", len(data)) + kind + data
                                    + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def rounded_rect(left, top, right, bottom, radius):
    def inside(x, y):
        if not (left <= x < right and top <= y < bottom):
            return False
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    return inside


def lerp(c1, c2, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


def vertical_gradient(top_colour, bottom_colour, top, bottom):
    return lambda x, y: lerp(top_colour, bottom_colour, (y - top) / max(bottom - top - 1, 1))


def solid(colour):
    return lambda x, y: colour


def segment_shape(x1, y1, x2, y2, half_width):
    """A thick line from (x1, y1) to (x2, y2) with round ends."""
    dx, dy = x2 - x1, y2 - y1
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = min(max(((x - x1) * dx + (y - y1) * dy) / length2, 0.0), 1.0)
        px, py = x1 + t * dx, y1 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half_width * half_width
    return inside


SCALES = (125, 150, 200)


def scaled(v, percent):
    """v * percent / 100 rounded as MulDiv rounds (halves away from zero)."""
    return (v * percent + 50) // 100


def shadow(percent=100):
    # The window sits on the inner rectangle; the shadow falls off over 30 pixels and hangs 6 pixels low,
    # matching the nine-grid corners 30,24,30,36 (left, top, right, bottom).
    w = h = scaled(100, percent)
    left, top, right, bottom = (scaled(v, percent) for v in (30, 24, 30, 36))
    fall = scaled(30, percent)
    inner = (left, top, w - right, h - bottom)
    canvas = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            dx = max(inner[0] - (x + 0.5), 0, (x + 0.5) - inner[2])
            dy = max(inner[1] - (y + 0.5), 0, (y + 0.5) - inner[3])
            d = math.hypot(dx, dy)
            if d < fall:
                a = int(round(70 * (1 - d / fall) ** 2))
                canvas.px[y][x] = (0, 0, 0, a)
    return canvas


def close_button(percent=100):
    s = percent / 100
    side = scaled(30, percent)
    canvas = Canvas(side, 3 * side)
    looks = [((0, 0, 0, 0), (0x99, 0x99, 0x99, 255)),            # normal: grey cross
             ((0xE8, 0x11, 0x23, 255), (255, 255, 255, 255)),     # hot: white cross on red
             ((0xB8, 0x0D, 0x1C, 255), (255, 255, 255, 255))]     # pushed: darker red
    for i, (back, cross) in enumerate(looks):
        cell = Canvas(side, side)
        if back[3]:
            cell.fill(lambda x, y: True, solid(back), samples=1)
        cell.fill(segment_shape(10 * s, 10 * s, 20 * s, 20 * s, 0.9 * s), solid(cross))
        cell.fill(segment_shape(20 * s, 10 * s, 10 * s, 20 * s, 0.9 * s), solid(cross))
        canvas.paste(cell, 0, side * i)
    return canvas


def logo(size):
    canvas = Canvas(size, size)
    s = size / 48.0
    canvas.fill(rounded_rect(1 * s, 1 * s, size - 1 * s, size - 1 * s, 9 * s),
                vertical_gradient((0x3A, 0x8D, 0xFF, 255), (0x1A, 0x4F, 0xC4, 255), 0, size))
    # A playing card with a diamond on it.
    canvas.fill(rounded_rect(14 * s, 9 * s, 34 * s, 39 * s, 3 * s), solid((255, 255, 255, 255)))
    cx, cy, r = 24 * s, 24 * s, 7 * s
    canvas.fill(lambda x, y: abs(x - cx) / (r * 0.75) + abs(y - cy) / r <= 1.0, solid((0xE0, 0x30, 0x40, 255)))
    return canvas


def progress_bar(percent=100):
    s = percent / 100
    half = scaled(100, percent)
    w, h = 2 * half, scaled(18, percent)
    canvas = Canvas(w, h)
    # Fore part (0..100): a rounded green bar with a light top edge; corners 10,2,22,2 keep its ends intact.
    canvas.fill(rounded_rect(0, 2 * s, half, 16 * s, 7 * s),
                vertical_gradient((0x5F, 0xD0, 0x6A, 255), (0x2E, 0xA0, 0x3C, 255), 2 * s, 16 * s))
    # Track (100..200): a light grey rounded channel; corners 5,2,5,2.
    canvas.fill(rounded_rect(half, 2 * s, w, 16 * s, 5 * s), solid((0xC8, 0xC8, 0xC8, 255)))
    canvas.fill(rounded_rect(half + 1 * s, 3 * s, w - 1 * s, 15 * s, 4 * s), solid((0xEE, 0xEE, 0xEE, 255)))
    return canvas


def install_button(percent=100):
    s = percent / 100
    cw, ch = scaled(140, percent), scaled(40, percent)
    canvas = Canvas(4 * cw, ch)
    looks = [((0xFF, 0xD8, 0x5A, 255), (0xF2, 0xB8, 0x1E, 255)),   # normal
             ((0xFF, 0xE4, 0x80, 255), (0xF7, 0xC8, 0x40, 255)),   # hot
             ((0xEC, 0xBE, 0x30, 255), (0xD9, 0xA4, 0x10, 255)),   # pushed
             ((0xE2, 0xE2, 0xE2, 255), (0xCC, 0xCC, 0xCC, 255))]   # disabled
    for i, (top, bottom) in enumerate(looks):
        cell = Canvas(cw, ch)
        cell.fill(rounded_rect(0.5, 0.5, cw - 0.5, ch - 0.5, 6 * s), vertical_gradient(top, bottom, 0, ch))
        canvas.paste(cell, cw * i, 0)
    return canvas


def skin_images(percent):
    return {
        "Shadow.png": shadow(percent),
        "btn_close.png": close_button(percent),
        "soft_logo.png": logo(scaled(48, percent)),
        "progress_bar.png": progress_bar(percent),
        "main_titile_icon.png": logo(scaled(24, percent)),
        "btn_install.png": install_button(percent),
    }


def scaled_name(name, percent):
    """The framework's name of an image at a scale: every "." becomes "@percent."."""
    return name if percent == 100 else name.replace(".", "@%d." % percent)


def icon_entry_dib(canvas):
    """One icon image as a 32-bit DIB with its AND mask (readable by every Windows version)."""
    w, h = canvas.width, canvas.height
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = canvas.px[y][x]
            pixels += bytes((b, g, r, a))
    stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if canvas.px[y][x][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(pixels) + bytes(mask)


def icon_file(canvases):
    """An .ico holding the given square images: DIB entries up to 64 pixels, PNG above.

    Windows XP reads only DIB entries and never asks for more than 64 pixels (its largest
    icon, at 192 dpi); Vista and later read both. A 128-pixel DIB is 67 KB, its PNG 3 KB.
    """
    images = [c.png() if c.width > 64 else icon_entry_dib(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        side = c.width if c.width < 256 else 0
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "skin")
    os.makedirs(out, exist_ok=True)
    for percent in (100,) + SCALES:
        for name, canvas in skin_images(percent).items():
            with open(os.path.join(out, scaled_name(name, percent)), "wb") as f:
                f.write(canvas.png())
    # The program icon (resource 107) in the usual sizes and the large ones that high
    # display scales ask for, beside the resource script.
    if len(sys.argv) <= 1:
        with open(os.path.join(here, "..", "app.ico"), "wb") as f:
            f.write(icon_file([logo(n) for n in (16, 20, 24, 32, 40, 48, 64, 96, 128, 256)]))


if __name__ == "__main__":
    main()
