"""The picture every drawing is made on: a grid of RGB tuples in which None
is a transparent pixel, with hard-edged and anti-aliased drawing."""

from .colours import VGA_KEYS, clamp01, mix
from .shapes import border, disc_points, line_points, polygon_points


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
