#!/usr/bin/env python3
"""Draws the program's pictures: res/app.ico (32x32, 16 colours) and res/logo.bmp
(200x49, 24 bits). Standard library only, so anyone can remake them:

    python3 res/make_images.py

The mark is a quill feather drawn from a few shape functions and sampled many times per
pixel; the word "Quillfern" is set in a small rounded stroke font whose strokes are
centre lines with a round pen, anti-aliased by their distance to each pixel.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

WHITE = (255, 255, 255)
INK = (0x26, 0x33, 0x3d)  # "Quill": dark slate
FERN = (0x2a, 0x8a, 0x5c)  # "fern" and the feather
VANE_DARK = ((0x15, 0x5e, 0x43), (0x2f, 0x8f, 0x5f))  # base -> tip
VANE_LIGHT = ((0x3c, 0xa2, 0x6e), (0x8f, 0xd6, 0x9f))
RACHIS = (0xf2, 0xfa, 0xf4)
QUILL = (0x1d, 0x3b, 0x33)


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# ---------------------------------------------------------------- the feather mark
# The mark lives in a unit square, y pointing down. The feather's axis runs from the
# quill's nib at the lower left to the tip at the upper right.
NIB = (0.10, 0.92)
TIP = (0.92, 0.06)
AXIS_LEN = math.hypot(TIP[0] - NIB[0], TIP[1] - NIB[1])
AX = ((TIP[0] - NIB[0]) / AXIS_LEN, (TIP[1] - NIB[1]) / AXIS_LEN)
LEFT = (AX[1], -AX[0])  # towards the upper left of the axis

VANE_START = 0.24  # share of the length taken by the bare quill
WIDTH_UPPER = 0.165  # half widths of the vanes, in axis lengths
WIDTH_LOWER = 0.125
BEND = -0.035  # the shaft bows gently towards the lower right


def vane_profile(u):
    if u <= 0.0 or u >= 1.0:
        return 0.0
    return math.sin(math.pi * u ** 0.72) ** 0.85


def rachis_offset(s):
    return BEND * math.sin(math.pi * min(1.0, max(0.0, s)))


def notched(s, across, width, notches):
    # A split between barbs: a thin wedge from the edge towards the shaft, slanting to the tip.
    for start, depth in notches:
        if across < width * (1.0 - depth):
            continue
        line = start + 0.55 * across
        gap = 0.030 * (across - width * (1.0 - depth)) / max(width * depth, 1e-6) + 0.004
        if abs(s - line) < gap * 0.5:
            return True
    return False


def feather_colour(x, y, splits):
    """Colour of the feather at a point of the unit square, or None outside it. Splits
    between barbs are drawn only when asked: at icon size they read as dirt."""
    dx, dy = x - NIB[0], y - NIB[1]
    s = (dx * AX[0] + dy * AX[1]) / AXIS_LEN
    n = (dx * LEFT[0] + dy * LEFT[1]) / AXIS_LEN
    if s < 0.0 or s > 1.0:
        return None
    c = n - rachis_offset(s)
    u = (s - VANE_START) / (1.0 - VANE_START)

    # The shaft: a quill below the vanes, tapering to the nib, and a fine light line inside.
    if u < 0.0:
        half = 0.006 + 0.016 * (s / VANE_START) ** 0.8
        return QUILL if abs(c) <= half else None
    shaft = 0.011 * (1.0 - u) ** 0.7
    if abs(c) <= shaft and u < (0.93 if splits else 0.8):
        return RACHIS

    p = vane_profile(u)
    if c > 0.0:
        width = WIDTH_UPPER * p
        if c > width or (splits and notched(s, c, width, ((0.50, 0.55), (0.74, 0.45)))):
            return None
        return mix(VANE_DARK[0], VANE_DARK[1], u * 0.9 + c / WIDTH_UPPER * 0.25)
    width = WIDTH_LOWER * p
    if -c > width or (splits and notched(s, -c, width, ((0.62, 0.50),))):
        return None
    return mix(VANE_LIGHT[0], VANE_LIGHT[1], u * 0.8 + 0.1)


def render_mark(width, height, left, top, size, samples, splits):
    """RGBA rows (colour floats premultiplied by coverage) of the mark drawn at left,top."""
    rows = []
    step = 1.0 / samples
    for py in range(height):
        row = []
        for px in range(width):
            r = g = b = cover = 0.0
            for sy in range(samples):
                y = (py + (sy + 0.5) * step - top) / size
                for sx in range(samples):
                    x = (px + (sx + 0.5) * step - left) / size
                    col = feather_colour(x, y, splits)
                    if col is not None:
                        r += col[0]
                        g += col[1]
                        b += col[2]
                        cover += 1.0
            total = samples * samples
            row.append((r / total, g / total, b / total, cover / total))
        rows.append(row)
    return rows


# ---------------------------------------------------------------- the stroke font
# Glyphs are centre lines on a grid where the baseline is y=0 and y points up; the pen is
# round, so every end is rounded. Design units are scaled by SCALE to pixels of the logo.
SCALE = 1.08
X_HEIGHT = 16.0
ASCENT = 22.5
PEN = 3.3
R = PEN / 2.0


def arc(cx, cy, rx, ry, a0, a1, steps=28):
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


def glyph(ch):
    """Strokes (polylines) and advance of one letter; x starts at the left edge of the ink."""
    top = X_HEIGHT - R
    low = R
    if ch == "Q":
        ry = (ASCENT - PEN) / 2.0 + 0.3
        rx = ry * 1.02
        cx, cy = R + rx, ASCENT / 2.0
        ring = arc(cx, cy, rx, ry, 0, 360, 72)
        tail = [(cx + 0.22 * rx, cy - 0.42 * ry), (cx + 1.08 * rx, cy - 1.22 * ry)]
        return [ring, tail], 2 * rx + PEN
    if ch == "u":
        w = 9.6
        bowl = [(R, top)] + arc(R + w / 2, low + w / 2, w / 2, w / 2, 180, 360, 20)
        return [bowl, [(R + w, top), (R + w, low)]], w + PEN
    if ch == "n":
        w = 9.6
        arch = [(R, low), (R, top - w / 2)] + arc(R + w / 2, top - w / 2, w / 2, w / 2, 180, 0, 20)
        return [[(R, low), (R, top)], arch + [(R + w, low)]], w + PEN
    if ch == "i":
        return [[(R, low), (R, top)], [(R, X_HEIGHT + 4.6)]], PEN
    if ch == "l":
        return [[(R, low), (R, ASCENT - R)]], PEN
    if ch == "f":
        stem = 3.4
        hook = [(stem, low), (stem, ASCENT - R - 3.6)] + arc(stem + 3.6, ASCENT - R - 3.6, 3.6, 3.6, 180, 70, 14)
        return [hook, [(stem - 3.0, top), (stem + 4.8, top)]], stem + 5.6 + R
    if ch == "e":
        rad = (X_HEIGHT - PEN) / 2.0
        cx, cy = R + rad, X_HEIGHT / 2.0
        ring = [(R + 0.3, cy), (cx + rad, cy)] + arc(cx, cy, rad, rad, 0, 318, 48)
        return [ring], 2 * rad + PEN
    if ch == "r":
        w = 6.4
        shoulder = [(R, top - w / 2)] + arc(R + w / 2, top - w / 2, w / 2, w / 2, 180, 55, 14)
        return [[(R, low), (R, top)], shoulder], w + PEN - 0.8
    raise ValueError(ch)


def segments_of(strokes, x0, baseline):
    segs = []
    for stroke in strokes:
        pts = [(x0 + x * SCALE, baseline - y * SCALE) for x, y in stroke]
        if len(pts) == 1:
            segs.append((pts[0], pts[0]))
        for a, b in zip(pts, pts[1:]):
            segs.append((a, b))
    return segs


def distance(px, py, seg):
    (ax, ay), (bx, by) = seg
    vx, vy = bx - ax, by - ay
    wx, wy = px - ax, py - ay
    length2 = vx * vx + vy * vy
    t = 0.0 if length2 == 0.0 else max(0.0, min(1.0, (wx * vx + wy * vy) / length2))
    return math.hypot(wx - vx * t, wy - vy * t)


def stroke_coverage(segs, px, py, samples=3):
    # The distance to the pen's edge gives smooth edges; a few samples keep joins and dots round.
    total = 0.0
    for sy in range(samples):
        for sx in range(samples):
            x = px + (sx + 0.5) / samples
            y = py + (sy + 0.5) / samples
            d = min(distance(x, y, s) for s in segs)
            total += min(1.0, max(0.0, R * SCALE - d + 0.5 / samples))
    return total / (samples * samples)


def paint_word(image, word, x, baseline, colours, tracking):
    for i, ch in enumerate(word):
        strokes, advance = glyph(ch)
        segs = segments_of(strokes, x, baseline)
        xs = [p[0] for s in segs for p in s]
        ys = [p[1] for s in segs for p in s]
        reach = R * SCALE + 2
        for py in range(max(0, int(min(ys) - reach)), min(len(image), int(max(ys) + reach))):
            for px in range(max(0, int(min(xs) - reach)), min(len(image[0]), int(max(xs) + reach))):
                a = stroke_coverage(segs, px, py)
                if a > 0.0:
                    image[py][px] = mix(image[py][px], colours[i], a)
        x += advance * SCALE + tracking
    return x


def word_width(word, tracking):
    return sum(glyph(ch)[1] for ch in word) * SCALE + tracking * (len(word) - 1)


# ---------------------------------------------------------------- files
def write_bmp(path, image):
    height, width = len(image), len(image[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(image):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((round(b), round(g), round(r)))
        pixels += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def median_cut(colours, count):
    boxes = [list(colours)]
    while len(boxes) < count:
        boxes.sort(key=lambda box: max(max(c[i] for c in box) - min(c[i] for c in box) for i in range(3))
                   if len(box) > 1 else -1)
        box = boxes.pop()
        if len(box) < 2:
            boxes.append(box)
            break
        channel = max(range(3), key=lambda i: max(c[i] for c in box) - min(c[i] for c in box))
        box.sort(key=lambda c: c[channel])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(round(sum(c[i] for c in box) / len(box)) for i in range(3)) for box in boxes]


def write_icon(path, size=32):
    rgba = render_mark(size, size, 0.0, 0.0, float(size), 8, False)
    opaque = [[a >= 0.45 for (_, _, _, a) in row] for row in rgba]
    colour = [[None] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            r, g, b, a = rgba[y][x]
            if not opaque[y][x]:
                continue
            c = (r / a, g / a, b / a)
            # A pixel on the outline is darkened, so the shape stays crisp on any background.
            edge = any(not (0 <= x + dx < size and 0 <= y + dy < size and opaque[y + dy][x + dx])
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge:
                c = mix(c, (0x0e, 0x3a, 0x2a), 0.4)
            colour[y][x] = c
    used = [c for row in colour for c in row if c is not None]
    # Index 0 is black: with its mask bit set it leaves the background untouched.
    palette = [(0, 0, 0)] + median_cut(used, 15)
    palette += [(0, 0, 0)] * (16 - len(palette))

    def nearest(c):
        return min(range(1, 16), key=lambda i: sum((palette[i][k] - c[k]) ** 2 for k in range(3)))

    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        indices = [0 if colour[y][x] is None else nearest(colour[y][x]) for x in range(size)]
        for x in range(0, size, 2):
            xor.append(indices[x] << 4 | indices[x + 1])
        bits = 0
        for x in range(size):
            bits = bits << 1 | (1 if colour[y][x] is None else 0)
        mask += bits.to_bytes(size // 8, "big")
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 0, 0)
    quads = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    image = info + quads + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


def make_logo(path, width=200, height=49):
    image = [[WHITE] * width for _ in range(height)]
    word = "Quillfern"
    tracking = 2.2
    mark_size, gap = 46.0, 6.0
    # Mark and word are centred together; the feather's corners are empty, so it may
    # reach the bitmap's edges.
    mark_left = (width - mark_size - gap - word_width(word, tracking)) / 2.0
    mark_top = (height - mark_size) / 2.0
    mark = render_mark(width, height, mark_left, mark_top, mark_size, 6, True)
    for y in range(height):
        for x in range(width):
            r, g, b, a = mark[y][x]
            if a > 0.0:
                image[y][x] = tuple(c + w * (1.0 - a) for c, w in zip((r, g, b), WHITE))
    text_left = mark_left + mark_size + gap
    baseline = round((height + ASCENT * SCALE) / 2.0)
    colours = [INK] * 5 + [FERN] * 4
    paint_word(image, word, text_left, baseline, colours, tracking)
    write_bmp(path, image)


if __name__ == "__main__":
    write_icon(os.path.join(HERE, "app.ico"))
    make_logo(os.path.join(HERE, "logo.bmp"))
