"""Shapes in two kinds.

Point sets (sets of (x, y) pixels) give the hard-edged pixel art of icons,
cursors and small bitmaps, where each pixel is chosen. Signed distance
functions give smooth shapes for Canvas.paint, which anti-aliases them, for
the large pictures.
"""

import math

from .colours import clamp01


# Point sets: shapes as sets of (x, y) pixels

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


# Signed distance functions: negative inside the shape, positive outside,
# in pixels, as Canvas.paint expects.

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
