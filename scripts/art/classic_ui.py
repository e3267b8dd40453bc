"""The classic Windows look, for the help's pictures of the programs: button
faces, 3-D edges, title bars, caption strips and tree lines."""

from .captions import CAPTION_HEIGHT, caption_bar
from .colours import BLACK, MAGENTA, WHITE, mix
from .pixel_font import PIXEL_FONT, PixelFont


FACE = (212, 208, 200)         # the classic button face
FACE_LIGHT = (255, 255, 255)
FACE_SHADOW = (128, 128, 128)
FACE_DARK = (64, 64, 64)
TITLE_LEFT = (10, 36, 106)
TITLE_RIGHT = (166, 202, 240)


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
