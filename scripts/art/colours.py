"""Colours shared by every drawing: black, white, the transparency key, the
16-colour Windows palette that the icons must keep to, and colour mixing."""

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
