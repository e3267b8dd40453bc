"""A stroke font for large anti-aliased text at any size, weight and slant.

Glyphs are centre lines in units where the capitals run from y=0 down to the
baseline y=10; the x-height is at y=3 and descenders reach y=13. Commands:
  M x y            start a line at (x, y)
  L x y            draw on to (x, y)
  A cx cy rx ry a b  draw on along an elliptic arc from angle a to angle b
                   (degrees; 0 points right, 90 up)
  O cx cy rx ry    a whole ellipse
  D x y            a dot
Each entry of STROKE_GLYPHS is (advance, commands).
"""

import math

from .colours import clamp01
from .shapes import segment_distance


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
