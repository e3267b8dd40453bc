"""The help's picture of the viewer's main window with the sample disc open,
drawn rather than captured so it stays in step with the program's art."""

from .canvas import Canvas
from .captions import CAPTION_DOCUMENT, CAPTION_FOLDER, CAPTION_HEIGHT
from .classic_ui import (FACE, FACE_LIGHT, FACE_SHADOW, caption_strip, dotted_hline, dotted_vline,
                         raised_box, sunken_box, tree_button, window_frame)
from .colours import BLACK, WHITE
from .pixel_font import PIXEL_FONT
from .viewer_icons import DISC_16, FILE_16, FOLDER_CLOSED_16, FOLDER_OPEN_16, sprite_canvas


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
