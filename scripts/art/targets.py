"""The files each target writes, and in which format.

"viewer" is the art that viewer/discview.rc includes; "help" the pictures of
the installed help pages, as bitmaps the build converts to JPEG and GIF.
"""

import os

from .about_picture import about_picture
from .captions import CAPTION_DOCUMENT, CAPTION_FOLDER, caption, caption_bar
from .colours import MAGENTA
from .emblem import help_logo
from .export_frames import export_frame
from .formats import bmp8, bmp24, cur, ico
from .main_window import main_window_picture
from .splash import splash_picture
from .viewer_icons import splitter_cursor, viewer_icons


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


def make_help(directory):
    write(directory, 'main-window.bmp', bmp24(main_window_picture()))
    write(directory, 'splash.bmp', bmp24(splash_picture()))
    write(directory, 'logo.bmp', bmp24(help_logo()))


TARGETS = {'viewer': make_viewer, 'help': make_help}
