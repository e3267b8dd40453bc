#!/usr/bin/env python3
"""Draws the resource art of the Arcseal programs.

    python3 scripts/make-art.py viewer OUTDIR
    python3 scripts/make-art.py help OUTDIR

writes the icons, bitmaps and cursor that viewer/discview.rc includes, or the
pictures of the installed help pages (as bitmaps, which the build converts to
JPEG and GIF), into OUTDIR. Everything is drawn here with the Python standard
library only, and every run writes the same bytes.

The file has four parts: a small drawing toolkit (Canvas and point sets), two
hand-made fonts (a bold pixel font and a stroke font for large anti-aliased
text), writers for the Windows file formats (BMP, ICO, CUR), and the drawings
of each target.
"""

import math
import os
import struct
import sys

# --------------------------------------------------------------------------
# Colours
# --------------------------------------------------------------------------

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
MAGENTA = (255, 0, 255)  # the key colour of the bitmaps the program makes transparent

# The standard 16-colour Windows palette, in its usual order.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# Letters for the palette in hand-drawn pixel maps; '.' is transparent.
VGA_KEYS = {
    '.': None,
    'K': VGA[0],   # black
    'r': VGA[1],   # dark red
    'g': VGA[2],   # dark green
    'o': VGA[3],   # olive
    'n': VGA[4],   # navy
    'p': VGA[5],   # purple
    't': VGA[6],   # teal
    's': VGA[7],   # silver
    'G': VGA[8],   # grey
    'R': VGA[9],   # red
    'L': VGA[10],  # lime
    'Y': VGA[11],  # yellow
    'B': VGA[12],  # blue
    'F': VGA[13],  # fuchsia
    'A': VGA[14],  # aqua
    'W': VGA[15],  # white
}


def mix(a, b, t):
    """The colour t of the way from a to b (t from 0 to 1)."""
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return (int(a[0] + (b[0] - a[0]) * t + 0.5),
            int(a[1] + (b[1] - a[1]) * t + 0.5),
            int(a[2] + (b[2] - a[2]) * t + 0.5))


def clamp01(v):
    return 0.0 if v < 0 else 1.0 if v > 1 else v


# --------------------------------------------------------------------------
# Canvas
# --------------------------------------------------------------------------

class Canvas:
    """A picture of RGB tuples; None is a transparent pixel."""

    def __init__(self, width, height, colour=None):
        self.width = width
        self.height = height
        self.pixels = [colour] * (width * height)

    def inside(self, x, y):
        return 0 <= x < self.width and 0 <= y < self.height

    def set(self, x, y, colour):
        if self.inside(x, y):
            self.pixels[y * self.width + x] = colour

    def get(self, x, y):
        return self.pixels[y * self.width + x] if self.inside(x, y) else None

    def fill(self, colour):
        self.pixels = [colour] * (self.width * self.height)

    def fill_rect(self, x, y, w, h, colour):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.set(xx, yy, colour)

    def rect(self, x, y, w, h, colour):
        self.hline(x, x + w - 1, y, colour)
        self.hline(x, x + w - 1, y + h - 1, colour)
        self.vline(x, y, y + h - 1, colour)
        self.vline(x + w - 1, y, y + h - 1, colour)

    def hline(self, x0, x1, y, colour):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            self.set(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            self.set(x, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        self.plot(line_points(x0, y0, x1, y1), colour)

    def circle(self, cx, cy, r, colour):
        """The one-pixel outline of disc(cx, cy, r)."""
        self.plot(border(disc_points(cx, cy, r)), colour)

    def disc(self, cx, cy, r, colour):
        self.plot(disc_points(cx, cy, r), colour)

    def polygon(self, points, colour):
        self.plot(polygon_points(points), colour)

    def plot(self, points, colour):
        for x, y in points:
            self.set(x, y, colour)

    def sprite(self, rows, keys=VGA_KEYS, x=0, y=0):
        """Draws a hand-made pixel map: one string a row, one letter a pixel."""
        for dy, row in enumerate(rows):
            for dx, letter in enumerate(row):
                colour = keys[letter]
                if colour is not None:
                    self.set(x + dx, y + dy, colour)

    def blit(self, other, x, y):
        """Draws another canvas at (x, y), leaving out its transparent pixels."""
        for yy in range(other.height):
            for xx in range(other.width):
                colour = other.pixels[yy * other.width + xx]
                if colour is not None:
                    self.set(x + xx, y + yy, colour)

    def blend(self, x, y, colour, alpha):
        """Lays colour over the pixel with the opacity alpha (0 to 1)."""
        if alpha <= 0 or not self.inside(x, y):
            return
        under = self.pixels[y * self.width + x]
        if alpha >= 1 or under is None:
            self.pixels[y * self.width + x] = colour
        else:
            self.pixels[y * self.width + x] = mix(under, colour, alpha)

    def paint(self, distance, colour, box, opacity=1.0):
        """Anti-aliased fill of a shape given by its signed distance function.

        distance(x, y) is negative inside the shape and positive outside, in
        pixels, for the pixel centre (x, y). colour is a colour or a function
        of (x, y). box = (x0, y0, x1, y1) limits the pixels looked at.
        opacity scales the cover.
        """
        x0, y0, x1, y1 = box
        for y in range(max(0, int(y0)), min(self.height, int(y1) + 1)):
            for x in range(max(0, int(x0)), min(self.width, int(x1) + 1)):
                cover = clamp01(0.5 - distance(x + 0.5, y + 0.5))
                if cover > 0:
                    c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    self.blend(x, y, c, cover * opacity)

    def mask(self, coverage, colour, dx=0, dy=0, opacity=1.0):
        """Lays a colour through a coverage mask (see Coverage)."""
        for (x, y), cover in coverage.items():
            c = colour(x, y) if callable(colour) else colour
            self.blend(x + dx, y + dy, c, cover * opacity)

    def replace(self, old, new):
        self.pixels = [new if p == old else p for p in self.pixels]

    def colours(self):
        return set(self.pixels)


# --------------------------------------------------------------------------
# Point sets: shapes as sets of (x, y) pixels
# --------------------------------------------------------------------------

def line_points(x0, y0, x1, y1):
    points = []
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx = 1 if x0 < x1 else -1
    sy = 1 if y0 < y1 else -1
    error = dx + dy
    while True:
        points.append((x0, y0))
        if x0 == x1 and y0 == y1:
            return points
        e2 = 2 * error
        if e2 >= dy:
            error += dy
            x0 += sx
        if e2 <= dx:
            error += dx
            y0 += sy


def disc_points(cx, cy, r):
    """Pixels whose centre lies within r of (cx, cy); cx, cy may be halves."""
    points = set()
    for y in range(int(math.floor(cy - r)) - 1, int(math.ceil(cy + r)) + 1):
        for x in range(int(math.floor(cx - r)) - 1, int(math.ceil(cx + r)) + 1):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                points.add((x, y))
    return points


def polygon_points(points):
    """Pixels whose centre lies inside the polygon (even-odd rule)."""
    result = set()
    ys = [p[1] for p in points]
    for y in range(int(math.floor(min(ys))), int(math.ceil(max(ys))) + 1):
        yc = y + 0.5
        crossings = []
        for i in range(len(points)):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % len(points)]
            if (ay <= yc < by) or (by <= yc < ay):
                crossings.append(ax + (yc - ay) * (bx - ax) / (by - ay))
        crossings.sort()
        for i in range(0, len(crossings) - 1, 2):
            for x in range(int(math.ceil(crossings[i] - 0.5)), int(math.floor(crossings[i + 1] - 0.5)) + 1):
                result.add((x, y))
    return result


def rect_points(x, y, w, h):
    return {(xx, yy) for yy in range(y, y + h) for xx in range(x, x + w)}


def rows_points(x, y, spans):
    """A shape given row by row: spans[i] = (first, last) column of row y + i."""
    return {(xx, y + i) for i, (a, b) in enumerate(spans) for xx in range(x + a, x + b + 1)}


NEIGHBOURS_4 = ((1, 0), (-1, 0), (0, 1), (0, -1))
NEIGHBOURS_8 = NEIGHBOURS_4 + ((1, 1), (1, -1), (-1, 1), (-1, -1))


def border(points, neighbours=NEIGHBOURS_4):
    """The pixels of a shape that touch its outside."""
    return {(x, y) for x, y in points
            if any((x + dx, y + dy) not in points for dx, dy in neighbours)}


def grow(points, neighbours=NEIGHBOURS_8):
    """The shape and every pixel next to it."""
    result = set(points)
    for x, y in points:
        for dx, dy in neighbours:
            result.add((x + dx, y + dy))
    return result


def shifted(points, dx, dy):
    return {(x + dx, y + dy) for x, y in points}


# --------------------------------------------------------------------------
# Signed distance functions for anti-aliased shapes (Canvas.paint)
# --------------------------------------------------------------------------

def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_ring(cx, cy, r_outer, r_inner):
    def distance(x, y):
        d = math.hypot(x - cx, y - cy)
        return max(d - r_outer, r_inner - d)
    return distance


def sd_round_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def distance(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0), max(qy, 0))
        return outside + min(max(qx, qy), 0) - r
    return distance


def sd_segment(ax, ay, bx, by, half_width):
    def distance(x, y):
        return segment_distance(x, y, ax, ay, bx, by) - half_width
    return distance


def segment_distance(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    length2 = vx * vx + vy * vy
    t = 0.0 if length2 == 0 else clamp01(((px - ax) * vx + (py - ay) * vy) / length2)
    return math.hypot(px - ax - t * vx, py - ay - t * vy)


def sd_union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def sd_subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


# --------------------------------------------------------------------------
# Pixel font: bold, cap height 8, x-height 6, descenders 2
# --------------------------------------------------------------------------
# Each glyph is a list of rows from the cap line down; rows 0-7 stand on the
# baseline and rows 8-9 are the descender. Widths vary per glyph.

PIXEL_GLYPHS = {
    'A': [".#####.", "##...##", "##...##", "##...##", "#######", "##...##", "##...##", "##...##"],
    'B': ["######.", "##...##", "##...##", "######.", "##...##", "##...##", "##...##", "######."],
    'C': [".#####.", "##...##", "##.....", "##.....", "##.....", "##.....", "##...##", ".#####."],
    'D': ["######.", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", "######."],
    'E': ["######", "##....", "##....", "#####.", "##....", "##....", "##....", "######"],
    'F': ["######", "##....", "##....", "#####.", "##....", "##....", "##....", "##...."],
    'G': [".#####.", "##...##", "##.....", "##.....", "##..###", "##...##", "##...##", ".#####."],
    'H': ["##...##", "##...##", "##...##", "#######", "##...##", "##...##", "##...##", "##...##"],
    'I': ["##"] * 8,
    'J': ["....##", "....##", "....##", "....##", "....##", "##..##", "##..##", ".####."],
    'K': ["##...##", "##..##.", "##.##..", "####...", "####...", "##.##..", "##..##.", "##...##"],
    'L': ["##....", "##....", "##....", "##....", "##....", "##....", "##....", "######"],
    'M': ["##.....##", "###...###", "####.####", "##.###.##", "##..#..##", "##.....##", "##.....##", "##.....##"],
    'N': ["##...##", "###..##", "####.##", "##.####", "##..###", "##...##", "##...##", "##...##"],
    'O': [".#####.", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", ".#####."],
    'P': ["######.", "##...##", "##...##", "##...##", "######.", "##.....", "##.....", "##....."],
    'Q': [".#####.", "##...##", "##...##", "##...##", "##...##", "##.#.##", "##..##.", ".###.##"],
    'R': ["######.", "##...##", "##...##", "##...##", "######.", "##.##..", "##..##.", "##...##"],
    'S': [".#####.", "##...##", "##.....", ".#####.", ".....##", ".....##", "##...##", ".#####."],
    'T': ["######", "..##..", "..##..", "..##..", "..##..", "..##..", "..##..", "..##.."],
    'U': ["##...##", "##...##", "##...##", "##...##", "##...##", "##...##", "##...##", ".#####."],
    'V': ["##...##", "##...##", "##...##", "##...##", "##...##", ".##.##.", "..###..", "...#..."],
    'W': ["##.....##", "##.....##", "##.....##", "##..#..##", "##.###.##", "####.####", "###...###", "##.....##"],
    'X': ["##...##", "##...##", ".##.##.", "..###..", "..###..", ".##.##.", "##...##", "##...##"],
    'Y': ["##....##", "##....##", ".##..##.", "..####..", "...##...", "...##...", "...##...", "...##..."],
    'Z': ["#######", ".....##", "....##.", "...##..", "..##...", ".##....", "##.....", "#######"],
    'a': ["......", "......", ".####.", "....##", ".#####", "##..##", "##..##", ".#####"],
    'b': ["##....", "##....", "#####.", "##..##", "##..##", "##..##", "##..##", "#####."],
    'c': [".....", ".....", ".####", "##...", "##...", "##...", "##...", ".####"],
    'd': ["....##", "....##", ".#####", "##..##", "##..##", "##..##", "##..##", ".#####"],
    'e': ["......", "......", ".####.", "##..##", "######", "##....", "##..##", ".####."],
    'f': ["..###", ".##..", "####.", ".##..", ".##..", ".##..", ".##..", ".##.."],
    'g': ["......", "......", ".#####", "##..##", "##..##", "##..##", "##..##", ".#####", "....##", ".####."],
    'h': ["##....", "##....", "#####.", "##..##", "##..##", "##..##", "##..##", "##..##"],
    'i': ["##", "..", "##", "##", "##", "##", "##", "##"],
    'j': ["..##", "....", "..##", "..##", "..##", "..##", "..##", "..##", "..##", "###."],
    'k': ["##....", "##....", "##..##", "##.##.", "####..", "####..", "##.##.", "##..##"],
    'l': ["##"] * 8,
    'm': ["..........", "..........", "#########.", "##..##..##", "##..##..##", "##..##..##", "##..##..##", "##..##..##"],
    'n': ["......", "......", "#####.", "##..##", "##..##", "##..##", "##..##", "##..##"],
    'o': ["......", "......", ".####.", "##..##", "##..##", "##..##", "##..##", ".####."],
    'p': ["......", "......", "#####.", "##..##", "##..##", "##..##", "##..##", "#####.", "##....", "##...."],
    'q': ["......", "......", ".#####", "##..##", "##..##", "##..##", "##..##", ".#####", "....##", "....##"],
    'r': [".....", ".....", "##.##", "#####", "###..", "##...", "##...", "##..."],
    's': ["......", "......", ".#####", "##....", "####..", "..####", "....##", "#####."],
    't': [".##..", ".##..", "#####", ".##..", ".##..", ".##..", ".##..", "..###"],
    'u': ["......", "......", "##..##", "##..##", "##..##", "##..##", "##..##", ".#####"],
    'v': ["......", "......", "##..##", "##..##", "##..##", ".####.", ".####.", "..##.."],
    'w': ["........", "........", "##....##", "##....##", "##.##.##", "##.##.##", "########", ".##..##."],
    'x': ["......", "......", "##..##", ".####.", "..##..", "..##..", ".####.", "##..##"],
    'y': ["......", "......", "##..##", "##..##", "##..##", "##..##", "##..##", ".#####", "....##", ".####."],
    'z': ["......", "......", "######", "...##.", "..##..", ".##...", "##....", "######"],
    '0': [".####.", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", ".####."],
    '1': [".##.", "###.", ".##.", ".##.", ".##.", ".##.", ".##.", "####"],
    '2': [".####.", "##..##", "....##", "...##.", "..##..", ".##...", "##....", "######"],
    '3': [".####.", "##..##", "....##", "..###.", "....##", "....##", "##..##", ".####."],
    '4': ["...###", "..####", ".##.##", "##..##", "######", "....##", "....##", "....##"],
    '5': ["######", "##....", "##....", "#####.", "....##", "....##", "##..##", ".####."],
    '6': ["..###.", ".##...", "##....", "#####.", "##..##", "##..##", "##..##", ".####."],
    '7': ["######", "....##", "....##", "...##.", "..##..", "..##..", ".##...", ".##..."],
    '8': [".####.", "##..##", "##..##", ".####.", "##..##", "##..##", "##..##", ".####."],
    '9': [".####.", "##..##", "##..##", "##..##", ".#####", "....##", "...##.", ".###.."],
    ' ': ["..."],
    '.': ["..", "..", "..", "..", "..", "..", "##", "##"],
    ',': ["..", "..", "..", "..", "..", "..", "##", "##", ".#", "#."],
    ':': ["..", "..", "##", "##", "..", "..", "##", "##"],
    ';': ["..", "..", "##", "##", "..", "..", "##", "##", ".#", "#."],
    '!': ["##", "##", "##", "##", "##", "..", "##", "##"],
    '?': [".####.", "##..##", "....##", "...##.", "..##..", "......", "..##..", "..##.."],
    "'": ["##", "##", ".."],
    '"': ["##.##", "##.##", "....."],
    '-': ["....", "....", "....", "....", "####"],
    '+': ["......", "......", "..##..", "..##..", "######", "..##..", "..##.."],
    '=': [".....", ".....", ".....", "#####", ".....", "#####"],
    '_': ["......"] * 9 + ["######"],
    '/': ["....##", "....##", "...##.", "..##..", "..##..", ".##...", "##....", "##...."],
    '(': ["..#", ".##", "##.", "##.", "##.", "##.", "##.", "##.", ".##", "..#"],
    ')': ["#..", "##.", ".##", ".##", ".##", ".##", ".##", ".##", "##.", "#.."],
}


class PixelFont:
    CAP_HEIGHT = 8
    SPACING = 1

    def __init__(self, glyphs):
        self.glyphs = glyphs

    def glyph(self, char):
        if char in self.glyphs:
            return self.glyphs[char]
        return ["#####", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#####"]

    def width(self, text):
        widths = [len(self.glyph(c)[0]) for c in text]
        return sum(widths) + self.SPACING * max(0, len(widths) - 1)

    def draw(self, canvas, x, y, text, colour):
        """Writes text with the top of its capitals at row y; returns the end x."""
        for char in text:
            rows = self.glyph(char)
            for dy, row in enumerate(rows):
                for dx, bit in enumerate(row):
                    if bit == '#':
                        canvas.set(x + dx, y + dy, colour)
            x += len(rows[0]) + self.SPACING
        return x - self.SPACING


PIXEL_FONT = PixelFont(PIXEL_GLYPHS)


# --------------------------------------------------------------------------
# Stroke font: large anti-aliased text
# --------------------------------------------------------------------------
# Glyphs are centre lines in units where the capitals run from y=0 down to the
# baseline y=10; the x-height is at y=3 and descenders reach y=13. Commands:
#   M x y            start a line at (x, y)
#   L x y            draw on to (x, y)
#   A cx cy rx ry a b  draw on along an elliptic arc from angle a to angle b
#                    (degrees; 0 points right, 90 up)
#   O cx cy rx ry    a whole ellipse
#   D x y            a dot
# Each entry is (advance, commands).

STROKE_GLYPHS = {
    'A': (7.2, "M 0 10 L 3.6 0 L 7.2 10 M 1.35 6.6 L 5.85 6.6"),
    'B': (6.2, "M 0 10 L 0 0 L 3 0 A 3 2.5 2.6 2.5 90 -90 L 0 5 M 3 5 L 3.4 5 A 3.4 7.5 2.8 2.5 90 -90 L 0 10"),
    'C': (8.6, "A 5 5 5 5 42 318"),
    'D': (7.4, "M 0 0 L 0 10 L 2.4 10 A 2.4 5 5 5 -90 90 L 0 0"),
    'E': (5.8, "M 5.8 0 L 0 0 L 0 10 L 5.8 10 M 0 5 L 5 5"),
    'F': (5.6, "M 5.6 0 L 0 0 L 0 10 M 0 5 L 4.8 5"),
    'G': (9.4, "A 5 5 5 5 42 360 L 5.6 5"),
    'H': (7.0, "M 0 0 L 0 10 M 7 0 L 7 10 M 0 5 L 7 5"),
    'I': (0.0, "M 0 0 L 0 10"),
    'J': (4.2, "M 4.2 0 L 4.2 7.4 A 2.1 7.4 2.1 2.6 0 -180"),
    'K': (6.6, "M 0 0 L 0 10 M 6.4 0 L 0 6.2 M 2.3 4 L 6.6 10"),
    'L': (5.4, "M 0 0 L 0 10 L 5.4 10"),
    'M': (8.8, "M 0 10 L 0 0 L 4.4 9 L 8.8 0 L 8.8 10"),
    'N': (7.2, "M 0 10 L 0 0 L 7.2 10 L 7.2 0"),
    'O': (10.0, "O 5 5 5 5"),
    'P': (6.2, "M 0 10 L 0 0 L 3.4 0 A 3.4 2.8 2.8 2.8 90 -90 L 0 5.6"),
    'Q': (10.0, "O 5 5 5 5 M 6.4 7 L 10 10.4"),
    'R': (6.4, "M 0 10 L 0 0 L 3.4 0 A 3.4 2.8 2.8 2.8 90 -90 L 0 5.6 M 3.2 5.6 L 6.4 10"),
    'S': (6.4, "A 3.2 2.5 3 2.5 35 270 A 3.2 7.5 3.2 2.5 90 -145"),
    'T': (7.0, "M 0 0 L 7 0 M 3.5 0 L 3.5 10"),
    'U': (7.0, "M 0 0 L 0 6.5 A 3.5 6.5 3.5 3.5 180 360 L 7 0"),
    'V': (7.4, "M 0 0 L 3.7 10 L 7.4 0"),
    'W': (10.6, "M 0 0 L 2.65 10 L 5.3 0 L 7.95 10 L 10.6 0"),
    'X': (6.8, "M 0 0 L 6.8 10 M 6.8 0 L 0 10"),
    'Y': (7.0, "M 0 0 L 3.5 5.2 L 7 0 M 3.5 5.2 L 3.5 10"),
    'Z': (6.4, "M 0 0 L 6.4 0 L 0 10 L 6.4 10"),
    'a': (6.4, "O 3.2 6.5 3.2 3.5 M 6.4 3 L 6.4 10"),
    'b': (6.4, "M 0 0 L 0 10 O 3.2 6.5 3.2 3.5"),
    'c': (6.0, "A 3.3 6.5 3.3 3.5 48 312"),
    'd': (6.4, "O 3.2 6.5 3.2 3.5 M 6.4 0 L 6.4 10"),
    'e': (6.6, "M 0 6.5 L 6.6 6.5 A 3.3 6.5 3.3 3.5 0 312"),
    'f': (3.8, "M 1.4 10 L 1.4 2.2 A 3.2 2.2 1.8 2.0 180 50 M 0 3.4 L 3.8 3.4"),
    'g': (6.4, "O 3.2 6.5 3.2 3.5 M 6.4 3 L 6.4 10.5 A 3.2 10.5 3.2 2.5 0 -155"),
    'h': (6.2, "M 0 0 L 0 10 M 0 6.5 A 3.1 6.5 3.1 3.5 180 0 L 6.2 10"),
    'i': (0.0, "D 0 0.6 M 0 3 L 0 10"),
    'j': (1.6, "D 1.6 0.6 M 1.6 3 L 1.6 11 A 0 11 1.6 2 0 -130"),
    'k': (5.6, "M 0 0 L 0 10 M 5.2 3 L 0 7.4 M 1.9 5.8 L 5.6 10"),
    'l': (0.0, "M 0 0 L 0 10"),
    'm': (9.6, "M 0 3 L 0 10 M 0 6 A 2.4 6 2.4 3 180 0 L 4.8 10 M 4.8 6 A 7.2 6 2.4 3 180 0 L 9.6 10"),
    'n': (6.2, "M 0 3 L 0 10 M 0 6.5 A 3.1 6.5 3.1 3.5 180 0 L 6.2 10"),
    'o': (6.8, "O 3.4 6.5 3.4 3.5"),
    'p': (6.4, "M 0 3 L 0 13 O 3.2 6.5 3.2 3.5"),
    'q': (6.4, "O 3.2 6.5 3.2 3.5 M 6.4 3 L 6.4 13"),
    'r': (4.0, "M 0 3 L 0 10 M 0 7 A 3.2 7 3.2 3.9 180 72"),
    's': (5.4, "A 2.7 4.75 2.5 1.75 30 270 A 2.7 8.25 2.7 1.75 90 -150"),
    't': (3.8, "M 1.4 0.6 L 1.4 8.4 A 3.2 8.4 1.8 1.6 180 290 M 0 3.4 L 3.8 3.4"),
    'u': (6.2, "M 0 3 L 0 6.5 A 3.1 6.5 3.1 3.5 180 360 M 6.2 3 L 6.2 10"),
    'v': (6.0, "M 0 3 L 3 10 L 6 3"),
    'w': (8.8, "M 0 3 L 2.1 10 L 4.4 3.6 L 6.7 10 L 8.8 3"),
    'x': (5.6, "M 0 3 L 5.6 10 M 5.6 3 L 0 10"),
    'y': (6.2, "M 0 3 L 3.1 10 M 6.2 3 L 1.6 13"),
    'z': (5.6, "M 0 3 L 5.6 3 L 0 10 L 5.6 10"),
    '0': (6.4, "O 3.2 5 3.2 5"),
    '1': (3.2, "M 0 2 L 2.6 0 L 2.6 10"),
    '2': (6.2, "A 3 3 3 3 155 -35 L 0 10 L 6.2 10"),
    '3': (6.2, "A 3 2.5 2.9 2.5 155 -90 L 1.8 5 M 3 5 A 3 7.5 3.2 2.5 90 -155"),
    '4': (6.6, "M 5 10 L 5 0 L 0 7 L 6.6 7"),
    '5': (6.2, "M 5.8 0 L 0.8 0 L 0.3 4.6 A 3 6.8 3.2 3.2 130 -150"),
    '6': (6.4, "O 3.2 6.8 3.2 3.2 M 0 6.8 A 5.6 6.8 5.6 6.8 180 97"),
    '7': (6.2, "M 0 0 L 6.2 0 L 2 10"),
    '8': (6.2, "O 3.1 2.5 2.6 2.5 O 3.1 7.45 3.1 2.55"),
    '9': (6.4, "O 3.2 3.2 3.2 3.2 M 6.4 3.2 A 0.8 3.2 5.6 6.8 0 -83"),
    ' ': (3.2, ""),
    '.': (0.0, "D 0 10"),
    ',': (0.6, "M 0.6 10 L 0 11.8"),
    ':': (0.0, "D 0 4 D 0 10"),
    '-': (3.6, "M 0 6 L 3.6 6"),
    "'": (0.0, "M 0 0 L 0 2.5"),
    '/': (4.6, "M 0 10.5 L 4.6 -0.5"),
    '(': (2.2, "A 4.8 5 4.6 6.6 130 230"),
    ')': (2.2, "A -2.6 5 4.6 6.6 50 -50"),
    '!': (0.0, "M 0 0 L 0 6.8 D 0 10"),
    '?': (5.4, "A 2.7 2.7 2.7 2.7 160 -60 L 2.7 6.8 D 2.7 10"),
}


def parse_strokes(commands):
    """Turns glyph commands into polylines (lists of points)."""
    tokens = commands.split()
    lines, current, i = [], None, 0

    def number(k):
        return float(tokens[i + k])

    while i < len(tokens):
        op = tokens[i]
        if op == 'M':
            current = [(number(1), number(2))]
            lines.append(current)
            i += 3
        elif op == 'L':
            current.append((number(1), number(2)))
            i += 3
        elif op == 'D':
            lines.append([(number(1), number(2))])
            current = None
            i += 3
        elif op in ('A', 'O'):
            cx, cy, rx, ry = number(1), number(2), number(3), number(4)
            if op == 'A':
                a0, a1 = number(5), number(6)
                i += 7
            else:
                a0, a1 = 0.0, 360.0
                i += 5
                current = None
            steps = max(4, int(abs(a1 - a0) / 8))
            arc = []
            for s in range(steps + 1):
                a = math.radians(a0 + (a1 - a0) * s / steps)
                arc.append((cx + rx * math.cos(a), cy - ry * math.sin(a)))
            if current is None:
                current = arc
                lines.append(current)
            else:
                current.extend(arc)
            if op == 'O':
                current = None
        else:
            raise ValueError("bad glyph command " + op)
    return lines


class StrokeFont:
    def __init__(self, glyphs):
        self.glyphs = {c: (advance, parse_strokes(commands)) for c, (advance, commands) in glyphs.items()}

    def layout(self, text, size, weight, tracking=0.0, slant=0.0):
        """Segments of the text in pixels, with the capitals size pixels high.

        The text starts at x=0 with the cap line at y=0. weight is the stroke
        width in pixels, tracking extra space between letters in pixels, slant
        the italic lean (x shift per pixel of height). Returns (segments,
        width)."""
        scale = size / 10.0
        segments = []
        x = weight / 2
        for index, char in enumerate(text):
            advance, lines = self.glyphs.get(char, self.glyphs['?'])
            for line in lines:
                points = [(x + u * scale + slant * (10 - v) * scale, v * scale) for u, v in line]
                if len(points) == 1:
                    segments.append(points[0] + points[0])
                for a, b in zip(points, points[1:]):
                    segments.append(a + b)
            x += advance * scale
            if index < len(text) - 1:
                x += weight + 0.12 * size + tracking
        return segments, x + weight / 2

    def width(self, text, size, weight, tracking=0.0, slant=0.0):
        return self.layout(text, size, weight, tracking, slant)[1]

    def coverage(self, text, x, y, size, weight, tracking=0.0, slant=0.0):
        """The coverage of each pixel (0 to 1) by the text with its cap line
        at y and its left edge at x, as a dict {(x, y): cover}."""
        segments, _ = self.layout(text, size, weight, tracking, slant)
        half = weight / 2
        nearest = {}
        for ax, ay, bx, by in segments:
            ax, ay, bx, by = ax + x, ay + y, bx + x, by + y
            for py in range(int(math.floor(min(ay, by) - half - 1)), int(math.ceil(max(ay, by) + half + 1))):
                for px in range(int(math.floor(min(ax, bx) - half - 1)), int(math.ceil(max(ax, bx) + half + 1))):
                    d = segment_distance(px + 0.5, py + 0.5, ax, ay, bx, by)
                    if d < nearest.get((px, py), 1e9):
                        nearest[(px, py)] = d
        result = {}
        for key in sorted(nearest):
            cover = clamp01(half + 0.5 - nearest[key])
            if cover > 0:
                result[key] = cover
        return result


STROKE_FONT = StrokeFont(STROKE_GLYPHS)


# --------------------------------------------------------------------------
# File writers
# --------------------------------------------------------------------------

def _rgbquad(colour):
    r, g, b = colour
    return struct.pack('<BBBB', b, g, r, 0)


def _info_header(width, height, bits, image_size, colours_used=0):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, image_size,
                       2835, 2835, colours_used, 0)


def _row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def _pack_indices(indices, bits):
    """Packs palette indices (or 0/1 bits) of one row MSB first, padded to 32 bits."""
    out = bytearray()
    per_byte = 8 // bits
    for i in range(0, len(indices), per_byte):
        byte = 0
        for k in range(per_byte):
            value = indices[i + k] if i + k < len(indices) else 0
            byte |= value << (8 - bits * (k + 1))
        out.append(byte)
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def _opaque_rows(canvas):
    for y in range(canvas.height):
        row = canvas.pixels[y * canvas.width:(y + 1) * canvas.width]
        if None in row:
            raise ValueError("a bitmap may not have transparent pixels")
        yield row


def bmp24(canvas):
    """A 24-bit bottom-up BMP file of an opaque canvas."""
    rows = list(_opaque_rows(canvas))
    stride = _row_stride(canvas.width, 24)
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        data += line
    header = _info_header(canvas.width, canvas.height, 24, len(data))
    offset = 14 + len(header)
    return b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset) + header + bytes(data)


def palette_of(canvas, first=()):
    """The canvas's colours in a fixed order: the given ones, then as met."""
    palette = list(first)
    seen = set(palette)
    for colour in canvas.pixels:
        if colour not in seen:
            seen.add(colour)
            palette.append(colour)
    return palette


def bmp8(canvas, first=()):
    """An 8-bit palette BMP file of an opaque canvas (256 colours at most)."""
    rows = list(_opaque_rows(canvas))
    palette = palette_of(canvas, first)
    if len(palette) > 256:
        raise ValueError("%d colours do not fit an 8-bit bitmap" % len(palette))
    index = {colour: i for i, colour in enumerate(palette)}
    data = b''.join(_pack_indices([index[c] for c in row], 8) for row in reversed(rows))
    header = _info_header(canvas.width, canvas.height, 8, len(data), len(palette))
    table = b''.join(_rgbquad(c) for c in palette)
    offset = 14 + len(header) + len(table)
    return b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset) + header + table + data


def _icon_image(canvas, palette, bits):
    """The DIB of one icon or cursor image: header, palette, XOR and AND masks."""
    index = {colour: i for i, colour in enumerate(palette)}
    xor, mask = b'', b''
    for y in reversed(range(canvas.height)):
        row = canvas.pixels[y * canvas.width:(y + 1) * canvas.width]
        try:
            xor += _pack_indices([0 if c is None else index[c] for c in row], bits)
        except KeyError as error:
            raise ValueError("colour %r is not in the palette" % (error.args[0],))
        mask += _pack_indices([1 if c is None else 0 for c in row], 1)
    header = _info_header(canvas.width, canvas.height * 2, bits, len(xor) + len(mask))
    return header + b''.join(_rgbquad(c) for c in palette) + xor + mask


def ico(canvases):
    """An .ico file of 4-bit images in the 16-colour palette, one per canvas."""
    images = [_icon_image(c, VGA, 4) for c in canvases]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        out += struct.pack('<BBBBHHII', canvas.width % 256, canvas.height % 256, 16, 0, 1, 4,
                           len(image), offset)
        offset += len(image)
    return out + b''.join(images)


def cur(canvas, hot_x, hot_y):
    """A monochrome .cur file: black, white and transparent pixels only."""
    image = _icon_image(canvas, [BLACK, WHITE], 1)
    return (struct.pack('<HHH', 0, 2, 1)
            + struct.pack('<BBBBHHII', canvas.width % 256, canvas.height % 256, 2, 0,
                          hot_x, hot_y, len(image), 6 + 16)
            + image)


def keyed(canvas):
    """Fills the transparent pixels with the key colour; the drawing itself
    may not use the key colour."""
    if MAGENTA in canvas.colours():
        raise ValueError("the key colour is used inside the drawing")
    result = Canvas(canvas.width, canvas.height)
    result.pixels = [MAGENTA if c is None else c for c in canvas.pixels]
    return result


# --------------------------------------------------------------------------
# Viewer: icons
# --------------------------------------------------------------------------

DISC_16 = [
    ".....GGGGGG.....",
    "...GGsssWWAGG...",
    "..GssssssWWAsG..",
    ".GssssssssWAssG.",
    ".GssssssssssssG.",
    "GssssssGGssssssK",
    "GsssssGWWGsssssK",
    "GssssGW..WGssssK",
    "GssssGW..WGssssK",
    "GsssssGWWGsssssK",
    "GssssssGGssssssK",
    ".GssssssssssssK.",
    ".GssYWssssssssK.",
    "..GsYWWssssssK..",
    "...GGYWWsssKK...",
    ".....KKKKKK.....",
]


def disc_32():
    """A silver compact disc with glints of light, a hub ring and a
    see-through hole."""
    c = Canvas(32, 32)
    body = disc_points(16, 16, 16)
    for x, y in body:
        dx, dy = x + 0.5 - 16, y + 0.5 - 16
        # light glints off the outer half at one and at seven o'clock
        off = (math.degrees(math.atan2(-dy, dx)) % 180.0) - 62.0
        colour = 's'
        if math.hypot(dx, dy) > 8.5:
            if abs(off) <= 6:
                colour = 'W'
            elif 6 < off <= 13:
                colour = 'A'
            elif -13 <= off < -6:
                colour = 'Y'
        c.set(x, y, VGA_KEYS[colour])
    hub = disc_points(16, 16, 5.6)
    c.plot(border(hub), VGA_KEYS['G'])
    hole = disc_points(16, 16, 2.3)
    c.plot(border(grow(hole, NEIGHBOURS_4)), WHITE)
    c.plot(hole, None)
    rim = border(body)
    for x, y in rim:
        c.set(x, y, BLACK if x + y >= 34 else VGA_KEYS['G'])
    return c


FOLDER_CLOSED_16 = [
    "................",
    "................",
    "..KKKKK.........",
    ".KYYYYYK........",
    "KYYYYYYYKKKKKKK.",
    "KWWWWWWWWWWWWWYK",
    "KWYYYYYYYYYYYYoK",
    "KWYYYYYYYYYYYYoK",
    "KWYYYYYYYYYYYYoK",
    "KWYYYYYYYYYYYYoK",
    "KWYYYYYYYYYYYYoK",
    "KWYYYYYYYYYYYYoK",
    "KWYYYYYYYYYYYYoK",
    "KooooooooooooooK",
    ".KKKKKKKKKKKKKK.",
    "................",
]

FOLDER_OPEN_16 = [
    "................",
    "................",
    "..KKKKK.........",
    ".KYYYYYK........",
    "KWYYYYYYKKKKKK..",
    "KWYYYYYYYYYYYK..",
    "KWYYYYYYYYYYYK..",
    "KWYYKKKKKKKKKKKK",
    "KWYKWWWWWWWWWWK.",
    "KWYKWYYYYYYYYYK.",
    "KWKWYYYYYYYYYK..",
    "KWKWYYYYYYYYYK..",
    "KKWYYYYYYYYYoK..",
    "KKWooooooooooK..",
    "KKKKKKKKKKKKK...",
    "................",
]

FILE_16 = [
    "................",
    "..KKKKKKKK......",
    "..KWWWWWWKK.....",
    "..KWWWWWWKsK....",
    "..KWWWWWWKssK...",
    "..KWWWWWWKKKKK..",
    "..KWWWWWWWWWWK..",
    "..KWGGGGGGGWWK..",
    "..KWWWWWWWWWWK..",
    "..KWGGGGGGGGWK..",
    "..KWWWWWWWWWWK..",
    "..KWGGGGGGGWWK..",
    "..KWWWWWWWWWWK..",
    "..KWGGGGGWWWWK..",
    "..KWWWWWWWWWWK..",
    "..KKKKKKKKKKKK..",
]


def sprite_canvas(rows):
    c = Canvas(len(rows[0]), len(rows))
    c.sprite(rows)
    return c


def folder_closed_32():
    c = Canvas(32, 32)
    tab = rows_points(1, 4, [(2, 10), (1, 11), (0, 12), (0, 13)])
    body = rect_points(1, 8, 30, 21)
    shape = tab | body
    c.plot(shape, VGA_KEYS['Y'])
    c.hline(3, 11, 5, WHITE)      # light on the tab
    c.hline(2, 29, 9, WHITE)      # the front's top edge
    c.vline(2, 9, 27, WHITE)
    c.hline(2, 29, 27, VGA_KEYS['o'])
    c.vline(29, 10, 27, VGA_KEYS['o'])
    c.plot(border(shape, NEIGHBOURS_8), BLACK)
    c.hline(14, 29, 8, BLACK)     # the back's top behind the front
    return c


def folder_open_32():
    c = Canvas(32, 32)
    tab = rows_points(1, 4, [(2, 10), (1, 11), (0, 12), (0, 13)])
    back = rect_points(1, 8, 26, 21)
    shape = tab | back
    c.plot(shape, VGA_KEYS['Y'])
    c.hline(3, 11, 5, WHITE)
    c.vline(2, 8, 27, WHITE)
    c.plot(border(shape, NEIGHBOURS_8), BLACK)
    c.hline(14, 25, 8, BLACK)
    # the front flap leans back: a parallelogram from the middle to the bottom
    flap = polygon_points([(7, 14), (32, 14), (25.5, 29), (0.5, 29)])
    c.plot(flap, VGA_KEYS['Y'])
    inner = flap - border(flap, NEIGHBOURS_8)
    for x, y in inner:
        if (x, y - 1) not in inner:
            c.set(x, y, WHITE)
        if (x - 1, y) not in inner and (x - 1, y - 1) not in inner:
            c.set(x, y, WHITE)
        if (x, y + 1) not in inner:
            c.set(x, y, VGA_KEYS['o'])
    c.plot(border(flap, NEIGHBOURS_8), BLACK)
    return c


def file_32():
    c = Canvas(32, 32)
    page = polygon_points([(5, 1), (20, 1), (27, 8), (27, 31), (5, 31)])
    c.plot(page, WHITE)
    c.plot(border(page, NEIGHBOURS_8), BLACK)
    fold = polygon_points([(20, 1), (20, 8), (27, 8)])
    c.plot(fold, VGA_KEYS['s'])
    c.plot(border(fold | {(20, 8), (26, 8)}), BLACK)
    c.line(20, 1, 26, 7, BLACK)
    c.vline(20, 1, 8, BLACK)
    c.hline(20, 26, 8, BLACK)
    for y, end in ((12, 22), (15, 23), (18, 20), (21, 23), (24, 22), (27, 17)):
        c.hline(9, end, y, VGA_KEYS['G'])
    return c


def viewer_icons():
    return {
        'disc_root.ico': [sprite_canvas(DISC_16), disc_32()],
        'folder_closed.ico': [sprite_canvas(FOLDER_CLOSED_16), folder_closed_32()],
        'folder_open.ico': [sprite_canvas(FOLDER_OPEN_16), folder_open_32()],
        'file.ico': [sprite_canvas(FILE_16), file_32()],
    }


# --------------------------------------------------------------------------
# Viewer: the splitter cursor
# --------------------------------------------------------------------------

def splitter_cursor():
    """Two vertical bars crossed by a left-right double arrow, in black with a
    white rim; the hot spot (16, 14) is the middle of the gap between the bars."""
    c = Canvas(32, 32)
    ink = rect_points(13, 4, 2, 21) | rect_points(18, 4, 2, 21) | rect_points(8, 14, 17, 1)
    for k in range(5):
        ink |= {(3 + k, 14 + d) for d in range(-k, k + 1)}
        ink |= {(29 - k, 14 + d) for d in range(-k, k + 1)}
    c.plot(grow(ink) - ink, WHITE)
    c.plot(ink, BLACK)
    return c


# --------------------------------------------------------------------------
# Viewer: the caption strips over the folder tree and the file list
# --------------------------------------------------------------------------

CAPTION_HEIGHT = 19
CAPTION_RADIUS = 5


def caption_corner_insets():
    """How many pixels of each top row lie outside the rounded corner."""
    insets = []
    r = CAPTION_RADIUS
    for y in range(r):
        dy = r - (y + 0.5)
        half = math.sqrt(max(0.0, r * r - dy * dy))
        insets.append(max(0, int(math.ceil(r - half - 0.5))))
    return [i for i in insets if i > 0]


def caption_bar(width, round_left, round_right):
    c = Canvas(width, CAPTION_HEIGHT, BLACK)
    for y, inset in enumerate(caption_corner_insets()):
        for row in (y, CAPTION_HEIGHT - 1 - y):
            for x in range(inset):
                if round_left:
                    c.set(x, row, MAGENTA)
                if round_right:
                    c.set(width - 1 - x, row, MAGENTA)
    return c


CAPTION_FOLDER = [
    ".####.......",
    "######......",
    "############",
    "############",
    "#..........#",
    "############",
    "############",
    "############",
    "############",
]

CAPTION_DOCUMENT = [
    "######..",
    "#....##.",
    "#....#.#",
    "#....###",
    "#.####.#",
    "#......#",
    "#.####.#",
    "#......#",
    "#.####.#",
    "#......#",
    "########",
]


def caption(width, symbol, label):
    c = caption_bar(width, True, False)
    top = (CAPTION_HEIGHT - len(symbol)) // 2
    c.sprite(symbol, {'.': None, '#': WHITE}, 6, top)
    text_top = (CAPTION_HEIGHT - PixelFont.CAP_HEIGHT + 1) // 2
    PIXEL_FONT.draw(c, 6 + len(symbol[0]) + 4, text_top, label, WHITE)
    return c


# --------------------------------------------------------------------------
# Viewer: the "Exporting..." animation
# --------------------------------------------------------------------------

FRAME_SIZE = (200, 75)


def pixel_disc(canvas, cx, cy, r):
    """A hard-edged disc in soft shades, for bitmaps shown on a grey face."""
    body = disc_points(cx, cy, r)
    for x, y in body:
        dx, dy = x + 0.5 - cx, y + 0.5 - cy
        angle = math.degrees(math.atan2(-dy, dx)) % 180.0
        off = angle - 45.0
        d = math.hypot(dx, dy) / r
        if abs(off) <= 6:
            colour = (255, 255, 255)
        elif 6 < off <= 16:
            colour = (170, 240, 255) if d > 0.55 else (200, 230, 255)
        elif 16 < off <= 26:
            colour = (225, 190, 250)
        elif -16 <= off < -6:
            colour = (255, 250, 175)
        elif -26 <= off < -16:
            colour = (255, 215, 190)
        else:
            shade = 0.5 + 0.5 * math.cos(math.radians(2 * off))
            colour = mix((176, 182, 196), (226, 230, 238), shade)
            colour = tuple(v // 8 * 8 for v in colour)  # a few steps, no noise
        canvas.set(x, y, colour)
    clear = disc_points(cx, cy, r * 0.36)
    canvas.plot(clear, (236, 240, 246))
    canvas.plot(border(clear), (160, 166, 180))
    hub = disc_points(cx, cy, r * 0.25)
    canvas.plot(hub, (204, 208, 218))
    canvas.plot(border(hub), (128, 134, 148))
    hole = disc_points(cx, cy, r * 0.12)
    canvas.plot(border(grow(hole, NEIGHBOURS_4)), (96, 100, 112))
    canvas.plot(hole, None)
    rim = border(body)
    for x, y in rim:
        lower_right = (x + 0.5 - cx) + (y + 0.5 - cy) > 0
        canvas.set(x, y, (64, 64, 72) if lower_right else (112, 116, 128))


FOLDER_LIGHT = (255, 242, 168)
FOLDER_MID = (252, 214, 84)
FOLDER_SHADE = (214, 160, 40)
FOLDER_LINE = (64, 40, 0)


def big_folder_back(canvas, x, y, w, h):
    tab = rows_points(x, y, [(3, 15), (2, 16), (1, 17), (0, 18), (0, 18)])
    back = rect_points(x, y + 4, w, h - 4)
    shape = tab | back
    canvas.plot(shape, FOLDER_SHADE)
    canvas.hline(x + 3, x + 15, y + 1, FOLDER_MID)
    canvas.vline(x + 1, y + 3, y + h - 2, FOLDER_MID)
    canvas.plot(border(shape, NEIGHBOURS_8), FOLDER_LINE)


def big_folder_front(canvas, x, y, w, h, lean):
    """The front flap of an open folder, leaning back by lean pixels."""
    top = y + h // 3
    flap = polygon_points([(x + lean, top), (x + w + 0.5, top),
                           (x + w - lean + 0.5, y + h), (x + 0.5, y + h)])
    canvas.plot(flap, FOLDER_MID)
    edge = border(flap, NEIGHBOURS_8)
    inner = flap - edge
    for px, py in inner:
        if (px, py - 1) not in inner:
            canvas.set(px, py, FOLDER_LIGHT)
        elif (px - 1, py) not in inner:
            canvas.set(px, py, FOLDER_LIGHT)
        elif (px, py + 1) not in inner or (px + 1, py) not in inner:
            canvas.set(px, py, FOLDER_SHADE)
    canvas.plot(edge, FOLDER_LINE)


def small_document(canvas, x, y):
    """A 16x20 page with a folded corner and lines of text."""
    page = polygon_points([(x, y), (x + 11, y), (x + 16, y + 5), (x + 16, y + 20), (x, y + 20)])
    canvas.plot(page, WHITE)
    canvas.plot(border(page, NEIGHBOURS_8), (0, 0, 0))
    fold = polygon_points([(x + 11, y), (x + 11, y + 6), (x + 16.5, y + 6)])
    canvas.plot(fold, (200, 204, 212))
    canvas.vline(x + 10, y, y + 5, (0, 0, 0))
    canvas.hline(x + 10, x + 15, y + 5, (0, 0, 0))
    canvas.line(x + 11, y, x + 15, y + 4, (0, 0, 0))
    for row, end in ((8, 12), (11, 13), (14, 11), (17, 9)):
        canvas.hline(x + 3, x + end, y + row, (112, 120, 144))


def export_frame(index, count=7):
    w, h = FRAME_SIZE
    c = Canvas(w, h)
    disc_x, disc_y, disc_r = 38, 40, 27
    pixel_disc(c, disc_x, disc_y, disc_r)
    folder_x, folder_y, folder_w, folder_h = 136, 18, 50, 44
    big_folder_back(c, folder_x, folder_y, folder_w, folder_h)
    # the page flies in an arc from the disc to the folder
    t = index / (count - 1.0)
    start = (disc_x - 8, disc_y - 14)
    end = (folder_x + 16, folder_y + 12)
    px = start[0] + (end[0] - start[0]) * t
    py = start[1] + (end[1] - start[1]) * t - 92 * t * (1 - t)
    small_document(c, int(round(px)), int(round(py)))
    big_folder_front(c, folder_x - 2, folder_y + 6, folder_w + 2, folder_h - 6, 7)
    return keyed(c)


# --------------------------------------------------------------------------
# Viewer: the About box picture
# --------------------------------------------------------------------------

ABOUT_SIZE = (394, 193)


def about_background(c, disc_x, disc_y, disc_r):
    """Deep blue running to teal, lit behind the disc, with faint tracks
    rippling out from it."""
    w, h = c.width, c.height
    dark, light, glow_colour, track = (10, 22, 70), (18, 86, 140), (70, 130, 200), (160, 210, 255)
    for y in range(h):
        for x in range(w):
            colour = mix(dark, light, (x / w) * 0.7 + (y / h) * 0.3)
            d = math.hypot(x + 0.5 - disc_x, y + 0.5 - disc_y)
            glow = max(0.0, 1.0 - d / 190.0)
            colour = mix(colour, glow_colour, glow * glow * 0.55)
            # a track every 20 pixels, fading with distance
            ring = (d - disc_r) / 20.0
            k = int(ring + 0.5)
            near = abs(ring - k) * 20.0
            if 1 <= k <= 6 and near < 1.0:
                colour = mix(colour, track, (1.0 - near) * 0.11 * (1.0 - k / 7.5))
            c.pixels[y * w + x] = colour


def about_picture():
    w, h = ABOUT_SIZE
    c = Canvas(w, h)
    disc_x, disc_y, disc_r = 68, 98, 74
    about_background(c, disc_x, disc_y, disc_r)
    # a soft shadow, the disc and the padlock sealing it
    c.paint(lambda x, y: (math.hypot(x - disc_x - 5, y - disc_y - 6) - disc_r) / 6.0,
            (4, 10, 30), (0, 0, disc_x + disc_r + 30, h - 1), 0.7)
    draw_about_disc(c, disc_x, disc_y, disc_r)
    draw_padlock(c, disc_x + 44, disc_y + 28)
    # the name: "Arcseal" in white and a larger gold "3"
    size, weight, slant = 33, 5.6, 0.12
    three_size, three_weight = 43, 6.8
    name_width = STROKE_FONT.width("Arcseal", size, weight, slant=slant)
    three_width = STROKE_FONT.width("3", three_size, three_weight, slant=slant)
    gap = 11
    title_x = w - 16 - int(name_width + gap + three_width)
    title_y = 50
    name = STROKE_FONT.coverage("Arcseal", title_x, title_y, size, weight, slant=slant)
    three_y = title_y + size - three_size
    three = STROKE_FONT.coverage("3", title_x + name_width + gap, three_y,
                                 three_size, three_weight, slant=slant)
    for shape in (name, three):
        c.mask(shape, (0, 8, 32), 3, 3, 0.55)  # drop shadow
    c.mask(name, lambda x, y: mix(WHITE, (190, 218, 255), (y - title_y) / size))
    c.mask(three, lambda x, y: mix((255, 236, 140), (230, 146, 16), (y - three_y) / three_size))
    # a gold rule and the subtitle under it
    line_y = title_y + size + 14
    line_x = title_x + 2
    for x in range(line_x, w - 12):
        fade = clamp01((w - 12 - x) / 110.0)
        c.blend(x, line_y, (255, 214, 96), 0.9 * fade)
        c.blend(x, line_y + 1, (8, 20, 60), 0.5 * fade)
    sub_size, sub_weight, sub_tracking = 11, 2.0, 1.8
    sub_width = STROKE_FONT.width("SECURE CD VIEWER", sub_size, sub_weight, sub_tracking)
    sub = STROKE_FONT.coverage("SECURE CD VIEWER", w - 16 - int(sub_width), line_y + 11,
                               sub_size, sub_weight, sub_tracking)
    c.mask(sub, (0, 8, 32), 1, 1, 0.5)
    c.mask(sub, (214, 232, 255))
    return c


def draw_about_disc(c, cx, cy, r):
    sheen = math.radians(-38.0)

    def surface(x, y):
        dx, dy = x - cx, y - cy
        d = math.hypot(dx, dy) / r
        angle = math.atan2(dy, dx)
        # the light runs along one diameter; colours fringe either side of it
        off = math.remainder(angle - sheen, math.pi)
        base = 0.62 + 0.2 * math.cos(2 * off) - 0.08 * d
        colour = mix((70, 78, 96), (236, 240, 248), base)
        light = math.exp(-(off / 0.11) ** 2)
        colour = mix(colour, (255, 255, 255), light * 0.95)
        for centre, tint in ((0.32, (120, 220, 255)), (0.55, (200, 140, 255)),
                             (-0.30, (255, 236, 120)), (-0.52, (255, 150, 170))):
            band = math.exp(-((off - centre) / 0.12) ** 2) * (0.35 + 0.4 * d)
            colour = mix(colour, tint, band * 0.75)
        return colour

    hole = r * 0.12
    hole_box = (cx - hole - 2, cy - hole - 2, cx + hole + 2, cy + hole + 2)
    behind = {(x, y): c.get(x, y) for y in range(int(hole_box[1]), int(hole_box[3]) + 1)
              for x in range(int(hole_box[0]), int(hole_box[2]) + 1)}
    box = (cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2)
    c.paint(sd_circle(cx, cy, r), surface, box)
    # the rim
    c.paint(sd_ring(cx, cy, r, r - 1.4), (40, 48, 70), box)
    # the clear plastic centre, the hub ring and the hole
    clear = r * 0.33
    hub_box = (cx - clear - 2, cy - clear - 2, cx + clear + 2, cy + clear + 2)
    frosted = lambda x, y: mix(c.get(int(x), int(y)), (235, 242, 250), 0.55)
    c.paint(sd_ring(cx, cy, clear, hole), frosted, hub_box)
    c.paint(sd_ring(cx, cy, clear + 0.6, clear - 0.6), (120, 130, 150), hub_box)
    c.paint(sd_ring(cx, cy, r * 0.22, hole), (200, 206, 218), hub_box)
    c.paint(sd_ring(cx, cy, r * 0.22 + 0.5, r * 0.22 - 0.5), (130, 138, 156), hub_box)
    c.paint(sd_circle(cx, cy, hole), lambda x, y: behind[(int(x), int(y))], hole_box)
    c.paint(sd_ring(cx, cy, hole + 0.8, hole - 0.2), (90, 98, 118), hub_box)


def draw_padlock(c, x, y):
    """A gold padlock whose body's top left corner is at (x, y)."""
    bw, bh = 46, 36
    cx = x + bw / 2
    # shadow, shackle, body
    shadow = sd_round_rect(x + 4, y + 5, x + bw + 4, y + bh + 5, 6)
    c.paint(lambda px, py: shadow(px, py) / 3.0, (4, 10, 30), (x - 4, y - 4, x + bw + 14, y + bh + 14))
    shackle_r, thickness = 14, 6.5
    shackle = sd_union(
        lambda px, py: max(abs(math.hypot(px - cx, py - y + 2) - shackle_r) - thickness / 2, py - (y - 2)),
        sd_segment(cx - shackle_r, y - 2, cx - shackle_r, y + 4, thickness / 2),
        sd_segment(cx + shackle_r, y - 2, cx + shackle_r, y + 4, thickness / 2))
    shackle_box = (cx - shackle_r - 6, y - shackle_r - 8, cx + shackle_r + 6, y + 6)
    c.paint(lambda px, py: shackle(px, py) - 1.0, (70, 60, 40), shackle_box)
    steel = lambda px, py: mix((250, 250, 252), (140, 146, 160),
                               (px - cx + shackle_r) / (2 * shackle_r) * 0.8 + (py - y + 16) / 40)
    c.paint(shackle, steel, shackle_box)
    body = sd_round_rect(x, y, x + bw, y + bh, 6)
    body_box = (x - 2, y - 2, x + bw + 2, y + bh + 2)
    c.paint(lambda px, py: body(px, py) - 1.0, (96, 58, 0), body_box)
    c.paint(body, lambda px, py: mix((255, 236, 150), (206, 128, 10), (py - y) / bh), body_box)
    c.paint(sd_round_rect(x + 3, y + 3, x + bw - 3, y + 7, 2), (255, 250, 214), body_box)
    # the keyhole
    keyhole = sd_union(sd_circle(cx, y + 15, 4.2), sd_round_rect(cx - 2.2, y + 15, cx + 2.2, y + 27, 1.2))
    c.paint(keyhole, (70, 40, 0), body_box)


# --------------------------------------------------------------------------
# Help pages: pictures of the viewer for the installed help
# --------------------------------------------------------------------------

FACE = (212, 208, 200)         # the classic button face
FACE_LIGHT = (255, 255, 255)
FACE_SHADOW = (128, 128, 128)
FACE_DARK = (64, 64, 64)
TITLE_LEFT = (10, 36, 106)
TITLE_RIGHT = (166, 202, 240)
HELP_HEADER = (22, 44, 96)     # the help pages' header bar, behind the logo


def raised_box(c, x, y, w, h):
    """A button-face rectangle with the classic 3-D edges."""
    c.fill_rect(x, y, w, h, FACE)
    c.hline(x, x + w - 1, y, FACE_LIGHT)
    c.vline(x, y, y + h - 1, FACE_LIGHT)
    c.hline(x, x + w - 1, y + h - 1, FACE_DARK)
    c.vline(x + w - 1, y, y + h - 1, FACE_DARK)
    c.hline(x + 1, x + w - 2, y + h - 2, FACE_SHADOW)
    c.vline(x + w - 2, y + 1, y + h - 2, FACE_SHADOW)


def sunken_box(c, x, y, w, h, colour):
    """A white (or coloured) field with a sunken edge: edit boxes, panes."""
    c.fill_rect(x, y, w, h, colour)
    c.hline(x, x + w - 1, y, FACE_SHADOW)
    c.vline(x, y, y + h - 1, FACE_SHADOW)
    c.hline(x + 1, x + w - 2, y + 1, FACE_DARK)
    c.vline(x + 1, y + 1, y + h - 2, FACE_DARK)
    c.hline(x, x + w - 1, y + h - 1, FACE_LIGHT)
    c.vline(x + w - 1, y, y + h - 1, FACE_LIGHT)


def caption_button(c, x, y, symbol):
    raised_box(c, x, y, 16, 14)
    if symbol == 'close':
        for k in range(7):
            c.set(x + 4 + k, y + 3 + k, BLACK)
            c.set(x + 5 + k, y + 3 + k, BLACK)
            c.set(x + 10 - k, y + 3 + k, BLACK)
            c.set(x + 11 - k, y + 3 + k, BLACK)
    elif symbol == 'maximise':
        c.rect(x + 4, y + 3, 9, 8, BLACK)
        c.hline(x + 4, x + 12, y + 4, BLACK)
    else:
        c.fill_rect(x + 4, y + 9, 6, 2, BLACK)


def window_frame(c, x, y, w, h, title, buttons=True):
    """An active top-level window: raised frame, gradient title bar and, when
    asked for, the caption buttons. Returns the client rectangle (x, y, w, h)."""
    raised_box(c, x, y, w, h)
    bar_h = 20
    for xx in range(x + 3, x + w - 3):
        colour = mix(TITLE_LEFT, TITLE_RIGHT, (xx - x) / float(w))
        c.vline(xx, y + 3, y + 2 + bar_h, colour)
    PIXEL_FONT.draw(c, x + 8, y + 3 + (bar_h - PixelFont.CAP_HEIGHT) // 2, title, WHITE)
    if buttons:
        right = x + w - 5
        caption_button(c, right - 16, y + 6, 'close')
        caption_button(c, right - 36, y + 6, 'maximise')
        caption_button(c, right - 52, y + 6, 'minimise')
    return x + 3, y + 3 + bar_h, w - 6, h - 6 - bar_h


def caption_strip(c, x, y, w, symbol, label):
    """The black strip with rounded ends over each pane of the viewer."""
    c.blit(caption_bar(w, True, True), x, y)
    top = y + (CAPTION_HEIGHT - len(symbol)) // 2
    c.sprite(symbol, {'.': None, '#': WHITE}, x + 6, top)
    PIXEL_FONT.draw(c, x + 6 + len(symbol[0]) + 4, y + (CAPTION_HEIGHT - PixelFont.CAP_HEIGHT + 1) // 2,
                    label, WHITE)
    c.replace(MAGENTA, FACE)


def dotted_hline(c, x0, x1, y, colour):
    for x in range(x0, x1 + 1, 2):
        c.set(x, y, colour)


def dotted_vline(c, x, y0, y1, colour):
    for y in range(y0, y1 + 1, 2):
        c.set(x, y, colour)


def tree_button(c, x, y, expanded, line_colour):
    """The +/- box of a tree entry, 9x9, with its top left at (x, y)."""
    c.fill_rect(x, y, 9, 9, WHITE)
    c.rect(x, y, 9, 9, FACE_SHADOW)
    c.hline(x + 2, x + 6, y + 4, line_colour)
    if not expanded:
        c.vline(x + 4, y + 2, y + 6, line_colour)


def main_window_picture():
    """The viewer's main window with the sample disc open: folder tree, file
    list with a selected row, status bar with the disc totals."""
    w, h = 600, 380
    c = Canvas(w, h, FACE)
    cx, cy, cw, ch = window_frame(c, 0, 0, w, h, "Viewer")
    # the menu bar
    x = cx + 8
    for item in ("File", "Help", "About", "Website"):
        x = PIXEL_FONT.draw(c, x, cy + 5, item, BLACK) + 14
    menu_h = 19
    top = cy + menu_h + 2
    status_h = 20
    bottom = cy + ch - status_h
    tree_w = 214
    gap = 4
    list_x = cx + tree_w + gap
    list_w = cx + cw - list_x
    caption_strip(c, cx, top, tree_w, CAPTION_FOLDER, "Folders")
    caption_strip(c, list_x, top, list_w, CAPTION_DOCUMENT, "Files")
    pane_top = top + CAPTION_HEIGHT + 2

    # the folder tree in the viewer's colours
    tree_back, tree_text, tree_lines = (240, 240, 255), (0, 0, 255), (100, 100, 255)
    sunken_box(c, cx, pane_top, tree_w, bottom - pane_top - 2, tree_back)
    row_h = 20
    entries = [  # depth, icon, text, button (None, 'open', 'closed'), selected
        (0, 'disc', "Arcseal", 'open', False),
        (1, 'open', "Harbour Trust 2004", 'open', False),
        (2, 'closed', "Documents", 'open', True),
        (3, 'closed', "Drafts", None, False),
        (2, 'closed', "Pictures", None, False),
    ]
    disc_icon = sprite_canvas(DISC_16)
    folder_closed = sprite_canvas(FOLDER_CLOSED_16)
    folder_open = sprite_canvas(FOLDER_OPEN_16)
    icons = {'disc': disc_icon, 'closed': folder_closed, 'open': folder_open}
    indent = 19
    base_x, base_y = cx + 8, pane_top + 6
    for index, (depth, icon, text, button, selected) in enumerate(entries):
        ix = base_x + 12 + depth * indent
        iy = base_y + index * row_h
        mid = iy + 8
        if depth > 0:
            dotted_hline(c, ix - indent + 8, ix - 2, mid, tree_lines)
            # the vertical line up to the parent's row
            parent = max(i for i in range(index) if entries[i][0] == depth - 1)
            dotted_vline(c, ix - indent + 8, base_y + parent * row_h + 17, mid, tree_lines)
        if button:
            tree_button(c, ix - indent + 4 if depth > 0 else ix - 14, mid - 4, button == 'open', BLACK)
        c.blit(icons[icon], ix, iy)
        text_x = ix + 20
        if selected:
            width = PIXEL_FONT.width(text)
            c.fill_rect(text_x - 2, iy - 1, width + 5, 18, (10, 36, 106))
            PIXEL_FONT.draw(c, text_x, iy + 4, text, WHITE)
        else:
            PIXEL_FONT.draw(c, text_x, iy + 4, text, tree_text)

    # the file list: two columns and the files of "Documents"
    sunken_box(c, list_x, pane_top, list_w, bottom - pane_top - 2, WHITE)
    columns = (("File Name", 200), ("File Size", 120))
    hx = list_x + 2
    for title, width in columns:
        raised_box(c, hx, pane_top + 2, width, 20)
        PIXEL_FONT.draw(c, hx + 6, pane_top + 8, title, BLACK)
        hx += width
    raised_box(c, hx, pane_top + 2, list_x + list_w - 2 - hx, 20)
    files = (("Annual Report 2004.txt", "1843 bytes"), ("Meeting notes.txt", "412 bytes"))
    file_icon = sprite_canvas(FILE_16)
    for row, (name, size) in enumerate(files):
        ry = pane_top + 26 + row * 20
        c.blit(file_icon, list_x + 6, ry)
        if row == 0:
            width = PIXEL_FONT.width(name)
            c.fill_rect(list_x + 25, ry - 1, width + 6, 18, (10, 36, 106))
            PIXEL_FONT.draw(c, list_x + 28, ry + 4, name, WHITE)
        else:
            PIXEL_FONT.draw(c, list_x + 28, ry + 4, name, BLACK)
        PIXEL_FONT.draw(c, list_x + 2 + columns[0][1] + 6, ry + 4, size, BLACK)

    # the status bar with the disc totals
    sy = bottom + 1
    c.hline(cx, cx + cw - 1, sy, FACE_SHADOW)
    c.hline(cx, cx + cw - 1, sy + 1, FACE_LIGHT)
    PIXEL_FONT.draw(c, cx + 6, sy + 6, "2255 Bytes - 2.20 KB - 0.00 MB - 4 Folders - 5 Files", BLACK)
    return c


def harbour_background(c):
    """Evening sky over water: the kind of picture a disc's splash shows."""
    w, h = c.width, c.height
    horizon = int(h * 0.62)
    sun_x, sun_y, sun_r = w * 0.84, horizon - 30, 24
    for y in range(h):
        for x in range(w):
            if y < horizon:
                t = y / float(horizon)
                colour = mix((24, 34, 86), (232, 140, 82), t ** 1.6)
                d = math.hypot(x + 0.5 - sun_x, y + 0.5 - sun_y)
                colour = mix(colour, (255, 214, 140), clamp01(1.0 - d / 160.0) ** 2 * 0.7)
            else:
                t = (y - horizon) / float(h - horizon)
                colour = mix((78, 70, 104), (12, 20, 48), t ** 0.7)
                # the sun's reflection: ripples that narrow towards the viewer
                half = sun_r * (1.3 - 0.7 * t)
                dx = abs(x + 0.5 - sun_x)
                if dx < half:
                    ripple = 0.5 + 0.5 * math.sin(y * 1.3 + math.sin(x * 0.21) * 2.0)
                    edge = 1.0 - dx / half
                    colour = mix(colour, (255, 200, 128), ripple * edge * 0.8 * (1.0 - t * 0.7))
            c.pixels[y * w + x] = colour
    c.paint(sd_circle(sun_x, sun_y, sun_r), (255, 236, 180),
            (sun_x - sun_r - 2, sun_y - sun_r - 2, sun_x + sun_r + 2, sun_y + sun_r + 2))
    # a quay with two cranes, in silhouette against the sky
    quay = (30, 26, 44)
    c.fill_rect(0, horizon - 7, int(w * 0.42), 7, quay)
    for base, height, reach in ((44, 70, 58), (128, 84, 70)):
        top = horizon - height
        c.fill_rect(base - 2, top, 5, height, quay)                  # tower
        c.fill_rect(base - 22, top, reach + 22, 3, quay)             # jib
        c.fill_rect(base - 26, top - 2, 8, 7, quay)                  # counterweight
        c.fill_rect(base - 5, top + 4, 11, 8, quay)                  # cabin
        c.line(base, top - 14, base + reach - 4, top, quay)          # stays
        c.line(base, top - 14, base - 22, top, quay)
        c.fill_rect(base, top - 14, 2, 14, quay)
        c.vline(base + reach - 10, top + 3, top + 30, quay)          # hook cable
        c.fill_rect(base + reach - 12, top + 30, 5, 3, quay)


def password_box(c, x, y):
    """The viewer's "Enter password:" dialog with four typed characters."""
    w, h = 250, 92
    cx, cy, cw, ch = window_frame(c, x, y, w, h, "Enter password:", buttons=False)
    sunken_box(c, cx + 10, cy + 10, cw - 20, 20, WHITE)
    for k in range(4):
        c.disc(cx + 20 + k * 10, cy + 20, 3, BLACK)
    c.vline(cx + 58, cy + 14, cy + 26, BLACK)  # the caret
    for label, bx in (("Cancel", cx + 10), ("OK", cx + cw - 10 - 70)):
        raised_box(c, bx, cy + ch - 28, 70, 22)
        PIXEL_FONT.draw(c, bx + (70 - PIXEL_FONT.width(label)) // 2, cy + ch - 21, label, BLACK)
    c.rect(cx + cw - 10 - 71, cy + ch - 29, 72, 24, BLACK)  # the default button's frame


def splash_picture():
    """A disc's splash screen as the reader sees it, with the password asked
    over it: background, logo, splash text with its shadow."""
    w, h = 480, 300
    c = Canvas(w, h)
    harbour_background(c)
    # the logo at the top centre: the disc and its padlock
    draw_about_disc(c, w // 2, 50, 34)
    draw_small_padlock(c, w // 2 + 14, 60, 0.55)
    # the splash text at the bottom centre, white with a black shadow
    text, size, weight = "Harbour Trust 2004", 24, 4.0
    width = STROKE_FONT.width(text, size, weight)
    tx, ty = (w - int(width)) // 2, h - 48
    shape = STROKE_FONT.coverage(text, tx, ty, size, weight)
    c.mask(shape, BLACK, 2, 2)
    c.mask(shape, WHITE)
    password_box(c, (w - 250) // 2, 104)
    return c


def draw_small_padlock(c, x, y, scale):
    """The About box's padlock at a smaller scale; (x, y) is the body's top left."""
    bw, bh = 46 * scale, 36 * scale
    cx = x + bw / 2
    shackle_r, thickness = 14 * scale, 6.5 * scale
    shackle = sd_union(
        lambda px, py: max(abs(math.hypot(px - cx, py - y) - shackle_r) - thickness / 2, py - y),
        sd_segment(cx - shackle_r, y, cx - shackle_r, y + 3, thickness / 2),
        sd_segment(cx + shackle_r, y, cx + shackle_r, y + 3, thickness / 2))
    box = (x - 4, y - shackle_r - 6, x + bw + 4, y + bh + 4)
    c.paint(lambda px, py: shackle(px, py) - 0.8, (70, 60, 40), box)
    c.paint(shackle, lambda px, py: mix((250, 250, 252), (140, 146, 160), (px - x) / bw), box)
    body = sd_round_rect(x, y, x + bw, y + bh, 4 * scale)
    c.paint(lambda px, py: body(px, py) - 0.8, (96, 58, 0), box)
    c.paint(body, lambda px, py: mix((255, 236, 150), (206, 128, 10), (py - y) / bh), box)
    keyhole = sd_union(sd_circle(cx, y + bh * 0.42, 3.2 * scale * 1.4),
                       sd_round_rect(cx - 1.6, y + bh * 0.42, cx + 1.6, y + bh * 0.78, 0.8))
    c.paint(keyhole, (70, 40, 0), box)


def help_logo():
    """The small logo of the help pages' header: the disc sealed by its
    padlock, on the header's colour."""
    size = 48
    c = Canvas(size, size, HELP_HEADER)
    draw_about_disc(c, 22, 22, 20)
    draw_small_padlock(c, 26, 30, 0.36)
    return c


def make_help(directory):
    write(directory, 'main-window.bmp', bmp24(main_window_picture()))
    write(directory, 'splash.bmp', bmp24(splash_picture()))
    write(directory, 'logo.bmp', bmp24(help_logo()))


# --------------------------------------------------------------------------
# Targets
# --------------------------------------------------------------------------

def write(directory, name, data):
    with open(os.path.join(directory, name), 'wb') as out:
        out.write(data)


def make_viewer(directory):
    for name, images in viewer_icons().items():
        write(directory, name, ico(images))
    write(directory, 'about.bmp', bmp24(about_picture()))
    for i in range(7):
        write(directory, 'export_frame%d.bmp' % (i + 1), bmp8(export_frame(i), [MAGENTA]))
    write(directory, 'caption_folders.bmp', bmp24(caption(78, CAPTION_FOLDER, "Folders")))
    write(directory, 'caption_files.bmp', bmp24(caption(53, CAPTION_DOCUMENT, "Files")))
    write(directory, 'caption_end.bmp', bmp24(caption_bar(4, False, True)))
    write(directory, 'splitter.cur', cur(splitter_cursor(), 16, 14))


TARGETS = {'viewer': make_viewer, 'help': make_help}


def main(argv):
    if len(argv) != 3 or argv[1] not in TARGETS:
        sys.stderr.write("usage: make-art.py {%s} OUTDIR\n" % ','.join(sorted(TARGETS)))
        return 2
    os.makedirs(argv[2], exist_ok=True)
    TARGETS[argv[1]](argv[2])
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
