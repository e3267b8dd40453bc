"""Writers of the Windows file formats the resources use: 24-bit and 8-bit
BMP, 4-bit icons (.ico), monochrome cursors (.cur), and the key-colour fill
for bitmaps the program draws transparently."""

import struct

from .canvas import Canvas
from .colours import BLACK, MAGENTA, VGA, WHITE


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
